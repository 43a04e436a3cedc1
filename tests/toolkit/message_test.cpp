// Window messages as hook calls; the message loop's two modes and the pointer.
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

using Toolkit = FreshState;

// A message to the window procedure, its hook's call ("" for none; buttons by the
// toolkit's values, 1 left, 2 right, 4 middle), its result and whether
// DefWindowProcA sees it.
struct Row {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string call;
    LRESULT result = 0;
    int to_default = 0;
};
const int ALT_HELD = 1 << 29; // in a key message's lParam
static const std::vector<Row> ROWS = [] {
    std::vector<Row> rows = {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 4), "down -3 4 1"},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, -6), "down 5 -6 2"},
        {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(7, 8), "down 7 8 4"},
        {WM_LBUTTONUP, 0, MAKELPARAM(-3, 4), "up -3 4 1"}, {WM_RBUTTONUP, 0, MAKELPARAM(5, -6), "up 5 -6 2"},
        {WM_MBUTTONUP, 0, MAKELPARAM(7, 8), "up 7 8 4"},
        {WM_MOUSEMOVE, MK_SHIFT | MK_CONTROL, MAKELPARAM(1, 2), "move 1 2 0"},
        {WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(3, 4), "move 3 4 2"},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(-1, -2), "move -1 -2 5"},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), "reshape 640 480"}, {WM_PAINT, 0, 0, "paint"},
        {WM_QUERYNEWPALETTE, 0, 0, "", 1}, {WM_KEYUP, VK_LEFT, 0, "", 0, 1},
        {WM_SYSKEYDOWN, 'D', ALT_HELD, "", 0, 1}, {WM_LBUTTONDBLCLK, MK_LBUTTON, 0, "", 0, 1},
        {WM_NCCREATE, 0, 0, "", TRUE, 1}, {WM_TIMER, 7, 0, "", 0, 1}}; // a timer not the toolkit's
    // Keys and characters passed on as "key <code> 0", and those refused.
    auto keys = [&rows](UINT message, std::initializer_list<int> taken, std::initializer_list<int> refused) {
        for (int key : taken) rows.push_back({message, static_cast<WPARAM>(key), 0, said("key", {key, 0})});
        for (int key : refused) rows.push_back({message, static_cast<WPARAM>(key), 0, ""});
    };
    keys(WM_KEYDOWN, {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN},
        {VK_F1, 'A', VK_HOME});
    keys(WM_CHAR, {'0', '9', 'a', 'z', 'A', 'Z'}, {'/', ':', '@', '[', '`', '{', '%', '\r', '\x1b', ' '});
    return rows;
}();

// Each message's hook call, result, repaint (the size's always, others' when
// the hook asks) and whether DefWindowProcA sees it.
TEST_F(Toolkit, EachMessageCallsItsHookAndRepaintsWhenAsked)
{
    HWND window = open_toolkit_window();
    record_every_hook();
    for (const Row& row : ROWS)
        for (int32_t answer : {0, 1}) {
            ValidateRect(window, nullptr);
            ReleaseCapture();
            calls.clear();
            hook_result = answer;
            standin_journal_clear();
            SCOPED_TRACE(testing::Message() << row.message << " " << row.wParam << " answered " << answer);
            EXPECT_EQ(window_procedure(window, row.message, row.wParam, row.lParam), row.result);
            EXPECT_EQ(calls, row.call.empty() ? Calls{} : Calls{row.call});
            bool repaint = row.message == WM_SIZE || (!row.call.empty() && row.message != WM_PAINT && answer);
            EXPECT_EQ(message_waiting(window, WM_PAINT), repaint);
            EXPECT_EQ(standin_journal_count("DefWindowProcA"), row.to_default);
        }
}

// A press captures the pointer, any release frees it, with no hooks too.
TEST_F(Toolkit, AnyButtonReleaseFreesTheCapture)
{
    HWND window = open_toolkit_window();
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        window_procedure(window, press, 0, 0);
        EXPECT_EQ(GetCapture(), window) << press;
        window_procedure(window, press == WM_LBUTTONDOWN ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, 0);
        window_procedure(window, press + 1, 0, 0);
        EXPECT_EQ(GetCapture(), nullptr) << press + 1;
    }
}

