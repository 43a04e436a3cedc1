// Window messages as hook calls: the key and character filter, modifiers,
// buttons and capture, coalesced repaints, size, close and teardown.
#include <string>
#include <vector>

#include "toolkit_testing.h"

static std::vector<std::string> calls;
static int32_t hook_result = 0;
static int paints = 0;

static int32_t record_key(int32_t key, int32_t modifiers)
{
    calls.push_back("key " + std::to_string(key) + " mod " + std::to_string(modifiers));
    return hook_result;
}
static int32_t record_down(int32_t x, int32_t y, int32_t b)
{
    calls.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(b));
    return hook_result;
}
static int32_t record_up(int32_t x, int32_t y, int32_t b)
{
    calls.push_back("up " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(b));
    return hook_result;
}
static int32_t record_move(int32_t x, int32_t y, int32_t b)
{
    calls.push_back("move " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(b));
    return hook_result;
}
static void record_reshape(int32_t w, int32_t h)
{
    calls.push_back("reshape " + std::to_string(w) + "x" + std::to_string(h));
}
static void count_paint() { paints++; }

static HWND open_with_recording_hooks()
{
    HWND window = open_test_window();
    set_key_down_hook(record_key);
    set_mouse_down_hook(record_down);
    set_mouse_up_hook(record_up);
    set_mouse_move_hook(record_move);
    set_display_hook(count_paint);
    return window;
}

TEST(WindowProcedureKeys, SpecialKeysOnceAndOnlyLettersAndDigitsAsCharacters)
{
    HWND window = open_with_recording_hooks();
    for (int key : {VK_ESCAPE, VK_RETURN, VK_SPACE, VK_LEFT, VK_DOWN, (int)'D', (int)'7', VK_F1, VK_TAB}) {
        standin_key_press(window, key);
    }
    standin_key_with_character(window, '5', '%', true);  // '%' shares its code with the Left arrow
    standin_key_with_character(window, '5', '%', false);
    pump_messages();
    EXPECT_EQ(calls, (std::vector<std::string>{"key 27 mod 0", "key 13 mod 0", "key 32 mod 0", "key 37 mod 0",
                                               "key 40 mod 0", "key 100 mod 0", "key 55 mod 0"}));
}

TEST(WindowProcedureKeys, ShiftCapsLockAndControlGiveCodesAndModifiers)
{
    HWND window = open_with_recording_hooks();
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
    EXPECT_EQ(calls, (std::vector<std::string>{"key 68 mod 1", "key 38 mod 1", "key 38 mod 3", "key 38 mod 2",
                                               "key 68 mod 0"}));
}

TEST(WindowProcedureMouse, ButtonsCaptureAndPassTheirBits)
{
    HWND window = open_with_recording_hooks();
    standin_button(window, 2, true, 10, 20);
    pump_messages();
    EXPECT_EQ(GetCapture(), window);
    standin_motion(window, -15, -3);  // dragged past the left and top edges
    standin_button(window, 0, true, 1, 2);
    standin_motion(window, 5, 6);
    standin_button(window, 2, false, 5, 6);
    pump_messages();
    EXPECT_EQ(GetCapture(), nullptr);  // the first release frees it
    standin_button(window, 0, false, 5, 6);
    standin_motion(window, 7, 8);
    pump_messages();
    EXPECT_EQ(calls, (std::vector<std::string>{"down 10,20 4", "move -15,-3 4", "down 1,2 1", "move 5,6 5",
                                               "up 5,6 4", "up 5,6 1", "move 7,8 0"}));
}

TEST(WindowProcedureRedraw, ManyRequestsBeforeAPaintGiveOneRepaint)
{
    HWND window = open_with_recording_hooks();
    paints = 0;
    standin_key_press(window, VK_LEFT);  // the hook answers 0: no repaint
    pump_messages();
    EXPECT_EQ(paints, 0);
    hook_result = 1;
    for (int i = 0; i < 5; i++) {
        standin_key_press(window, VK_LEFT);
        standin_motion(window, i, i);
    }
    pump_messages();
    EXPECT_EQ(paints, 1);
}

TEST(WindowProcedureSize, MinimisingReshapesToZero)
{
    HWND window = open_with_recording_hooks();
    set_reshape_hook(record_reshape);
    standin_resize(window, 320, 240, false);
    standin_resize(window, 0, 0, true);
    pump_messages();
    EXPECT_EQ(calls, (std::vector<std::string>{"reshape 320x240", "reshape 0x0"}));
    EXPECT_EQ(toolkit_settings.window_width, 0);
    EXPECT_EQ(toolkit_settings.window_height, 0);
}

TEST(WindowProcedureClose, CloseDestroysWithoutDefaultHandlingAndTearsDown)
{
    HWND window = open_with_recording_hooks();
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_CLOSE, 0, 0), 0);
    ASSERT_GE(standin_journal_length(), 1);
    EXPECT_STREQ(standin_journal_entry(0), "DestroyWindow");
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_dc, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_context, nullptr);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_TRUE(quit_waiting());
}

TEST(WindowProcedureClose, AfterTheTeardownNoMessageCallsAHook)
{
    HWND window = open_with_recording_hooks();
    set_reshape_hook(record_reshape);
    paints = 0;
    release_window_resources();
    EXPECT_TRUE(all_hooks_empty());
    hook_result = 1;
    for (UINT message : {WM_PAINT, WM_SIZE, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}) {
        window_procedure(window, message, message == WM_CHAR ? 'a' : VK_LEFT, MAKELPARAM(3, 4));
    }
    EXPECT_EQ(paints, 0);
    EXPECT_TRUE(calls.empty());
}

TEST(WindowProcedurePalette, QueryNewPaletteAnswersOneWithoutRealising)
{
    HWND window = open_with_recording_hooks();
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_QUERYNEWPALETTE, 0, 0), 1);
    EXPECT_EQ(standin_journal_length(), 0);
}
