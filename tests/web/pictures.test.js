// Pictures chosen on the page go on the cube in the order chosen: BMPs as
// they are, a PNG converted by the page; a file that is no picture is named
// as unreadable and skipped, and the program starts again with the rest.
"use strict";
const { test, after, before } = require("node:test");
const assert = require("node:assert");
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
require("./support/setup").requireSite();
const { assertNoConsoleErrors } = require("./support/setup");
const { startBrowser, openPage } = require("./support/browser");
const frames = require("./support/frames");

let session;
let folder;
before(async () => {
  session = await startBrowser();
  folder = fs.mkdtempSync(path.join(os.tmpdir(), "rollbox1-pictures-"));
});
after(async () => {
  if (session) await session.close();
  fs.rmSync(folder, { recursive: true, force: true });
});

// A picture file of one colour, made by ImageMagick.
function picture(name, colour, size, format) {
  const file = path.join(folder, name);
  execFileSync("convert", ["-size", size, `xc:${colour}`, "-type", "TrueColor", `${format}:${file}`]);
  return file;
}

// The colour the cube shows, by its dominant channels, or null for none.
function cubeColour(pixels) {
  const sum = [0, 0, 0];
  for (let i = 0; i < pixels.length; i += 4) {
    const background = pixels[i] === 0 && pixels[i + 1] === 0 && Math.abs(pixels[i + 2] - 77) <= 1;
    if (!background) for (let c = 0; c < 3; c++) sum[c] += pixels[i + c];
  }
  const [r, g, b] = sum;
  if (r + g + b === 0) return null;
  if (r > 4 * (g + b)) return "red";
  if (g > 4 * (r + b)) return "green";
  if (b > 4 * (r + g)) return "blue";
  if (r > 4 * b && g > 4 * b) return "yellow";
  return "mixed";
}

test("chosen pictures go on the cube in order; an unreadable file is named and skipped", async () => {
  const page = await openPage(session);
  await page.waitForFunction(() => rollbox.frames > 2, { timeout: 30000, polling: 100 });
  const notes = path.join(folder, "notes.txt");
  fs.writeFileSync(notes, "not a picture\n");
  const files = [
    picture("red.bmp", "red", "512x512", "BMP3"),
    picture("green.bmp", "lime", "512x512", "BMP3"),
    notes,
    picture("blue.bmp", "blue", "512x512", "BMP3"),
    picture("yellow.png", "yellow", "64x48", "PNG"),
  ];
  const input = await page.$("#picture-files");
  await input.uploadFile(...files);
  await page.waitForFunction(() => document.getElementById("picture-report").textContent !== "", {
    timeout: 30000,
    polling: 100,
  });
  assert.match(await page.$eval("#picture-report", (element) => element.textContent), /notes\.txt/);
  // A cycle of 480 frames for each picture, then the first again.
  const seen = [];
  await frames.startHeld(page, 60);
  for (let frame = 60; frame <= 60 + 4 * 480; frame += 480) {
    if (frame > 60) await frames.resumeTo(page, frame);
    seen.push(cubeColour(await frames.readCanvas(page)));
  }
  assert.deepStrictEqual(seen, ["red", "green", "blue", "yellow", "red"]);
  assertNoConsoleErrors(page);
});

test("a picture dropped on the page goes on the cube", async () => {
  const page = await openPage(session);
  const bytes = fs.readFileSync(picture("dropped.bmp", "lime", "512x512", "BMP3")).toString("base64");
  await page.evaluate((base64) => {
    const data = Uint8Array.from(atob(base64), (character) => character.charCodeAt(0));
    const transfer = new DataTransfer();
    transfer.items.add(new File([data], "dropped.bmp"));
    document.body.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true }));
  }, bytes);
  await page.waitForFunction(() => rollbox.pictures.length === 1, { timeout: 30000, polling: 100 });
  await frames.startHeld(page, 60);
  assert.strictEqual(cubeColour(await frames.readCanvas(page)), "green");
  assertNoConsoleErrors(page);
});
