// A plain top-level window on the null driver for the GDI tests, recording the
// WM_PALETTECHANGED messages it is sent.
#pragma once

#include "platform/win32.h"

HWND open_gdi_test_window(int width, int height);
int palette_changed_count();
WPARAM last_palette_changed_window();

// A window whose client area is width x height, with a double-buffered RGBA
// format set and a rendering context current on it.
HGLRC open_gl_test_window(int width, int height, HWND* window, HDC* dc);
