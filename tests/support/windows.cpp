#include "tests/support/windows.h"

#include <cstdio>

#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/recording.h"

HWND open_test_window(WNDPROC procedure, UINT class_style, int x, int y, int width, int height)
{
    char name[64];
    std::snprintf(name, sizeof name, "test window %p %u", reinterpret_cast<void*>(procedure), class_style);
    WNDCLASSA window_class = {};
    window_class.style = class_style;
    window_class.lpfnWndProc = procedure;
    window_class.lpszClassName = name;
    RegisterClassA(&window_class); // refused, harmlessly, once registered
    RECT outer = {x, y, x + width, y + height};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExA(0, name, "test", WS_OVERLAPPEDWINDOW, outer.left, outer.top,
        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

HGLRC make_gl_current(HDC dc)
{
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.cColorBits = 24;
    request.cDepthBits = 16;
    int format = ChoosePixelFormat(dc, &request);
    if (format == 0 || !SetPixelFormat(dc, format, &request)) return nullptr;
    HGLRC context = wglCreateContext(dc);
    return context != nullptr && wglMakeCurrent(dc, context) ? context : nullptr;
}

HWND open_toolkit_window(int32_t mode)
{
    toolkit_set_position(100, 100, 600, 500);
    toolkit_set_display_mode(mode);
    EXPECT_EQ(toolkit_open_window("toolkit test"), 1);
    pump_messages();
    return toolkit_state.toolkit_window;
}

bool all_hooks_empty()
{
    const ToolkitState& s = toolkit_state;
    return !s.reshape_hook && !s.display_hook && !s.key_down_hook && !s.mouse_down_hook && !s.mouse_up_hook &&
        !s.mouse_move_hook && !s.idle_hook;
}

std::vector<double> gl_values(GLenum name, size_t count)
{
    std::vector<double> values(16);
    glGetDoublev(name, values.data());
    values.resize(count);
    return values;
}

std::vector<int> pixel(HWND window, int x, int y)
{
    unsigned char rgba[4] = {};
    EXPECT_TRUE(standin_read_pixels(window, x, y, 1, 1, rgba));
    return {rgba[0], rgba[1], rgba[2]};
}

void GlContextTest::SetUp()
{
    FreshState::SetUp();
    toolkit_state.toolkit_window = open_test_window(DefWindowProcA, 0, 0, 0, SIDE, SIDE);
    toolkit_state.toolkit_dc = GetDC(toolkit_state.toolkit_window);
    ASSERT_NE(make_gl_current(toolkit_state.toolkit_dc), nullptr);
    glViewport(0, 0, SIDE, SIDE);
}

std::vector<unsigned char> GlContextTest::read_frame()
{
    std::vector<unsigned char> rgba(SIDE * SIDE * 4);
    EXPECT_TRUE(standin_read_pixels(toolkit_state.toolkit_window, 0, 0, SIDE, SIDE, rgba.data()));
    return rgba;
}
