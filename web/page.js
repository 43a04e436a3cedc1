// The page around the program: starts it on a fresh canvas with the chosen
// pictures in its folder, shows its message boxes as modal dialogs, says
// when it ended and offers to start it again. `?palette=1` turns on the
// simulated palette display. window.rollbox is what tests look at.
"use strict";

const page = {
  pictures: [], // {name, bytes} written into the program's folder at each start
  program: null, // the running module
  frames: 0, // frames the program has shown since it started
  firstFrameAt: 0, // when the first of them was shown, in ms since the page began
  holdAt: 0, // the frame to hold the program at (0: never), for tests
  resumeHeld: null,
  boxes: 0,
};

const element = (id) => document.getElementById(id);

// One frame per animation frame; a test may hold the program after a frame.
function nextFrame() {
  if (page.frames === 0) page.firstFrameAt = performance.now();
  page.frames++;
  if (page.frames === page.holdAt) return new Promise((resolve) => (page.resumeHeld = resolve));
  return new Promise((resolve) => requestAnimationFrame(resolve));
}

function openMessageBox(text, caption) {
  const dialog = element("message-box");
  element("message-caption").textContent = caption;
  element("message-text").textContent = text;
  page.boxes++;
  dialog.dataset.box = String(page.boxes);
  dialog.showModal();
  return page.boxes;
}

function messageBoxIsOpen(box) {
  const dialog = element("message-box");
  return dialog.open && dialog.dataset.box === String(box);
}

function closeMessageBox(box) {
  if (messageBoxIsOpen(box)) element("message-box").close();
}

// OK (or Escape) closes the dialog; the waiting program goes on.
element("message-box").addEventListener("close", () => {
  if (page.program && page.program.wakeProgram) page.program.wakeProgram();
});

function showEnded(text) {
  element("ended-text").textContent = text;
  element("ended").hidden = false;
}

// A new canvas for every run: the last run's GL state stays with the old one.
function freshCanvas() {
  const old = element("canvas");
  const canvas = old.cloneNode(false);
  old.replaceWith(canvas);
  return canvas;
}

function start() {
  element("ended").hidden = true;
  page.frames = 0;
  const palette = new URLSearchParams(location.search).get("palette") === "1";
  const module = {
    canvas: freshCanvas(),
    // A program stopped before it got this far must not count frames.
    nextFrame: () => (module.stopped ? letGo(module) : nextFrame()),
    openMessageBox,
    messageBoxIsOpen,
    closeMessageBox,
    preRun: [
      (program) => {
        for (const picture of page.pictures) program.FS.writeFile(picture.name, picture.bytes);
        if (palette) program.ENV.ROLLBOX_PALETTE_DISPLAY = "1";
      },
    ],
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onExit: (code) => {
      module.ended = true;
      showEnded(`rollbox1 ended, code ${code}.`);
    },
    onAbort: (what) => {
      module.ended = true;
      showEnded(`rollbox1 stopped: ${what}`);
    },
  };
  page.program = module;
  createRollbox(module);
}

async function choosePictures(files) {
  const { pictures, unreadable } = await picturesOf(Array.from(files));
  element("picture-report").textContent =
    unreadable.length === 0 ? "" : `Unreadable, skipped: ${unreadable.join(", ")}`;
  page.pictures = pictures;
  // The program reads its pictures once, at start-up: start it again.
  restart();
}

// A stopped program lets go of the page's events (once it runs: one still
// loading does so at its first frame) and waits for good.
function letGo(module) {
  if (module.calledRun && !module.ended) module._web_page_stopped();
  return new Promise(() => {});
}

// A running program stops where it waits, and a new one starts.
function restart() {
  if (page.program) {
    page.program.stopped = true;
    letGo(page.program);
  }
  page.resumeHeld = null;
  start();
}

// A program ending while it was resumed from a wait ends by throwing its exit
// status out of that wait's promise: an end, not an error.
window.addEventListener("unhandledrejection", (event) => {
  if (event.reason && event.reason.name === "ExitStatus") event.preventDefault();
});

element("picture-files").addEventListener("change", (event) => choosePictures(event.target.files));
element("start-again").addEventListener("click", restart);
const dropZone = document.body;
dropZone.addEventListener("dragover", (event) => {
  event.preventDefault();
  element("pictures").classList.add("dropping");
});
dropZone.addEventListener("dragleave", () => element("pictures").classList.remove("dropping"));
dropZone.addEventListener("drop", (event) => {
  event.preventDefault();
  element("pictures").classList.remove("dropping");
  choosePictures(event.dataTransfer.files);
});

page.restart = restart;
window.rollbox = page;
start();
