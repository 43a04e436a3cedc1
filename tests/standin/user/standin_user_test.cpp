// The stand-in's USER side on the headless driver: the messages of a window's
// life in Windows' order, the queue's order and filters, painting, keys and
// their characters, the mouse and capture.
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

namespace {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> received;

LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(Received{window, message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

// Shown, with a 200 x 150 client area at (x, y), its first messages gone.
HWND open_recording_window(int x = 100, int y = 100)
{
    HWND window = open_test_window(recording_procedure, CS_HREDRAW | CS_VREDRAW, x, y, 200, 150);
    pump_messages();
    received.clear();
    return window;
}

std::vector<Received> of(UINT message)
{
    std::vector<Received> found;
    for (const Received& one : received)
        if (one.message == message) found.push_back(one);
    return found;
}

std::vector<UINT> all_messages()
{
    std::vector<UINT> found;
    for (const Received& one : received) found.push_back(one.message);
    return found;
}

} // namespace

using Windows = FreshState;

TEST_F(Windows, CreationShowingAndDestructionSendTheirMessagesInWindowsOrder)
{
    received.clear();
    HWND window = open_test_window(recording_procedure, 0, 100, 100, 200, 150);
    EXPECT_EQ(all_messages(),
        (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SHOWWINDOW, WM_QUERYNEWPALETTE, WM_ACTIVATEAPP,
            WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(std::pair(of(WM_SIZE)[0].lParam, of(WM_MOVE)[0].lParam),
        std::pair(MAKELPARAM(200, 150), MAKELPARAM(100, 100)));
    received.clear();
    EXPECT_TRUE(ShowWindow(window, SW_SHOW)) << "already visible";
    PostMessageA(window, WM_USER, 0, 0);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(all_messages(),
        (std::vector<UINT>{
            WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(message_waiting(nullptr, WM_USER)) << "its messages go with it";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window)) << "destroyed again";
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_NE(open_test_window(recording_procedure, 0, 0, 0, 10, 10), window) << "a handle is never reused";
}

using Queue = FreshState;

// A look takes, in order: posted messages, the quit (whatever the range),
// input, then a paint; PM_NOREMOVE only looks, and ranges and windows filter.
TEST_F(Queue, PostedBeforeQuitBeforeInputBeforePaint)
{
    HWND window = open_recording_window();
    InvalidateRect(window, nullptr, FALSE);
    standin_button(window, BUTTON_LEFT, true, 5, 5);
    PostMessageA(window, WM_USER, 1, 2);
    PostMessageA(nullptr, WM_USER + 1, 0, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, UINT{WM_USER});
    EXPECT_FALSE(PeekMessageA(&message, window, WM_USER + 1, WM_USER + 1, PM_REMOVE)) << "a thread message";
    ASSERT_TRUE(PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(std::pair(message.message, message.hwnd), std::pair(UINT{WM_USER + 1}, HWND{}));
    EXPECT_EQ(DispatchMessageA(&message), 0);
    PostQuitMessage(3);
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(std::vector<LPARAM>({LPARAM(message.hwnd == window), LPARAM(message.wParam), message.lParam}),
        std::vector<LPARAM>({1, 1, 2}));
    EXPECT_EQ(GetMessageA(&message, nullptr, WM_PAINT, WM_PAINT), 0);
    EXPECT_EQ(message.wParam, 3u);
    for (UINT next : {WM_LBUTTONDOWN, WM_PAINT, WM_PAINT}) { // the paint again, until validated
        ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(message.message, next);
    }
    PAINTSTRUCT paint;
    EXPECT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_EQ(std::pair(paint.rcPaint.right, paint.rcPaint.bottom), std::pair(LONG{200}, LONG{150}));
    EndPaint(window, &paint);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    HWND second = open_recording_window(400, 400);
    EXPECT_TRUE(PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0));
    pump_messages();
    ASSERT_EQ(of(WM_SYSCOLORCHANGE).size(), 2u);
    EXPECT_EQ(std::pair(of(WM_SYSCOLORCHANGE)[0].window, of(WM_SYSCOLORCHANGE)[1].window),
        std::pair(window, second));
}

// A hidden window gets no paint; an erase asked for comes first, at BeginPaint.
TEST_F(Queue, AHiddenWindowGetsNoPaintAndAnEraseComesFirst)
{
    HWND window = open_recording_window();
    ShowWindow(window, SW_HIDE);
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_FALSE(message_waiting(nullptr, WM_PAINT));
    ShowWindow(window, SW_SHOW);
    received.clear();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ASSERT_EQ(of(WM_ERASEBKGND).size(), 1u);
    EXPECT_EQ(of(WM_ERASEBKGND)[0].wParam, reinterpret_cast<WPARAM>(dc));
    EndPaint(window, &paint);
}

// A timer's message comes only when nothing else waits, and a waiting
// GetMessage wakes for it; a timer dies with its window.
TEST_F(Queue, TimersComeLastAndWakeAWaitingGetMessage)
{
    HWND window = open_recording_window();
    MSG message;
    EXPECT_EQ(SetTimer(window, 7, 10000, nullptr), 7u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) << "not yet due";
    EXPECT_TRUE(KillTimer(window, 7));
    EXPECT_FALSE(KillTimer(window, 7)) << "killed twice";
    SetTimer(window, 8, 0, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(message.message, UINT{WM_USER});
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
    EXPECT_EQ(std::pair(message.message, message.wParam), std::pair(UINT{WM_TIMER}, WPARAM{8}));
    DestroyWindow(window);
    EXPECT_FALSE(KillTimer(window, 8));
}

// Rows: keys pressed (negative: released), then the key and character messages received.
using Keyboard = FreshStateWith<std::vector<int>, std::vector<std::pair<UINT, int>>>;

// Letters follow Shift and Caps Lock, other keys Shift alone; Return, Escape
// and Space type their control characters; arrows type nothing; a held key
// repeats; Alt+F4 closes the window.
TEST_P(Keyboard, TypesAsAUsKeyboardDoes)
{
    auto [name, keys, messages] = GetParam();
    HWND window = open_recording_window();
    for (int key : keys) standin_key(window, std::abs(key), key > 0);
    pump_messages();
    std::vector<std::pair<UINT, int>> typed;
    for (const Received& one : received)
        if (one.message == WM_KEYDOWN || one.message == WM_CHAR || one.message == WM_SYSKEYDOWN)
            typed.emplace_back(one.message, static_cast<int>(one.wParam));
    EXPECT_EQ(typed, messages);
    EXPECT_EQ(IsWindow(window) == FALSE, keys.back() == VK_F4) << "closed";
}

INSTANTIATE_TEST_SUITE_P(Input, Keyboard,
    testing::ValuesIn(Keyboard::Rows{{"Letter", {'D', -'D'}, {{WM_KEYDOWN, 'D'}, {WM_CHAR, 'd'}}},
        {"Shifted", {VK_SHIFT, 'D', -'D'}, {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'D'}, {WM_CHAR, 'D'}}},
        {"CapsLock", {VK_CAPITAL, -VK_CAPITAL, 'D', -'D'},
            {{WM_KEYDOWN, VK_CAPITAL}, {WM_KEYDOWN, 'D'}, {WM_CHAR, 'D'}}},
        {"CapsLockShifted", {VK_CAPITAL, -VK_CAPITAL, VK_SHIFT, 'D'},
            {{WM_KEYDOWN, VK_CAPITAL}, {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'D'}, {WM_CHAR, 'd'}}},
        {"ShiftedDigit", {VK_SHIFT, '5'}, {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, '5'}, {WM_CHAR, '%'}}},
        {"Controls", {VK_ESCAPE, VK_RETURN, VK_SPACE},
            {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, '\x1b'}, {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'},
                {WM_KEYDOWN, VK_SPACE}, {WM_CHAR, ' '}}},
        {"Arrows", {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN},
            {{WM_KEYDOWN, VK_LEFT}, {WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_RIGHT}, {WM_KEYDOWN, VK_DOWN}}},
        {"Repeat", {'A', 'A', -'A'}, {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}}},
        {"AltF4", {VK_MENU, VK_F4}, {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_F4}}}}),
    ROW_NAME);

using Input = FreshState;

// Buttons and motion carry signed client words and the buttons and keys held;
// waiting motions merge, and one to where the pointer is is none. A capture
// set and released says so once.
TEST_F(Input, TheMouseReportsToTheWindowUnderItOrToTheCapture)
{
    HWND window = open_recording_window();
    standin_key(window, VK_SHIFT, true);
    standin_button(window, BUTTON_LEFT, true, 10, 20);
    standin_button(window, BUTTON_MIDDLE, true, 11, 21);
    standin_motion(window, 1, 1);
    standin_motion(window, -5, -7);
    standin_button(window, BUTTON_LEFT, false, -5, -7);
    pump_messages();
    standin_motion(window, -5, -7);
    pump_messages();
    ASSERT_EQ(of(WM_MOUSEMOVE).size(), 1u);
    EXPECT_EQ(of(WM_MOUSEMOVE)[0].lParam, MAKELPARAM(-5, -7));
    EXPECT_EQ(std::pair(of(WM_LBUTTONDOWN).at(0).wParam, of(WM_LBUTTONDOWN)[0].lParam),
        std::pair(WPARAM{MK_LBUTTON | MK_SHIFT}, MAKELPARAM(10, 20)));
    EXPECT_EQ(of(WM_MBUTTONDOWN).at(0).wParam, WPARAM{MK_LBUTTON | MK_MBUTTON | MK_SHIFT});
    EXPECT_EQ(of(WM_LBUTTONUP).at(0).wParam, WPARAM{MK_MBUTTON | MK_SHIFT});
    EXPECT_EQ(SetCapture(window), nullptr) << "no capture before";
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(of(WM_CAPTURECHANGED).size(), 1u);
}

// Focus activates; minimising parks the window at -32000 with a size of 0
// until it is restored; a close request closes, and a window the window
// system destroyed is destroyed.
TEST_F(Input, TheWindowSystemsRequestsReachTheWindow)
{
    HWND window = open_recording_window();
    standin_focus(window, false);
    standin_focus(window, true);
    standin_resize(window, 0, 0, true);
    standin_resize(window, 200, 150, false);
    standin_close_request(window);
    pump_messages();
    std::vector<std::pair<WPARAM, LPARAM>> moves_and_sizes;
    for (const Received& one : received)
        if (one.message == WM_MOVE || one.message == WM_SIZE)
            moves_and_sizes.emplace_back(one.wParam, one.lParam);
    EXPECT_EQ(moves_and_sizes,
        (std::vector<std::pair<WPARAM, LPARAM>>{{0, MAKELPARAM(-32000, -32000)}, {SIZE_MINIMIZED, 0},
            {0, MAKELPARAM(100, 100)}, {SIZE_RESTORED, MAKELPARAM(200, 150)}}));
    EXPECT_EQ(LOWORD(of(WM_ACTIVATE).at(1).wParam), WA_ACTIVE);
    EXPECT_EQ(of(WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
    HWND second = open_recording_window();
    standin_window_gone(second);
    pump_messages();
    EXPECT_EQ(std::pair(of(WM_DESTROY).size(), IsWindow(second)), std::pair(size_t{1}, FALSE));
}

// A message carries where the pointer was when it was queued, a merged motion
// where it went last. A full input queue refuses more input, changing
// nothing, until there is room.
TEST_F(Input, MessagesCarryThePointerAndAFullQueueRefusesInput)
{
    HWND window = open_recording_window(100, 100);
    standin_motion(window, 10, 20);
    PostMessageA(window, WM_USER, 0, 0);
    standin_motion(window, 30, 40);
    MSG posted, motion;
    ASSERT_TRUE(PeekMessageA(&posted, window, WM_USER, WM_USER, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&motion, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(std::vector<LONG>({posted.pt.x, posted.pt.y, motion.pt.x, motion.pt.y}),
        std::vector<LONG>({110, 120, 130, 140}));
    int taken = 0;
    while (taken < 5000 && standin_key(window, 'A', taken % 2 == 0)) taken++;
    EXPECT_EQ(taken, 1024);
    EXPECT_FALSE(standin_button(window, BUTTON_LEFT, true, 1, 1)) << "a press, the queue full";
    EXPECT_FALSE(standin_motion(window, 2, 2)) << "a motion, the queue full";
    MSG taken_one;
    ASSERT_TRUE(PeekMessageA(&taken_one, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_TRUE(standin_key(window, 'B', true));
    pump_messages();
    EXPECT_TRUE(standin_motion(window, 3, 3));
    pump_messages();
    EXPECT_EQ(std::pair(of(WM_KEYDOWN).size(), of(WM_LBUTTONDOWN).size()), std::pair(size_t{512}, size_t{0}));
    EXPECT_EQ(of(WM_MOUSEMOVE).at(0).wParam, 0u) << "the refused press left no button held";
}