// The modifiers (1 Shift, 2 Control) are those held when the key is taken from
// the queue; one invalidation per paint and no erase: only the key releases go
// to DefWindowProcA.
TEST_F(Toolkit, AKeyCarriesTheModifiersHeldWhenItIsTaken)
{
    HWND window = open_toolkit_window();
    record_every_hook();
    hook_result = 1;
    standin_journal_clear();
    for (int key : std::initializer_list<int>{VK_SHIFT, 'D', -'D', VK_UP, -VK_UP, VK_CONTROL, VK_UP, -VK_UP,
             -VK_SHIFT, VK_UP, -VK_UP, -VK_CONTROL, VK_UP})
        standin_key(window, key < 0 ? -key : key, key > 0);
    pump_messages();
    EXPECT_EQ(calls,
        (Calls{said("key", {'D', 1}), said("key", {VK_UP, 1}), said("key", {VK_UP, 3}),
            said("key", {VK_UP, 2}), said("key", {VK_UP, 0}), "paint"}));
    EXPECT_EQ(journal_counts("InvalidateRect DefWindowProcA"), "1 6");
}

// Moves and sizes keep the settings, without a reshape hook too; WM_CLOSE's
// teardown empties the hooks and asks the loop to end with 1.
TEST_F(Toolkit, MovesAndSizesKeepTheSettingsAndCloseEndsTheLoop)
{
    HWND window = open_toolkit_window();
    record_every_hook();
    window_procedure(window, WM_MOVE, 0, MAKELPARAM(-5, 300));
    set_reshape_hook(nullptr);
    window_procedure(window, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 7));
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({-5, 300, 0, 7}));
    calls.clear();
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_CLOSE, 0, 0), 0);
    EXPECT_STREQ(standin_journal_entry(0), "DestroyWindow");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(all_hooks_empty());
    MSG quit;
    EXPECT_EQ(GetMessageA(&quit, nullptr, 0, 0), 0);
    EXPECT_EQ(quit.wParam, 1u);
    for (UINT message : {WM_PAINT, WM_SIZE, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE})
        window_procedure(window, message, message == WM_CHAR ? 'a' : VK_LEFT, MAKELPARAM(3, 4));
    EXPECT_TRUE(calls.empty());
}

// With an idle hook the loop drains the queue before each idle call; without
// one it waits for messages.
TEST_F(Toolkit, IdleModeDrainsTheQueueBeforeEachIdleCallAndNoIdleHookWaits)
{
    static std::string trace;
    static int idle_calls;
    static auto type = [](const char* keys) {
        for (const char* c = keys; *c; c++) standin_key_press(toolkit_state.toolkit_window, 'A' + (*c - 'a'));
    };
    trace.clear();
    idle_calls = 0;
    set_reshape_hook([](int32_t w, int32_t h) { trace += std::to_string(w) + "x" + std::to_string(h); });
    PostQuitMessage(1); // as a failed opening leaves it: no window, no reshape
    run_message_loop();
    open_toolkit_window(); // its creation's size message: "600x500"
    // 'q' asks to quit; 'w' empties the idle hook and asks to quit, the quit
    // hidden from the next look as if it came while the loop waits.
    set_key_down_hook([](int32_t key, int32_t) {
        trace += static_cast<char>(key);
        if (key == 'q' || key == 'w') PostQuitMessage(0);
        if (key == 'w') {
            set_idle_hook(nullptr);
            standin_fail_next("PeekMessageA", 1);
            standin_journal_clear();
        }
        return 0;
    });
    type("cde");
    set_idle_hook([] {
        trace += '|';
        type(++idle_calls == 1 ? "xyz" : "qw"); // as on Windows, the quit comes before input
    });
    run_message_loop();
    EXPECT_EQ(trace, "600x500600x500cde|xyz|q");
    // Again, for the 'w' left waiting: then no idle call, and a wait for the quit.
    run_message_loop();
    EXPECT_EQ(trace, "600x500600x500cde|xyz|q600x500w");
    EXPECT_EQ(journal_counts("PeekMessageA GetMessageA"), "1 1");
}

// The pointer is relative to the client area; positions and sizes are kept in
// 16 bits as on Windows; an unreadable pointer counts as at the screen origin.
TEST_F(Toolkit, ThePointerIsRelativeToTheClientAreaIn16Bits)
{
    HWND window = open_toolkit_window();
    auto at = [window](int window_x, int window_y, int cursor_x, int cursor_y) {
        standin_move(window, window_x, window_y);
        pump_messages();
        standin_set_cursor(cursor_x, cursor_y);
        int32_t x = 1, y = 1;
        toolkit_get_mouse_location(&x, &y);
        return std::pair(x, y);
    };
    EXPECT_EQ(at(300, 200, 290, 195), std::pair(-10, -5));
    EXPECT_EQ(at(-40, -30, 10, 20), std::pair(50, 50)); // off the left and top of the screen
    standin_fail_next("GetCursorPos", 1);
    EXPECT_EQ(at(-40, -30, 10, 20), std::pair(40, 30));
    standin_resize(window, -1, INT32_MAX, false);
    EXPECT_EQ(at(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), std::pair(65535, 65535));
    EXPECT_EQ(std::pair(toolkit_settings.window_width, toolkit_settings.window_height), std::pair(0, 32767));
}
