// The web driver's page side, an Emscripten library: the waits that give the
// browser its turn (Asyncify suspends the program in them and resumes it where
// it was), the canvas, the title and the page's dialogs.
// The page may replace how a frame is awaited (Module.nextFrame, a promise)
// and must offer the dialogs (Module.openMessageBox, messageBoxIsOpen,
// closeMessageBox). A program the page has stopped (Module.stopped, when it
// starts another) never goes on.
mergeInto(LibraryManager.library, {
  // One frame per animation frame of the page: the one just drawn is shown
  // meanwhile. A hidden page has no animation frames, so the program sleeps.
  web_page_wait_frame: function () {
    return Asyncify.handleAsync(async () => {
      await (Module.nextFrame ? Module.nextFrame() : new Promise((resolve) => requestAnimationFrame(resolve)));
      if (Module.stopped) await new Promise(() => {});
    });
  },

  // Until an event arrives (web_page_wake) or `timeout` milliseconds pass
  // (-1: no limit).
  web_page_sleep: function (timeout) {
    return Asyncify.handleAsync(async () => {
      await new Promise((resolve) => {
        Module.wakeProgram = resolve;
        if (timeout >= 0) setTimeout(resolve, timeout);
      });
      Module.wakeProgram = null;
      if (Module.stopped) await new Promise(() => {});
    });
  },

  web_page_wake: function () {
    if (Module.wakeProgram) Module.wakeProgram();
  },

  web_page_has_canvas: function () {
    return Module.canvas ? 1 : 0;
  },

  web_page_set_title: function (title) {
    document.title = UTF8ToString(title);
  },

  web_page_focus_canvas: function () {
    Module.canvas.focus();
  },

  // A press on the canvas captures the pointer, so that a drag goes on
  // outside the browser's window too; the right button's menu would take
  // the mouse from a zoom drag.
  web_page_hold_mouse: function (hold) {
    const canvas = Module.canvas;
    canvas.onpointerdown = hold ? (event) => canvas.setPointerCapture(event.pointerId) : null;
    canvas.oncontextmenu = hold ? (event) => event.preventDefault() : null;
  },

  // The canvas's top-left corner in the page's viewport.
  web_page_canvas_rect: function (leftTop) {
    const rect = Module.canvas.getBoundingClientRect();
    HEAPF64[leftTop >> 3] = rect.left;
    HEAPF64[(leftTop >> 3) + 1] = rect.top;
  },

  // The page's viewport stands for the screen.
  web_page_screen_size: function (widthHeight) {
    HEAP32[widthHeight >> 2] = window.innerWidth;
    HEAP32[(widthHeight >> 2) + 1] = window.innerHeight;
  },

  web_page_open_box: function (text, caption) {
    return Module.openMessageBox(UTF8ToString(text), UTF8ToString(caption));
  },

  web_page_box_is_open: function (box) {
    return Module.messageBoxIsOpen(box) ? 1 : 0;
  },

  web_page_close_box: function (box) {
    Module.closeMessageBox(box);
  },
});
