// What every browser test starts with: the site and the browser tools must
// be there (else the test is skipped: exit code 77), one browser for the
// file, and the page's console free of errors at the end of each test.
"use strict";
const assert = require("node:assert");
const fs = require("fs");
const path = require("path");

const SKIP = 77;

function requireSite() {
  const { siteDir } = require("./browser");
  const missing = [path.join(siteDir(), "rollbox1.wasm"), path.join(__dirname, "..", "node_modules", "puppeteer-core")]
    .filter((file) => !fs.existsSync(file));
  if (missing.length > 0) {
    console.log(`skipped: not built or installed: ${missing.join(", ")} (bash scripts/web.sh builds them)`);
    process.exit(SKIP);
  }
}

function assertNoConsoleErrors(page) {
  assert.deepStrictEqual(page.consoleErrors, [], "the page's console reported errors");
}

module.exports = { requireSite, assertNoConsoleErrors };
