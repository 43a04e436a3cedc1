// Input on the null driver: keys and their translation into characters, key
// state, mouse messages and capture, focus, and the close request.
#include <gtest/gtest.h>

#include "platform/standin/testing.h"
#include "tests/standin/core/recording_window.h"

struct KeyMessage {
    UINT message;
    WPARAM code;
    bool operator==(const KeyMessage&) const = default;
};
using KeyMessages = std::vector<KeyMessage>;

static KeyMessages keys_and_characters()
{
    KeyMessages found;
    for (const Received& one : received)
        if (one.message == WM_KEYDOWN || one.message == WM_CHAR || one.message == WM_SYSKEYDOWN ||
            one.message == WM_SYSCHAR)
            found.push_back(KeyMessage{one.message, one.wParam});
    return found;
}

static KeyMessages press(HWND window, int virtual_key)
{
    pump_messages();
    received.clear();
    standin_key_press(window, virtual_key);
    pump_messages();
    return keys_and_characters();
}

TEST(KeyTranslation, LettersFollowShiftAndCapsLock)
{
    HWND window = open_recording_window();
    EXPECT_EQ(press(window, 'D'), (KeyMessages{{WM_KEYDOWN, 0x44}, {WM_CHAR, 100}}));

    standin_key(window, VK_SHIFT, true);
    EXPECT_EQ(press(window, 'D'), (KeyMessages{{WM_KEYDOWN, 0x44}, {WM_CHAR, 68}}));
    standin_key(window, VK_SHIFT, false);

    press(window, VK_CAPITAL);
    EXPECT_EQ(press(window, 'D'), (KeyMessages{{WM_KEYDOWN, 0x44}, {WM_CHAR, 68}}));
    standin_key(window, VK_SHIFT, true);
    EXPECT_EQ(press(window, 'D'), (KeyMessages{{WM_KEYDOWN, 0x44}, {WM_CHAR, 100}}));
}

TEST(KeyTranslation, ReturnEscapeAndSpaceTypeTheirCharactersArrowsTypeNothing)
{
    HWND window = open_recording_window();
    EXPECT_EQ(press(window, VK_ESCAPE), (KeyMessages{{WM_KEYDOWN, 27}, {WM_CHAR, 27}}));
    EXPECT_EQ(press(window, VK_RETURN), (KeyMessages{{WM_KEYDOWN, 13}, {WM_CHAR, 13}}));
    EXPECT_EQ(press(window, VK_SPACE), (KeyMessages{{WM_KEYDOWN, 32}, {WM_CHAR, 32}}));
    for (int arrow = VK_LEFT; arrow <= VK_DOWN; arrow++)
        EXPECT_EQ(press(window, arrow), (KeyMessages{{WM_KEYDOWN, static_cast<WPARAM>(arrow)}}));
}

TEST(KeyTranslation, ShiftedFiveTypesPercentAndIsNeverTheLeftArrow)
{
    HWND window = open_recording_window();
    standin_key(window, VK_SHIFT, true);
    KeyMessages typed = press(window, '5');
    EXPECT_EQ(typed, (KeyMessages{{WM_KEYDOWN, 0x35}, {WM_CHAR, 37}}));
}

TEST(KeyTranslation, AHeldKeyRepeatsItsKeyDownAndCharacter)
{
    HWND window = open_recording_window();
    standin_key(window, 'A', true);
    standin_key(window, 'A', true);
    standin_key(window, 'A', true);
    standin_key(window, 'A', false);
    pump_messages();
    EXPECT_EQ(keys_and_characters(),
        (KeyMessages{{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYDOWN, 'A'},
            {WM_CHAR, 'a'}}));
    std::vector<Received> downs = received_of(WM_KEYDOWN);
    EXPECT_EQ(downs[0].lParam & (1L << 30), 0); // first press
    EXPECT_NE(downs[1].lParam & (1L << 30), 0); // repeats: the key was down before
}

TEST(KeyTranslation, TranslateAnswersForKeyMessagesOnly)
{
    MSG key_up = {nullptr, WM_KEYUP, 'A', 0, 0, {0, 0}};
    MSG other = {nullptr, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&key_up));
    EXPECT_FALSE(TranslateMessage(&other));
}

