// Frames of the program in the page, held exactly: the page holds the program
// after a given frame (rollbox.holdAt), input arrives while it is held, and
// the canvas is read back then.
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const WIDTH = 600;
const HEIGHT = 500;

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
  if (kind === "key") await page.keyboard.press(KEY_NAMES[a] || String.fromCharCode(b));
  if (kind === "move") await page.mouse.move(rect.left + a, rect.top + b);
  if (kind === "down" || kind === "up") {
    await page.mouse.move(rect.left + b, rect.top + c);
    await page.mouse[kind]({ button: buttons[a] });
  }
}

// Starts the program afresh and runs it to `frame`, each action [after, kind,
// ...] arriving once `after` frames are shown; the program is left held there.
async function runTo(page, frame, actions = []) {
  const stops = [...new Set(actions.map((action) => action[0]).concat([frame]))].sort((x, y) => x - y);
  await page.evaluate((first) => {
    rollbox.holdAt = first;
    rollbox.restart();
  }, stops[0]);
  for (const stop of stops) {
    await waitHeldAt(page, stop);
    for (const action of actions.filter((candidate) => candidate[0] === stop)) await deliver(page, action.slice(1));
    if (stop === frame) break;
    const next = stops[stops.indexOf(stop) + 1];
    await page.evaluate((n) => {
      rollbox.holdAt = n;
      const resume = rollbox.resumeHeld;
      rollbox.resumeHeld = null;
      resume();
    }, next);
  }
}

// The Linux build's frame for the same state (tests/web/reference_frame).
function referenceFrame(frame, actions = [], pictureDir = null) {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "rollbox1-reference-")), "frame.rgba");
  const args = [out, String(frame)].concat(actions.map((action) => action.join(":")));
  execFileSync(process.env.ROLLBOX_REFERENCE_FRAME, args, { cwd: pictureDir || os.tmpdir() });
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

module.exports = { WIDTH, HEIGHT, runTo, readCanvas, referenceFrame, compare, waitHeldAt };
