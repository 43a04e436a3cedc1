// A browser that refuses WebGL: the program shows its error as a modal
// dialog on the page and waits for OK; then it ends (code 1) and the page
// says so. Nothing hangs and nothing else fails.
"use strict";
const { test, after, before } = require("node:test");
const assert = require("node:assert");
require("./support/setup").requireSite();
const { assertNoConsoleErrors } = require("./support/setup");
const { startBrowser, openPage } = require("./support/browser");

let session;
before(async () => (session = await startBrowser()));
after(async () => session && (await session.close()));

function refuseWebgl() {
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
    return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
  };
}

test("without WebGL the error dialog shows, the program waits for OK, then ends with code 1", async () => {
  const page = await openPage(session, "", refuseWebgl);
  await page.waitForFunction(() => document.getElementById("message-box").open, { timeout: 30000, polling: 100 });
  const caption = await page.$eval("#message-caption", (element) => element.textContent);
  const text = await page.$eval("#message-text", (element) => element.textContent);
  assert.strictEqual(caption, "Error");
  assert.notStrictEqual(text.trim(), "");
  // The program waits while the dialog is up.
  await new Promise((resolve) => setTimeout(resolve, 500));
  assert.strictEqual(await page.$eval("#ended", (element) => element.hidden), true);
  await page.click("#message-ok");
  await page.waitForFunction(() => !document.getElementById("ended").hidden, { timeout: 30000, polling: 100 });
  assert.match(await page.$eval("#ended-text", (element) => element.textContent), /ended, code 1/);
  assert.strictEqual(await page.evaluate(() => rollbox.frames), 0);
  assertNoConsoleErrors(page);
});
