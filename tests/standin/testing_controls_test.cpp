// The reset every test starts from: the stand-in's windows, queue, system
// colours, GDI and driver as at process start, whatever a test left behind
// (the kernel's in tests/standin/kernel; the journal and its injected faults
// are exercised by every test that uses them).
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

using Reset = FreshState;

TEST_F(Reset, StartsEverythingAfresh)
{
    standin_set_palette_display(true, true);
    HWND window = open_test_window(DefWindowProcA, 0, 0, 0, 10, 10);
    HDC dc = GetDC(window);
    ASSERT_NE(make_gl_current(dc), nullptr);
    PostQuitMessage(0);
    INT index = COLOR_WINDOW;
    COLORREF black = 0;
    SetSysColors(1, &index, &black);
    standin_fail_next("GetDC", 1);
    MessageBoxA(nullptr, "box", "caption", MB_OK);
    standin_reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetPixelFormat(dc), 0);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(message_waiting(nullptr, WM_QUIT));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(standin_display_depth(), 24);
    EXPECT_EQ(standin_driver_name(), nullptr);
    EXPECT_NE(GetDC(open_test_window(DefWindowProcA, 0, 0, 0, 10, 10)), nullptr) << "no fault left waiting";
    EXPECT_STREQ(standin_driver_name(), "null");
}
