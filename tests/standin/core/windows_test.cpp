// Window classes and windows on the null driver: the messages creation, showing
// and destruction send, in Windows' order, and the geometry calls agreeing.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/standin/testing.h"
#include "tests/standin/core/recording_window.h"

using Messages = std::vector<UINT>;

TEST(WindowClasses, SecondRegistrationOfANameFailsWhateverItsCase)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = "Twice";
    EXPECT_NE(RegisterClassA(&window_class), 0);
    EXPECT_EQ(RegisterClassA(&window_class), 0);
    window_class.lpszClassName = "TWICE";
    EXPECT_EQ(RegisterClassA(&window_class), 0);
    window_class.lpszClassName = "Other";
    EXPECT_NE(RegisterClassA(&window_class), 0);
}

TEST(WindowClasses, StockIconAndArrowExistOnlyAsStockResources)
{
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), IDI_APPLICATION), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST(WindowLifecycle, CreationSendsCreateMessagesOnlyAndShowingActivatesThenSizesAndMoves)
{
    HWND window = create_recording_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(received_messages(), (Messages{WM_NCCREATE, WM_CREATE}));
    EXPECT_EQ(GetFocus(), nullptr);

    received.clear();
    EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT)); // it was hidden
    EXPECT_EQ(received_messages(),
        (Messages{WM_SHOWWINDOW, WM_QUERYNEWPALETTE, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS,
            WM_SIZE, WM_MOVE}));
    EXPECT_EQ(LOWORD(received_of(WM_ACTIVATE)[0].wParam), WA_ACTIVE);
    EXPECT_EQ(received_of(WM_SIZE)[0].lParam, MAKELPARAM(200, 150));
    EXPECT_EQ(received_of(WM_MOVE)[0].lParam, MAKELPARAM(100, 100));
    EXPECT_EQ(GetFocus(), window);

    received.clear();
    EXPECT_TRUE(ShowWindow(window, SW_SHOWDEFAULT)); // already visible: nothing sent
    EXPECT_TRUE(received.empty());
}

TEST(WindowLifecycle, DestructionDeactivatesThenSendsDestroyBeforeReturningAndKillsTheHandle)
{
    HWND window = open_recording_window();
    PostMessageA(window, WM_USER, 0, 0);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(received_messages(),
        (Messages{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(LOWORD(received_of(WM_ACTIVATE)[0].wParam), WA_INACTIVE);
    EXPECT_EQ(GetFocus(), nullptr);

    // The destroyed window's posted messages are gone with it.
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));

    RECT rect;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_FALSE(GetWindowRect(window, &rect));
    EXPECT_FALSE(GetClientRect(window, &rect));
    EXPECT_FALSE(InvalidateRect(window, nullptr, FALSE));
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(SetCapture(window), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(WindowLifecycle, AHandleIsNeverReusedForALaterWindow)
{
    HWND first = create_recording_window();
    DestroyWindow(first);
    HWND second = create_recording_window();
    EXPECT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
}

TEST(WindowLifecycle, HandlesAreSmallNumbersThatPrintAsEightHexDigits)
{
    HWND window = create_recording_window();
    char text[64];
    std::snprintf(
        text, sizeof text, "0x%08lX", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    EXPECT_EQ(std::string(text).size(), 10u);
    EXPECT_LT(reinterpret_cast<ULONG_PTR>(window), 0x100000000u);
}

TEST(WindowLifecycle, DestroyingFromInsideCreateFailsTheCreation)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        received.push_back(Received{window, message, wParam, lParam});
        return message == WM_CREATE ? -1 : DefWindowProcA(window, message, wParam, lParam);
    };
    window_class.lpszClassName = "Refusing";
    RegisterClassA(&window_class);
    EXPECT_EQ(CreateWindowExA(
                  0, "Refusing", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(received_messages(), (Messages{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST(WindowLifecycle, UnknownClassCreatesNothing)
{
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                  nullptr, nullptr),
        nullptr);
}

TEST(WindowGeometry, AdjustedRectangleWindowRectangleClientRectangleAndMetricsAgree)
{
    int frame_x = GetSystemMetrics(SM_CXFRAME);
    int frame_y = GetSystemMetrics(SM_CYFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    RECT outer = {100, 100, 700, 600};
    ASSERT_TRUE(AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE));
    EXPECT_EQ(outer.left, 100 - frame_x);
    EXPECT_EQ(outer.top, 100 - frame_y - caption);
    EXPECT_EQ(outer.right, 700 + frame_x);
    EXPECT_EQ(outer.bottom, 600 + frame_y);

    HWND window = create_recording_window();
    RECT window_rect;
    RECT client_rect;
    ASSERT_TRUE(GetWindowRect(window, &window_rect));
    ASSERT_TRUE(GetClientRect(window, &client_rect));
    EXPECT_EQ(client_rect.left, 0);
    EXPECT_EQ(client_rect.top, 0);
    EXPECT_EQ(client_rect.right, 200);
    EXPECT_EQ(client_rect.bottom, 150);
    EXPECT_EQ(window_rect.left, 100 - frame_x);
    EXPECT_EQ(window_rect.top, 100 - frame_y - caption);
    EXPECT_EQ(window_rect.right - window_rect.left, 200 + 2 * frame_x);

    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
}

TEST(WindowGeometry, MovesAndSizesFromTheDriverKeepTheRectanglesCurrent)
{
    HWND window = open_recording_window();
    standin_move(window, 300, 200);
    standin_resize(window, 640, 480, false);
    ASSERT_TRUE(pump_messages());
    EXPECT_EQ(received_of(WM_MOVE).at(0).lParam, MAKELPARAM(300, 200));
    EXPECT_EQ(received_of(WM_SIZE).at(0).wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(received_of(WM_SIZE).at(0).lParam, MAKELPARAM(640, 480));
    RECT client;
    RECT outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(outer.left, 300 - GetSystemMetrics(SM_CXFRAME));

    received.clear();
    standin_resize(window, 0, 0, true);
    ASSERT_TRUE(pump_messages());
    ASSERT_EQ(received_of(WM_SIZE).size(), 1u);
    EXPECT_EQ(received_of(WM_SIZE)[0].wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(received_of(WM_SIZE)[0].lParam, 0);
}
