// `?palette=1` puts the program on the simulated palette display: the canvas
// shows at most 256 colours, and the same ones as the Linux build's palette
// display for the same frame.
"use strict";
const { test, after, before } = require("node:test");
const assert = require("node:assert");
require("./support/setup").requireSite();
const { assertNoConsoleErrors } = require("./support/setup");
const { startBrowser, openPage } = require("./support/browser");
const frames = require("./support/frames");

let session;
before(async () => (session = await startBrowser()));
after(async () => session && (await session.close()));

function colours(pixels) {
  const seen = new Set();
  for (let i = 0; i < pixels.length; i += 4) seen.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
  return seen;
}

test("?palette=1 shows at most 256 colours, those of the Linux build's palette display", async () => {
  const page = await openPage(session, "?palette=1");
  await frames.startHeld(page, 60);
  const web = await frames.readCanvas(page);
  const linux = frames.referenceFrame(60, [], { ROLLBOX_PALETTE_DISPLAY: "1" });
  const shown = colours(web);
  assert.ok(shown.size <= 256 && shown.size > 2, `${shown.size} colours`);
  assert.notDeepStrictEqual([...web.subarray(0, 3)], [0, 0, 77], "the background is in full colour");
  const difference = frames.compare(web, linux, 16);
  assert.ok(
    difference.differing <= 0.01 * difference.total,
    `${difference.differing} of ${difference.total} pixels differ from the Linux build's`
  );
  assertNoConsoleErrors(page);
});
