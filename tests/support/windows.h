// Windows for tests on the headless driver: plain ones, the toolkit's own, and
// the base of the gl tests, a current context on a window the toolkit swaps.
#pragma once

#include <vector>

#include "platform/gl.h"
#include "tests/support/fresh_state.h"
#include "toolkit/toolkit.h"

// A shown window of a class with this procedure and style, its client area
// width x height at (x, y); the class is registered on first use.
HWND open_test_window(WNDPROC procedure, UINT class_style, int x, int y, int width, int height);

// A double-buffered RGBA format with 16 depth bits set, and a rendering
// context current on it; null when any step fails.
HGLRC make_gl_current(HDC dc);

// The toolkit's window as the demonstration asks for it: outer corner near
// (100, 100), client 600 x 500, by default double-buffered with 16 depth bits.
HWND open_toolkit_window(int32_t mode = DISPLAY_DOUBLE | DISPLAY_DEPTH16);

bool all_hooks_empty();

// The first `count` values of a piece of the current context's state.
std::vector<double> gl_values(GLenum name, size_t count);

// A window's pixel (x, y) as last shown, counted from the bottom left: red, green, blue.
std::vector<int> pixel(HWND window, int x, int y);

class GlContextTest : public FreshState {
protected:
    static const int SIDE = 256;
    void SetUp() override;
    // The frame as shown, rows bottom to top, RGBA.
    std::vector<unsigned char> read_frame();
};
