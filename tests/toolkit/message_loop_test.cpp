// The message loop's two modes, its initial reshape call, and the pointer
// position in client coordinates.
#include "toolkit_testing.h"

static std::string trace;
static int idle_calls = 0;

static void type(const char* keys)
{
    for (const char* c = keys; *c; c++) standin_key_press(toolkit_state.toolkit_window, 'A' + (*c - 'a'));
}

// 'q' asks to quit; 'w' empties the idle hook and asks to quit, the quit hidden
// from the next look as if it came while the loop waits.
static int32_t trace_key(int32_t key, int32_t)
{
    trace += (char)key;
    if (key == 'q' || key == 'w') PostQuitMessage(0);
    if (key == 'w') {
        set_idle_hook(nullptr);
        standin_fail_next("PeekMessageA", 1);
        standin_journal_clear();
    }
    return 0;
}

TEST(MessageLoop, IdleModeDrainsTheQueueBeforeEachIdleCallQuitEndsItAndNoIdleHookBlocks)
{
    set_reshape_hook([](int32_t w, int32_t h) { trace += std::to_string(w) + "x" + std::to_string(h); });
    PostQuitMessage(1); // as a failed opening leaves it: no window, no reshape
    run_message_loop();
    EXPECT_EQ(trace, "");
    open_test_window();
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

TEST(MouseLocation, IsRelativeToTheClientAreaWhereverTheWindowMoves)
{
    HWND window = open_test_window();
    int32_t x, y;
    standin_move(window, 300, 200);
    pump_messages();
    standin_set_cursor(290, 195);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::vector<int32_t>({x, y}), std::vector<int32_t>({-10, -5}));
    standin_move(window, -40, -30); // off the left and top of the screen
    pump_messages();
    standin_set_cursor(10, 20);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(std::vector<int32_t>({x, y}), std::vector<int32_t>({50, 50}));
}
