// Window messages as hook calls (each message's hook call, result and repaint
// request, modifiers, capture, coalesced repaints, close), the message loop's
// two modes, and the pointer in client coordinates.
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

using WindowProcedure = FreshState;

// Each message's hook call, result and repaint (the size's always, the others'
// when the hook asks), and whether DefWindowProcA sees it.
TEST_F(WindowProcedure, CallsTheHookOfEachMessageAndRepaintsWhenAsked)
{
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* call; // "" for none
        LRESULT result;
        int to_default;
    };
    const Row rows[] = {{WM_KEYDOWN, VK_RETURN, 0, "key 13 0", 0, 0},
        {WM_KEYDOWN, VK_ESCAPE, 0, "key 27 0", 0, 0}, {WM_KEYDOWN, VK_SPACE, 0, "key 32 0", 0, 0},
        {WM_KEYDOWN, VK_LEFT, 0, "key 37 0", 0, 0}, {WM_KEYDOWN, VK_UP, 0, "key 38 0", 0, 0},
        {WM_KEYDOWN, VK_RIGHT, 0, "key 39 0", 0, 0}, {WM_KEYDOWN, VK_DOWN, 0, "key 40 0", 0, 0},
        {WM_KEYDOWN, VK_F1, 0, "", 0, 0}, {WM_KEYDOWN, 'A', 0, "", 0, 0}, {WM_KEYDOWN, VK_HOME, 0, "", 0, 0},
        {WM_CHAR, '0', 0, "key 48 0", 0, 0}, {WM_CHAR, '9', 0, "key 57 0", 0, 0},
        {WM_CHAR, 'a', 0, "key 97 0", 0, 0}, {WM_CHAR, 'z', 0, "key 122 0", 0, 0},
        {WM_CHAR, 'A', 0, "key 65 0", 0, 0}, {WM_CHAR, 'Z', 0, "key 90 0", 0, 0}, {WM_CHAR, '/', 0, "", 0, 0},
        {WM_CHAR, ':', 0, "", 0, 0}, {WM_CHAR, '@', 0, "", 0, 0}, {WM_CHAR, '[', 0, "", 0, 0},
        {WM_CHAR, '`', 0, "", 0, 0}, {WM_CHAR, '{', 0, "", 0, 0}, {WM_CHAR, '%', 0, "", 0, 0},
        {WM_CHAR, 13, 0, "", 0, 0}, {WM_CHAR, 27, 0, "", 0, 0}, {WM_CHAR, ' ', 0, "", 0, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 4), "down -3 4 1", 0, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, -6), "down 5 -6 2", 0, 0},
        {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(7, 8), "down 7 8 4", 0, 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(-3, 4), "up -3 4 1", 0, 0},
        {WM_RBUTTONUP, 0, MAKELPARAM(5, -6), "up 5 -6 2", 0, 0},
        {WM_MBUTTONUP, 0, MAKELPARAM(7, 8), "up 7 8 4", 0, 0},
        {WM_MOUSEMOVE, MK_SHIFT | MK_CONTROL, MAKELPARAM(1, 2), "move 1 2 0", 0, 0},
        {WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(3, 4), "move 3 4 2", 0, 0},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, MAKELPARAM(-1, -2), "move -1 -2 5", 0, 0},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), "reshape 640 480", 0, 0},
        {WM_PAINT, 0, 0, "paint", 0, 0}, {WM_QUERYNEWPALETTE, 0, 0, "", 1, 0},
        {WM_KEYUP, VK_LEFT, 0, "", 0, 1}, {WM_SYSKEYDOWN, 'D', 1 << 29, "", 0, 1},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, 0, "", 0, 1}, {WM_NCCREATE, 0, 0, "", TRUE, 1}};
    HWND window = open_toolkit_window();
    record_every_hook();
    for (const Row& row : rows)
        for (int32_t answer : {0, 1}) {
            ValidateRect(window, nullptr);
            ReleaseCapture();
            calls.clear();
            hook_result = answer;
            standin_journal_clear();
            SCOPED_TRACE(testing::Message()
                << "message " << row.message << " " << row.wParam << " answered " << answer);
            EXPECT_EQ(window_procedure(window, row.message, row.wParam, row.lParam), row.result);
            EXPECT_EQ(calls, row.call[0] ? Calls{row.call} : Calls{});
            bool repaint = row.message == WM_SIZE || (row.call[0] && row.message != WM_PAINT && answer != 0);
            EXPECT_EQ(message_waiting(window, WM_PAINT), repaint);
            EXPECT_EQ(standin_journal_count("DefWindowProcA"), row.to_default);
        }
}

using WindowMessages = FreshState;

