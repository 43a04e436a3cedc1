// The browser's frames are the Linux build's: a session of every control
// (each key row, both drags, each phase) in the page, checked frame by frame
// against the frame the Linux build shows for the same input at the same
// frames; then Escape ends the program and it starts again.
"use strict";
const { test, after, before } = require("node:test");
const assert = require("node:assert");
require("./support/setup").requireSite();
const { assertNoConsoleErrors } = require("./support/setup");
const { startBrowser, openPage } = require("./support/browser");
const frames = require("./support/frames");

// Off by more than this in a channel, a pixel differs; rasterisers may differ
// at edges and in the mipmap level chosen for a slanted face.
const CHANNEL_TOLERANCE = 16;
const MOST_DIFFERING = 0.005;

let session;
let page;
before(async () => {
  session = await startBrowser();
  page = await openPage(session);
});
after(async () => session && (await session.close()));

async function assertMatchesLinux(frame, actions, what) {
  const web = await frames.readCanvas(page);
  const linux = frames.referenceFrame(frame, actions);
  const difference = frames.compare(web, linux, CHANNEL_TOLERANCE);
  assert.ok(
    difference.differing <= MOST_DIFFERING * difference.total,
    `${what}, frame ${frame}: ${difference.differing} of ${difference.total} pixels differ (by up to ${difference.largest})`
  );
}

// [name, virtual key, character] as the page types them.
const KEYS = [
  ["d", 68, 100],
  ["u", 85, 117],
  ["u", 85, 117],
  ["ArrowUp", 38, 0],
  ["ArrowDown", 40, 0],
  ["ArrowDown", 40, 0],
  ["ArrowLeft", 37, 0],
  ["ArrowRight", 39, 0],
  ["ArrowRight", 39, 0],
  ["f", 70, 102],
  ["s", 83, 115],
  ["s", 83, 115],
  ["2", 50, 50],
  ["3", 51, 51],
  ["4", 52, 52],
  ["1", 49, 49],
  ["r", 82, 114],
];

// The left drag turns the view and leaves the canvas on the way; the right
// one moves the camera and is released below it.
const DRAGS = [
  ["move", 300, 250],
  ["down", 0, 300, 250],
  ["move", 340, 270],
  ["move", -40, 300],
  ["up", 0, -40, 300],
  ["move", 300, 250],
  ["down", 1, 300, 250],
  ["move", 300, 200],
  ["move", 300, 560],
  ["up", 1, 300, 560],
];

test("the first frame shows the cube on the dark blue clear colour, as on Linux, titled rollbox1", async () => {
  await frames.startHeld(page, 2);
  const pixels = await frames.readCanvas(page);
  const corner = [...pixels.subarray(0, 3)];
  assert.ok(corner[0] === 0 && corner[1] === 0 && Math.abs(corner[2] - 77) <= 1, `the corner is ${corner}`);
  let cube = 0;
  for (let i = 0; i < pixels.length; i += 4) if (pixels[i] > 20) cube++;
  assert.ok(cube > 1000, `only ${cube} pixels of the cube`);
  await assertMatchesLinux(2, [], "the first frame");
  assert.strictEqual(await page.title(), "rollbox1");
  assertNoConsoleErrors(page);
});

test("every key and both drags change the frame as on Linux, frame by frame", async () => {
  await frames.startHeld(page, 10);
  const actions = [];
  let frame = 10;
  for (const [name, virtualKey, character] of KEYS) {
    const action = [frame, "key", virtualKey, character];
    actions.push(action);
    await frames.play(page, [action], frame + 3);
    await assertMatchesLinux(frame + 3, actions, `after ${name}`);
    frame += 6;
  }
  // A held key repeats as the browser repeats it.
  const held = [frame, "hold", 68, 100, 3];
  actions.push(held);
  await frames.play(page, [held], frame + 3);
  await assertMatchesLinux(frame + 3, actions, "after d held for three key-downs");
  frame += 6;
  for (const drag of DRAGS) {
    const action = [frame, ...drag];
    actions.push(action);
    await frames.play(page, [action], frame + 3);
    frame += 3;
  }
  await frames.play(page, [], frame + 2);
  await assertMatchesLinux(frame + 2, actions, "after the drags");
  assertNoConsoleErrors(page);
});

test("a hidden page is a minimised window: no frame while hidden, then the frame Linux shows", async () => {
  await frames.startHeld(page, 20);
  const other = await session.browser.newPage();
  await other.bringToFront();
  await page.waitForFunction(() => document.visibilityState === "hidden", { timeout: 30000, polling: 50 });
  // Released, the program draws its frame minimised, then waits for the page.
  await page.evaluate(() => {
    rollbox.holdAt = 25;
    const resume = rollbox.resumeHeld;
    rollbox.resumeHeld = null;
    resume();
  });
  await new Promise((resolve) => setTimeout(resolve, 1000));
  assert.strictEqual(await page.evaluate(() => rollbox.frames), 21);
  await page.bringToFront();
  await other.close();
  await page.waitForFunction(() => rollbox.frames === 25 && rollbox.resumeHeld !== null, {
    timeout: 30000,
    polling: 50,
  });
  await assertMatchesLinux(25, [[20, "hide"], [21, "show"]], "minimised and restored");
  assertNoConsoleErrors(page);
});

test("Escape ends the program with code 0, and it starts again", async () => {
  await frames.startHeld(page, 5);
  await page.evaluate(() => {
    rollbox.holdAt = 0;
    const resume = rollbox.resumeHeld;
    rollbox.resumeHeld = null;
    resume();
  });
  await page.keyboard.press("Escape");
  await page.waitForFunction(() => !document.getElementById("ended").hidden, { timeout: 30000 });
  const text = await page.$eval("#ended-text", (element) => element.textContent);
  assert.match(text, /ended, code 0/);
  await page.click("#start-again");
  await page.waitForFunction(() => rollbox.frames > 30, { timeout: 30000 });
  assert.strictEqual(await page.$eval("#ended", (element) => element.hidden), true);
  assertNoConsoleErrors(page);
});
