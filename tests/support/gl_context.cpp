// The gl tests' context, made the way the toolkit makes its own: a window on
// the stand-in's null driver (an EGL pbuffer on Mesa, no display), its device
// context with a double-buffered RGBA format and a 16-bit depth buffer, and a
// WGL context made current. The window's device context is the toolkit's too,
// so swap_buffers presents the demonstration's frames in it.
#include "tests/support/gl_context.h"

#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

static HWND window;
static HDC dc;
static HGLRC context;

// Once per process: a second registration of a name fails, as on Windows.
static bool register_class()
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "rollbox gl test";
    registered = RegisterClassA(&window_class) != 0;
    return registered;
}

bool open_gl_context(int width, int height)
{
    if (!standin_select_driver("null") || !register_class()) return false;
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    window = CreateWindowExA(0, "rollbox gl test", "gl test",
        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, frame.right - frame.left,
        frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return false;
    dc = GetDC(window);
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    request.iLayerType = PFD_MAIN_PLANE;
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

bool read_frame_pixels(int x, int y, int width, int height, unsigned char* rgba)
{
    return standin_read_pixels(window, x, y, width, height, rgba);
}