// Shift and Control as held when the key is taken from the queue; any number
// of repaint requests before the paint make one invalidation and no erase; the
// first release of any button frees the capture a press took.
TEST_F(WindowMessages, ModifiersRepaintsAndCapture)
{
    HWND window = open_toolkit_window();
    record_every_hook();
    hook_result = 1;
    standin_journal_clear();
    const int keys[] = {VK_SHIFT, 'D', -'D', VK_UP, -VK_UP, VK_CONTROL, VK_UP, -VK_UP, -VK_SHIFT, VK_UP,
        -VK_UP, -VK_CONTROL, VK_UP};
    for (int key : keys) standin_key(window, key < 0 ? -key : key, key > 0);
    pump_messages();
    EXPECT_EQ(calls, (Calls{"key 68 1", "key 38 1", "key 38 3", "key 38 2", "key 38 0", "paint"}));
    EXPECT_EQ(standin_journal_count("InvalidateRect"), 1);
    EXPECT_EQ(standin_journal_count("DefWindowProcA"), 6) << "the key releases only: no erasing";
    set_mouse_down_hook(nullptr);
    set_mouse_up_hook(nullptr);
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        window_procedure(window, press, 0, 0);
        EXPECT_EQ(GetCapture(), window) << press;
        window_procedure(window, press == WM_LBUTTONDOWN ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, 0);
        window_procedure(window, press + 1, 0, 0);
        EXPECT_EQ(GetCapture(), nullptr) << press + 1;
    }
}

// Size and position are kept as they come, hook or not; WM_CLOSE destroys the
// window itself, whose teardown asks the loop to end with 1, and nothing still
// queued reaches a hook.
TEST_F(WindowMessages, SizeMoveAndClose)
{
    HWND window = open_toolkit_window();
    record_every_hook();
    window_procedure(window, WM_MOVE, 0, MAKELPARAM(-5, 300));
    set_reshape_hook(nullptr);
    window_procedure(window, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 7));
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({-5, 300, 0, 7}));
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_CLOSE, 0, 0), 0);
    EXPECT_STREQ(standin_journal_entry(0), "DestroyWindow");
    EXPECT_TRUE(!IsWindow(window) && all_hooks_empty());
    MSG quit;
    EXPECT_EQ(GetMessageA(&quit, nullptr, 0, 0), 0);
    EXPECT_EQ(quit.wParam, 1u);
    hook_result = 1;
    for (UINT message : {WM_PAINT, WM_SIZE, WM_KEYDOWN, WM_CHAR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE})
        window_procedure(window, message, message == WM_CHAR ? 'a' : VK_LEFT, MAKELPARAM(3, 4));
    EXPECT_TRUE(calls.empty());
}

static std::string trace;
static int idle_calls;

static void type(const char* keys)
{
    for (const char* c = keys; *c; c++) standin_key_press(toolkit_state.toolkit_window, 'A' + (*c - 'a'));
}

// 'q' asks to quit; 'w' empties the idle hook and asks to quit, the quit hidden
// from the next look as if it came while the loop waits.
static int32_t trace_key(int32_t key, int32_t)
{
    trace += static_cast<char>(key);
    if (key == 'q' || key == 'w') PostQuitMessage(0);
    if (key == 'w') {
        set_idle_hook(nullptr);
        standin_fail_next("PeekMessageA", 1);
        standin_journal_clear();
    }
    return 0;
}

using MessageLoop = FreshState;

TEST_F(MessageLoop, IdleModeDrainsTheQueueBeforeEachIdleCallQuitEndsItAndNoIdleHookBlocks)
{
    trace.clear();
    idle_calls = 0;
    set_reshape_hook([](int32_t w, int32_t h) { trace += std::to_string(w) + "x" + std::to_string(h); });
    PostQuitMessage(1); // as a failed opening leaves it: no window, no reshape
    run_message_loop();
    EXPECT_EQ(trace, "");
    open_toolkit_window();
    trace.clear(); // the creation's own size message
    set_key_down_hook(trace_key);
    type("cde");
    set_idle_hook([] {
        trace += '|';
        type(++idle_calls == 1 ? "xyz" : "qw"); // as on Windows, the quit comes before input
    });
    run_message_loop();
    EXPECT_EQ(trace, "600x500cde|xyz|q");
    // Again, for the 'w' left waiting: then no idle call, and a wait for the quit.
    run_message_loop();
    EXPECT_EQ(trace, "600x500cde|xyz|q600x500w");
    EXPECT_EQ(standin_journal_count("PeekMessageA"), 1);
    EXPECT_EQ(standin_journal_count("GetMessageA"), 1);
}

using MouseLocation = FreshState;

TEST_F(MouseLocation, IsRelativeToTheClientAreaWhereverTheWindowMovesInSixteenBits)
{
    HWND window = open_toolkit_window();
    int32_t x = 1, y = 1;
    standin_move(window, 300, 200);
    pump_messages();
    standin_set_cursor(290, 195);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(-10, -5));
    standin_move(window, -40, -30); // off the left and top of the screen
    pump_messages();
    standin_set_cursor(10, 20);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(50, 50));
    // A pointer that cannot be read counts as at the origin of the screen.
    standin_fail_next("GetCursorPos", 1);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(40, 30));
    // Positions and sizes past 16 bits are brought into that range, as
    // Windows keeps them, before anything computes with them.
    standin_move(window, INT32_MIN, INT32_MIN);
    standin_resize(window, -1, INT32_MAX, false);
    pump_messages();
    standin_set_cursor(INT32_MAX, INT32_MAX);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::pair(x, y), std::pair(65535, 65535));
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::pair(s.window_width, s.window_height), std::pair(0, 32767));
}
