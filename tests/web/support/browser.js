// Debian's chromium, headless, driven over the DevTools protocol by
// puppeteer-core (which never downloads a browser of its own), on the site
// served from build-web/site; the page's console kept for the checks.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { serve } = require("./server");

const CHROMIUM = "/usr/bin/chromium";
const FLAGS = [
  "--headless=new",
  "--no-sandbox",
  "--enable-unsafe-swiftshader",
  "--use-angle=swiftshader",
  "--disable-gpu-sandbox",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--window-size=800,900",
];

function siteDir() {
  const build = process.env.ROLLBOX_WEB_BUILD_DIR || path.join(__dirname, "..", "..", "..", "build-web");
  return path.join(path.resolve(build), "site");
}

// {browser, server, profile}; close() ends all three.
async function startBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "rollbox1-chromium-"));
  const server = await serve(siteDir());
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: FLAGS,
  });
  return {
    browser,
    server,
    close: async () => {
      await browser.close();
      server.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A page of the site at `query` (e.g. "?palette=1"); `before`, if given,
// runs in the page before its own scripts. page.consoleErrors collects the
// page's errors and uncaught exceptions.
async function openPage(session, query = "", before = null) {
  const page = await session.browser.newPage();
  page.consoleErrors = [];
  page.on("console", (message) => {
    if (message.type() === "error") page.consoleErrors.push(message.text());
  });
  page.on("pageerror", (error) => page.consoleErrors.push(String(error)));
  if (before) await page.evaluateOnNewDocument(before);
  await page.setViewport({ width: 800, height: 900 });
  await page.goto(session.server.url + query);
  return page;
}

module.exports = { startBrowser, openPage, siteDir };
