// Frames of the program in the page, held exactly: the page holds the program
// after a given frame (rollbox.holdAt), input arrives while it is held, and
// the canvas is read back then.
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

async function waitHeldAt(page, frame) {
  await page.waitForFunction((n) => rollbox.frames === n && rollbox.resumeHeld !== null, { timeout: 60000 }, frame);
}

// The canvas's pixels, rows bottom to top, RGBA.
async function readCanvas(page) {
  const base64 = await page.evaluate(() => {
    const gl = document.getElementById("canvas").getContext("webgl");
    const pixels = new Uint8Array(gl.drawingBufferWidth * gl.drawingBufferHeight * 4);
    gl.readPixels(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let text = "";
    for (let i = 0; i < pixels.length; i += 0x8000) text += String.fromCharCode(...pixels.subarray(i, i + 0x8000));
    return btoa(text);
  });
  return Buffer.from(base64, "base64");
}

// The page's keys for the actions' virtual keys.
const KEY_NAMES = { 37: "ArrowLeft", 38: "ArrowUp", 39: "ArrowRight", 40: "ArrowDown", 27: "Escape" };

async function deliver(page, action) {
  const [kind, a, b, c] = action;
  const rect = await page.evaluate(() => {
    const r = document.getElementById("canvas").getBoundingClientRect();
    return { left: r.left, top: r.top };
  });
  const buttons = ["left", "right", "middle"];
  const key = KEY_NAMES[a] || String.fromCharCode(b);
  if (kind === "key") await page.keyboard.press(key);
  if (kind === "hold") {
    // The second and later key-downs are the browser's repeats.
    for (let i = 0; i < c; i++) await page.keyboard.down(key);
    await page.keyboard.up(key);
  }
  if (kind === "move") await page.mouse.move(rect.left + a, rect.top + b);
  if (kind === "down" || kind === "up") {
    await page.mouse.move(rect.left + b, rect.top + c);
    await page.mouse[kind]({ button: buttons[a] });
  }
}

// Starts the program afresh, held once it has shown `frame` frames.
async function startHeld(page, frame) {
  await page.evaluate((n) => {
    rollbox.holdAt = n;
    rollbox.restart();
  }, frame);
  await waitHeldAt(page, frame);
}

async function resumeTo(page, frame) {
  await page.evaluate((n) => {
    rollbox.holdAt = n;
    const resume = rollbox.resumeHeld;
    rollbox.resumeHeld = null;
    resume();
  }, frame);
  await waitHeldAt(page, frame);
}

// From where the program is held, each action [after, kind, ...] arriving
// once `after` frames are shown, up to `frame`, where it is held again.
async function play(page, actions, frame) {
  let held = await page.evaluate(() => rollbox.frames);
  for (const action of [...actions].sort((x, y) => x[0] - y[0])) {
    if (action[0] !== held) await resumeTo(page, (held = action[0]));
    await deliver(page, action.slice(1));
  }
  if (frame !== held) await resumeTo(page, frame);
}

// The Linux build's frame for the same state (tests/web/reference_frame).
// `environment` adds to the program's (ROLLBOX_PALETTE_DISPLAY=1).
function referenceFrame(frame, actions = [], environment = {}) {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "rollbox1-reference-")), "frame.rgba");
  const args = [out, String(frame)].concat(actions.map((action) => action.join(":")));
  execFileSync(process.env.ROLLBOX_REFERENCE_FRAME, args, {
    cwd: path.dirname(out),
    env: { ...process.env, ...environment },
  });
  const pixels = fs.readFileSync(out);
  fs.rmSync(path.dirname(out), { recursive: true, force: true });
  return pixels;
}

// How two frames differ: the pixels with any channel off by more than
// `tolerance`, and the largest difference of a channel.
function compare(a, b, tolerance) {
  let differing = 0;
  let largest = 0;
  for (let i = 0; i < a.length; i += 4) {
    let off = 0;
    for (let c = 0; c < 3; c++) off = Math.max(off, Math.abs(a[i + c] - b[i + c]));
    largest = Math.max(largest, off);
    if (off > tolerance) differing++;
  }
  return { differing, largest, total: a.length / 4 };
}

module.exports = { startHeld, resumeTo, play, readCanvas, referenceFrame, compare };
