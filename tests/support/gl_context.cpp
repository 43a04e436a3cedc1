#include "tests/support/gl_context.h"

#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

static HWND window;
static HDC dc;
static HGLRC context;

bool open_gl_context(int width, int height)
{
    if (!standin_select_driver("null")) return false;
    WNDCLASSA window_class = {
        0, DefWindowProcA, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "rollbox gl test"};
    RegisterClassA(&window_class); // fails, harmlessly, after the first time
    // A popup has no frame: the window is all client area.
    window = CreateWindowExA(0, "rollbox gl test", "gl test", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
        0, width, height, nullptr, nullptr, nullptr, nullptr);
    if (!window) return false;
    dc = GetDC(window);
    // Double-buffered RGBA, 24 colour bits and 16 depth bits.
    PIXELFORMATDESCRIPTOR request = {sizeof(PIXELFORMATDESCRIPTOR), 1,
        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 24, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 16, 0, 0, PFD_MAIN_PLANE, 0, 0, 0, 0};
    int format = ChoosePixelFormat(dc, &request);
    if (format == 0 || !SetPixelFormat(dc, format, &request)) return false;
    context = wglCreateContext(dc);
    if (!context || !wglMakeCurrent(dc, context)) return false;
    toolkit_state.toolkit_window = window;
    toolkit_state.toolkit_dc = dc;
    glViewport(0, 0, width, height);
    return true;
}

void close_gl_context()
{
    toolkit_state.toolkit_window = nullptr;
    toolkit_state.toolkit_dc = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (context) wglDeleteContext(context);
    if (dc) ReleaseDC(window, dc);
    if (window) DestroyWindow(window);
    context = nullptr;
    dc = nullptr;
    window = nullptr;
}
