// The message queue on the null driver: the order in which a look takes
// messages, WM_QUIT, filters, broadcasts and the paint message.
#include <gtest/gtest.h>

#include "platform/standin/testing.h"
#include "tests/standin/core/recording_window.h"

static UINT take(HWND window = nullptr, UINT first = 0, UINT last = 0)
{
    MSG message;
    if (!PeekMessageA(&message, window, first, last, PM_REMOVE)) return WM_NULL;
    return message.message;
}

TEST(MessageQueue, PostedComeBeforeQuitBeforeInputBeforePaint)
{
    HWND window = open_recording_window();
    InvalidateRect(window, nullptr, FALSE);
    standin_button(window, 0, true, 5, 5);
    PostQuitMessage(3);
    PostMessageA(window, WM_USER, 1, 2);
    PostMessageA(window, WM_USER + 1, 0, 0);

    MSG message;
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(message.hwnd, window);
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_EQ(message.lParam, 2);
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0); // the quit, once no posted message is left
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(take(), static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(take(), static_cast<UINT>(WM_PAINT));
}

TEST(MessageQueue, PeekWithoutRemovingOnlyLooksAndRangesFilter)
{
    HWND window = open_recording_window();
    ValidateRect(window, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_USER + 5, 0, 0);

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_EQ(take(nullptr, WM_USER + 5, WM_USER + 5), static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(take(reinterpret_cast<HWND>(-1)), static_cast<UINT>(WM_NULL)); // thread messages only
    EXPECT_EQ(take(window), static_cast<UINT>(WM_USER));
    EXPECT_EQ(take(), static_cast<UINT>(WM_NULL));
}

TEST(MessageQueue, QuitIsTakenWhateverTheRangeButPeekingLeavesIt)
{
    PostQuitMessage(7);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(GetMessageA(&message, nullptr, WM_USER, WM_USER), 0);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageQueue, BroadcastReachesEveryTopLevelWindow)
{
    HWND first = create_recording_window();
    HWND second = open_recording_window();
    EXPECT_TRUE(PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0));
    ASSERT_TRUE(pump_messages());
    std::vector<Received> changes = received_of(WM_SYSCOLORCHANGE);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].window, first);
    EXPECT_EQ(changes[1].window, second);
}

TEST(MessageQueue, ThreadMessagesAreTakenButNotDispatched)
{
    open_recording_window();
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER, 0, 0));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_EQ(DispatchMessageA(&message), 0);
    EXPECT_TRUE(received.empty());
}

TEST(Painting, InvalidationsCoalesceIntoOnePaintUntilBeginPaintValidates)
{
    HWND window = open_recording_window();
    ValidateRect(window, nullptr);
    RECT part = {10, 10, 20, 20};
    InvalidateRect(window, &part, FALSE);
    InvalidateRect(window, nullptr, FALSE);
    InvalidateRect(window, nullptr, FALSE);

    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
    // Not validated: the paint comes again, as on Windows.
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));

    PAINTSTRUCT paint;
    ASSERT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_EQ(paint.rcPaint.right, 200);
    EXPECT_EQ(paint.rcPaint.bottom, 150);
    EXPECT_TRUE(EndPaint(window, &paint));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST(Painting, HiddenWindowsGetNoPaintAndExposureInvalidates)
{
    HWND window = create_recording_window();
    InvalidateRect(window, nullptr, TRUE);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));

    ShowWindow(window, SW_SHOW);
    ASSERT_TRUE(pump_messages());
    EXPECT_EQ(received_of(WM_PAINT).size(), 1u);
    EXPECT_EQ(received_of(WM_ERASEBKGND).size(), 1u); // DefWindowProcA paints as BeginPaint would

    standin_expose(window);
    EXPECT_TRUE(PeekMessageA(&message, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST(Painting, BeginPaintErasesFirstWhenAskedTo)
{
    HWND window = open_recording_window();
    InvalidateRect(window, nullptr, TRUE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ASSERT_NE(dc, nullptr);
    std::vector<Received> erases = received_of(WM_ERASEBKGND);
    ASSERT_EQ(erases.size(), 1u);
    EXPECT_EQ(erases[0].wParam, reinterpret_cast<WPARAM>(dc));
    EXPECT_TRUE(paint.fErase); // the recording procedure's DefWindowProcA erased nothing
    EndPaint(window, &paint);
}
