// The message loop's two modes, its initial reshape call, and the pointer
// position in client coordinates.
#include <string>

#include "toolkit_testing.h"

static std::string trace;
static int idle_calls = 0;

// 'q' asks to quit; 'b' empties the idle hook and asks to quit.
static int32_t trace_key(int32_t key, int32_t)
{
    trace += (char)key;
    if (key == 'b') {
        set_idle_hook(nullptr);
    }
    if (key == 'q' || key == 'b') {
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

static void idle_types()
{
    trace += '|';
    type(++idle_calls == 1 ? "xyz" : "qw"); // as on Windows, the quit comes before input
}

TEST(MessageLoop, IdleModeDrainsTheQueueBeforeEachIdleCallAndStopsAtQuit)
{
    open_test_window();
    set_key_down_hook(trace_key);
    type("cde");
    set_idle_hook(idle_types);
    run_message_loop();
    EXPECT_EQ(trace, "cde|xyz|q");
}

static void idle_types_b()
{
    idle_calls++;
    type("b");
}
static void idle_empties_itself()
{
    idle_calls++;
    set_idle_hook(nullptr);
    PostQuitMessage(0);
    standin_journal_clear();
}

TEST(MessageLoop, EmptyingTheIdleHookStopsIdleCallsAndBlocks)
{
    open_test_window();
    set_key_down_hook(trace_key);
    set_idle_hook(idle_types_b);
    run_message_loop();
    EXPECT_EQ(idle_calls, 1);
    // Blocking mode, watched up to its wait: the next message is taken without a look.
    set_idle_hook(idle_empties_itself);
    run_message_loop();
    EXPECT_EQ(idle_calls, 2);
    EXPECT_EQ(standin_journal_count("PeekMessageA"), 0);
    EXPECT_EQ(standin_journal_count("GetMessageA"), 1);
}

static std::string reshapes;
static void record_reshape(int32_t w, int32_t h)
{
    reshapes += std::to_string(w) + "x" + std::to_string(h) + " ";
}

TEST(MessageLoop, ReshapeHookIsCalledOnceBeforeAnyMessageWhenThereIsAWindow)
{
    set_reshape_hook(record_reshape);
    PostQuitMessage(1); // as a failed opening leaves it
    run_message_loop();
    EXPECT_EQ(reshapes, "");
    open_test_window(); // its creation's WM_SIZE reaches the hook too
    reshapes.clear();
    set_key_down_hook(trace_key);
    type("q");
    run_message_loop();
    EXPECT_EQ(reshapes, "600x500 ");
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
    standin_move(window, -40, -30); // off the left and top of the screen
    pump_messages();
    standin_set_cursor(10, 20);
    toolkit_get_mouse_location(&x, &y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 50);
}