TEST(KeyTranslation, AltF4ClosesTheWindowThroughDefWindowProc)
{
    HWND window = open_recording_window();
    standin_key(window, VK_MENU, true);
    standin_key(window, VK_F4, true);
    pump_messages();
    EXPECT_EQ(received_of(WM_SYSKEYDOWN).size(), 2u);
    EXPECT_EQ(received_of(WM_CLOSE).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
}

TEST(KeyState, HighBitWhileHeldAsOfTheMessageTakenLowBitToggles)
{
    HWND window = open_recording_window();
    standin_key(window, VK_SHIFT, true);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0); // not yet taken from the queue
    pump_messages();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    standin_key(window, VK_SHIFT, false);
    pump_messages();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);

    press(window, VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    press(window, VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);

    standin_key(window, VK_LCONTROL, true);
    pump_messages();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
}

TEST(Mouse, ButtonsCarrySignedClientWordsAndHeldFlags)
{
    HWND window = open_recording_window();
    standin_key(window, VK_SHIFT, true);
    standin_button(window, 0, true, 10, 20);
    standin_button(window, 2, true, 11, 21);
    standin_motion(window, -5, -7);
    standin_button(window, 0, false, -5, -7);
    pump_messages();

    std::vector<Received> left_down = received_of(WM_LBUTTONDOWN);
    ASSERT_EQ(left_down.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(left_down[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(left_down[0].lParam), 20);
    EXPECT_EQ(left_down[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(
        received_of(WM_MBUTTONDOWN).at(0).wParam, static_cast<WPARAM>(MK_LBUTTON | MK_MBUTTON | MK_SHIFT));

    std::vector<Received> moves = received_of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), -5);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].lParam), -7);
    EXPECT_EQ(received_of(WM_LBUTTONUP).at(0).wParam, static_cast<WPARAM>(MK_MBUTTON | MK_SHIFT));
}

TEST(Mouse, MotionsWaitingWithTheSameButtonsCoalesce)
{
    HWND window = open_recording_window();
    standin_motion(window, 1, 1);
    standin_motion(window, 2, 2);
    standin_motion(window, 3, 3);
    pump_messages();
    std::vector<Received> moves = received_of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(3, 3));
}

TEST(Mouse, CaptureTakesInputMeantForOtherWindowsInItsOwnCoordinates)
{
    HWND captor = open_recording_window();
    HWND other = create_recording_window();
    standin_move(other, 150, 130); // 50, 30 from the captor's client origin
    EXPECT_EQ(SetCapture(captor), nullptr);
    EXPECT_EQ(GetCapture(), captor);
    received.clear();
    standin_button(other, 0, false, 1, 2);
    pump_messages();
    std::vector<Received> ups = received_of(WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].window, captor);
    EXPECT_EQ(GET_X_LPARAM(ups[0].lParam), 51);
    EXPECT_EQ(GET_Y_LPARAM(ups[0].lParam), 32);

    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(received_of(WM_CAPTURECHANGED).size(), 1u);
    EXPECT_TRUE(ReleaseCapture()); // nothing captured still succeeds
}

TEST(Mouse, CursorPositionIsInScreenCoordinatesFromTheDriver)
{
    standin_set_cursor(321, 123);
    POINT point = {};
    ASSERT_TRUE(GetCursorPos(&point));
    EXPECT_EQ(point.x, 321);
    EXPECT_EQ(point.y, 123);
}

TEST(Focus, LosingAndRegainingFocusActivatesAsWindowsDoes)
{
    HWND window = open_recording_window();
    standin_focus(window, false);
    pump_messages();
    EXPECT_EQ(
        received_messages(), (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS}));
    EXPECT_EQ(LOWORD(received_of(WM_ACTIVATE)[0].wParam), WA_INACTIVE);
    EXPECT_EQ(GetFocus(), nullptr);

    received.clear();
    standin_focus(window, true);
    standin_focus(window, true); // already active: nothing more
    pump_messages();
    EXPECT_EQ(received_messages(),
        (std::vector<UINT>{WM_QUERYNEWPALETTE, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(GetFocus(), window);
}

TEST(Focus, ActivationWhileMinimisedSaysSoInTheHighWord)
{
    HWND window = open_recording_window();
    standin_focus(window, false);
    standin_resize(window, 0, 0, true);
    standin_focus(window, true);
    pump_messages();
    std::vector<Received> activations = received_of(WM_ACTIVATE);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_NE(HIWORD(activations[1].wParam), 0);
}

TEST(CloseRequest, BecomesWmCloseWhichDefWindowProcTurnsIntoDestruction)
{
    HWND window = open_recording_window();
    standin_close_request(window);
    pump_messages();
    EXPECT_EQ(received_of(WM_CLOSE).size(), 1u);
    EXPECT_EQ(received_of(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(window));
}
