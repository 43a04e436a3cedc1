// Window messages as hook calls: the key and character filter, modifiers,
// buttons and capture, coalesced repaints, size, close and teardown.
#include "toolkit_testing.h"

TEST(WindowProcedure, SpecialKeysOnceLettersAndDigitsAsTypedNothingElse)
{
    HWND window = open_test_window();
    record_every_hook();
    for (int key : {VK_ESCAPE, VK_RETURN, VK_SPACE, VK_LEFT, (int)'D', (int)'7', VK_F1, VK_TAB}) {
        standin_key_press(window, key);
    }
    standin_key_with_character(window, '5', '%', true); // '%' is 37, the Left arrow's code
    standin_key(window, VK_SHIFT, true);
    standin_key_press(window, 'D');
    standin_key_press(window, VK_UP);
    standin_key(window, VK_CONTROL, true);
    standin_key_press(window, VK_UP);
    standin_key(window, VK_SHIFT, false);
    standin_key_press(window, VK_UP);
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{"key 27 0", "key 13 0", "key 32 0", "key 37 0", "key 100 0", "key 55 0", "key 68 1",
            "key 38 1", "key 38 3", "key 38 2"}));
}

TEST(WindowProcedure, ButtonsCaptureAndPassTheirBits)
{
    HWND window = open_test_window();
    record_every_hook();
    standin_button(window, 2, true, 10, 20);
    pump_messages();
    EXPECT_EQ(GetCapture(), window);
    standin_motion(window, -15, -3); // a captured drag past the left and top edges
    standin_button(window, 0, true, 1, 2);
    standin_motion(window, 5, 6);
    standin_button(window, 2, false, 5, 6);
    pump_messages();
    EXPECT_EQ(GetCapture(), nullptr); // the first release frees it
    standin_button(window, 0, false, 5, 6);
    standin_button(window, 1, true, 7, 8);
    standin_button(window, 1, false, 7, 8);
    standin_motion(window, 7, 8);
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{"down 10 20 4", "move -15 -3 4", "down 1 2 1", "move 5 6 5", "up 5 6 4", "up 5 6 1",
            "down 7 8 2", "up 7 8 2", "move 7 8 0"}));
}

TEST(WindowProcedure, ManyRedrawRequestsGiveOneRepaintAndMinimisingReshapesToZero)
{
    HWND window = open_test_window();
    record_every_hook();
    standin_key_press(window, VK_LEFT); // answered 0: no repaint
    pump_messages();
    hook_result = 1;
    for (int i = 0; i < 3; i++) {
        standin_key_press(window, VK_LEFT);
        standin_motion(window, i, i);
    }
    pump_messages();
    standin_resize(window, 0, 0, true);
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{"key 37 0", "key 37 0", "move 0 0 0", "key 37 0", "move 1 1 0", "key 37 0", "move 2 2 0",
            "paint", "reshape 0 0"}));
    EXPECT_EQ(toolkit_settings.window_width, 0);
}

TEST(WindowProcedure, CloseDestroysWithoutDefaultHandlingAndTheTeardownEmptiesEveryHook)
{
    HWND window = open_test_window();
    record_every_hook();
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_CLOSE, 0, 0), 0);
    EXPECT_STREQ(standin_journal_entry(0), "DestroyWindow");
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_TRUE(quit_waiting());
    hook_result = 1;
    for (UINT message :
        {WM_PAINT, WM_SIZE, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}) {
        window_procedure(window, message, message == WM_CHAR ? 'a' : VK_LEFT, MAKELPARAM(3, 4));
    }
    EXPECT_TRUE(calls.empty());
}
