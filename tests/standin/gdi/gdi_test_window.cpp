#include "tests/standin/gdi/gdi_test_window.h"

#include <gtest/gtest.h>

static int palette_changes;
static WPARAM palette_changer;

static LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PALETTECHANGED) {
        palette_changes++;
        palette_changer = wParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND open_gdi_test_window(int width, int height)
{
    static bool registered;
    if (!registered) {
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = recording_procedure;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = "GdiTestWindow";
        EXPECT_NE(RegisterClassA(&window_class), 0);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "GdiTestWindow", "gdi", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

int palette_changed_count()
{
    return palette_changes;
}

WPARAM last_palette_changed_window()
{
    return palette_changer;
}

// The window's client area is made exactly width x height.
HGLRC open_gl_test_window(int width, int height, HWND* window, HDC* dc)
{
    RECT outer = {0, 0, width, height};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    *window = open_gdi_test_window(outer.right - outer.left, outer.bottom - outer.top);
    *dc = GetDC(*window);
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    int format = ChoosePixelFormat(*dc, &request);
    EXPECT_GT(format, 0);
    EXPECT_TRUE(SetPixelFormat(*dc, format, &request));
    HGLRC context = wglCreateContext(*dc);
    EXPECT_NE(context, nullptr);
    EXPECT_TRUE(wglMakeCurrent(*dc, context));
    return context;
}
