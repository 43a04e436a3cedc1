// Window messages as hook calls: the key and character filter, modifiers,
// buttons and capture, coalesced repaints, size, close and teardown.
#include <string>
#include <vector>

#include "toolkit_testing.h"

using Calls = std::vector<std::string>;
static Calls calls;
static int32_t hook_result = 0;
static int paints = 0;

static int32_t log_call(const char* what, int32_t a, int32_t b, int32_t c)
{
    calls.push_back(what + std::to_string(a) + "," + std::to_string(b) + " " + std::to_string(c));
    return hook_result;
}
static int32_t on_key(int32_t key, int32_t modifiers)
{
    return log_call("key ", key, modifiers, 0);
}
static int32_t on_down(int32_t x, int32_t y, int32_t b)
{
    return log_call("down ", x, y, b);
}
static int32_t on_up(int32_t x, int32_t y, int32_t b)
{
    return log_call("up ", x, y, b);
}
static int32_t on_move(int32_t x, int32_t y, int32_t b)
{
    return log_call("move ", x, y, b);
}
static void on_reshape(int32_t w, int32_t h)
{
    log_call("reshape ", w, h, 0);
}
static void on_paint()
{
    paints++;
}

static HWND open_with_hooks()
{
    HWND window = open_test_window();
    set_key_down_hook(on_key);
    set_mouse_down_hook(on_down);
    set_mouse_up_hook(on_up);
    set_mouse_move_hook(on_move);
    set_reshape_hook(on_reshape);
    set_display_hook(on_paint);
    paints = 0;
    return window;
}

TEST(WindowProcedureKeys, SpecialKeysOnceLettersAndDigitsAsTypedNothingElse)
{
    HWND window = open_with_hooks();
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
    standin_key(window, VK_CONTROL, false);
    standin_key_press(window, VK_CAPITAL);
    standin_key_press(window, 'D');
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{"key 27,0 0", "key 13,0 0", "key 32,0 0", "key 37,0 0", "key 100,0 0", "key 55,0 0",
            "key 68,1 0", "key 38,1 0", "key 38,3 0", "key 38,2 0", "key 68,0 0"}));
}

TEST(WindowProcedureMouse, ButtonsCaptureAndPassTheirBits)
{
    HWND window = open_with_hooks();
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
    standin_motion(window, 7, 8);
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{"down 10,20 4", "move -15,-3 4", "down 1,2 1", "move 5,6 5", "up 5,6 4", "up 5,6 1",
            "move 7,8 0"}));
}

TEST(WindowProcedure, ManyRedrawRequestsGiveOneRepaintAndMinimisingReshapesToZero)
{
    HWND window = open_with_hooks();
    standin_key_press(window, VK_LEFT); // answered 0: no repaint
    pump_messages();
    EXPECT_EQ(paints, 0);
    hook_result = 1;
    for (int i = 0; i < 5; i++) {
        standin_key_press(window, VK_LEFT);
        standin_motion(window, i, i);
    }
    pump_messages();
    EXPECT_EQ(paints, 1);
    calls.clear();
    standin_resize(window, 0, 0, true);
    pump_messages();
    EXPECT_EQ(calls, (Calls{"reshape 0,0 0"}));
    EXPECT_EQ(toolkit_settings.window_width, 0);
}

TEST(WindowProcedureClose, CloseDestroysWithoutDefaultHandlingAndTearsDown)
{
    HWND window = open_with_hooks();
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_CLOSE, 0, 0), 0);
    EXPECT_STREQ(standin_journal_entry(0), "DestroyWindow");
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_context, nullptr);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_TRUE(quit_waiting());
}

TEST(WindowProcedureClose, AfterTheTeardownNoMessageCallsAHook)
{
    HWND window = open_with_hooks();
    release_window_resources();
    hook_result = 1;
    for (UINT message :
        {WM_PAINT, WM_SIZE, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}) {
        window_procedure(window, message, message == WM_CHAR ? 'a' : VK_LEFT, MAKELPARAM(3, 4));
    }
    EXPECT_EQ(paints, 0);
    EXPECT_TRUE(calls.empty());
}
