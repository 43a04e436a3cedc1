// The reset every test starts from: every area of the stand-in as at process
// start, whatever a test left behind (the journal and its injected faults
// are exercised by every test that uses them).
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

using Kernel = FreshState;

TEST_F(Kernel, TheResetStartsEverythingAfresh)
{
    standin_set_palette_display(true, true);
    HWND window = open_test_window(DefWindowProcA, 0, 0, 0, 10, 10);
    HDC dc = GetDC(window);
    ASSERT_NE(make_gl_current(dc), nullptr);
    PostQuitMessage(0);
    INT index = COLOR_WINDOW;
    COLORREF black = 0;
    SetSysColors(1, &index, &black);
    standin_registry_delete_colours_key();
    standin_set_version(1, 4, 0);
    standin_fail_next("GetDC", 1);
    MessageBoxA(nullptr, "box", "caption", MB_OK);
    standin_reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetPixelFormat(dc), 0);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(message_waiting(nullptr, WM_QUIT));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    EXPECT_EQ(version.dwMajorVersion, 10u);
    EXPECT_EQ(
        std::vector<int>({standin_message_box_count(), standin_display_depth()}), std::vector<int>({0, 24}));
    EXPECT_EQ(standin_driver_name(), nullptr);
    EXPECT_NE(GetDC(open_test_window(DefWindowProcA, 0, 0, 0, 10, 10)), nullptr) << "no fault left waiting";
    EXPECT_STREQ(standin_driver_name(), "null");
}
