#include "tests/palette/palette_test_window.h"

#include <gtest/gtest.h>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HDC open_palette_test_window(int32_t display_mode, bool set_format)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = plain_procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "PaletteTestWindow";
    EXPECT_NE(RegisterClassA(&window_class), 0);
    HWND window = CreateWindowExA(0, "PaletteTestWindow", "palette", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
        nullptr, nullptr, window_class.hInstance, nullptr);
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL); // and active, as the toolkit's window is
    HDC dc = GetDC(window);
    EXPECT_NE(dc, nullptr);
    toolkit_state.toolkit_window = window;
    toolkit_state.toolkit_dc = dc;
    toolkit_settings.display_mode = display_mode;
    if (set_format) {
        PIXELFORMATDESCRIPTOR request;
        int number = choose_best_pixel_format(dc, display_mode, &request);
        EXPECT_GT(number, 0);
        EXPECT_TRUE(SetPixelFormat(dc, number, &request));
    }
    return dc;
}

int take_waiting_messages(UINT message)
{
    int count = 0;
    MSG waiting;
    while (PeekMessageA(&waiting, nullptr, message, message, PM_REMOVE)) count++;
    return count;
}
