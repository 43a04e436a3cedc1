// The message loop's two modes, its initial reshape call, and the pointer
// position in client coordinates.
#include <string>
#include <vector>

#include "toolkit_testing.h"

static std::string trace;
static int idle_calls = 0;

static int32_t trace_key(int32_t key, int32_t)
{
    trace += (char)key;
    if (key == 'q') {
        PostQuitMessage(0);
    }
    if (key == 'b') {
        set_idle_hook(nullptr);
        PostQuitMessage(0);
    }
    return 0;
}

static void type(const char* keys)
{
    for (const char* c = keys; *c; c++) {
        standin_key_press(toolkit_state.toolkit_window, 'A' + (*c - 'a'));
    }
}

static void idle_then_quit()
{
    idle_calls++;
    trace += '|';
    if (idle_calls == 1) {
        type("xyz");
    } else {
        type("q");
        type("w");  // still dispatched: the quit comes once the queue is empty
    }
}

TEST(MessageLoop, IdleModeDrainsTheQueueBeforeEachIdleCallAndStopsAtQuit)
{
    open_test_window();
    set_key_down_hook(trace_key);
    type("abc");
    set_idle_hook(idle_then_quit);
    run_message_loop();
    EXPECT_EQ(trace, "abc|xyz|qw");
    EXPECT_EQ(idle_calls, 2);
}

static void idle_types_b_then_m()
{
    idle_calls++;
    type(idle_calls == 1 ? "b" : "m");
}

static void idle_blocks_after_quit_request()
{
    idle_calls++;
    set_idle_hook(nullptr);
    PostQuitMessage(0);
    standin_journal_clear();
}

TEST(MessageLoop, KeyHandlerEmptyingTheIdleHookStopsTheIdleCalls)
{
    open_test_window();
    set_key_down_hook(trace_key);
    set_idle_hook(idle_types_b_then_m);
    run_message_loop();  // 'b' empties the hook, then the quit request ends the loop
    EXPECT_EQ(idle_calls, 1);
    EXPECT_EQ(trace, "b");
}

// Blocking mode can only be watched up to its wait: the next message must be
// taken without a look first.
TEST(MessageLoop, BlockingModeTakesTheNextMessageWithoutLooking)
{
    open_test_window();
    set_idle_hook(idle_blocks_after_quit_request);
    run_message_loop();
    EXPECT_EQ(idle_calls, 1);
    EXPECT_EQ(standin_journal_count("PeekMessageA"), 0);
    EXPECT_EQ(standin_journal_count("GetMessageA"), 1);
}

static std::vector<std::pair<int, int>> reshapes;
static void record_reshape(int32_t width, int32_t height) { reshapes.push_back({width, height}); }

TEST(MessageLoop, ReshapeHookIsCalledOnceWithTheClientSizeBeforeAnyMessage)
{
    open_test_window();
    set_reshape_hook(record_reshape);
    set_key_down_hook(trace_key);
    type("q");
    run_message_loop();
    ASSERT_EQ(reshapes.size(), 1u);
    EXPECT_EQ(reshapes[0], std::make_pair(600, 500));
    EXPECT_EQ(trace, "q");
}

TEST(MessageLoop, WithoutAWindowThereIsNoInitialReshapeCall)
{
    set_reshape_hook(record_reshape);
    PostQuitMessage(1);  // as a failed opening leaves it
    run_message_loop();
    EXPECT_TRUE(reshapes.empty());
}

TEST(MouseLocation, IsRelativeToTheClientAreaWhereverTheWindowMoves)
{
    HWND window = open_test_window();
    int32_t x = 1, y = 1;
    standin_move(window, 300, 200);
    pump_messages();
    standin_set_cursor(290, 195);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(x, -10);
    EXPECT_EQ(y, -5);

    // A client area off the left and top of the screen.
    standin_move(window, -40, -30);
    pump_messages();
    standin_set_cursor(10, 20);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 50);
}
