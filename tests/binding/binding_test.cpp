// The binding layer: open_window with its fallback, Escape, the forwarders,
// the tables and their dispatch.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "binding/binding.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

using Binding = FreshState;

// The position set is the client's corner; GL's defaults are kept.
TEST_F(Binding, OpenWindowOpensTheModeAskedForWiresTheLayerInAndBindsEscape)
{
    set_window_position(50, 60, 70, 80);
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({54, 82, 70, 80}));
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    ASSERT_EQ(open_window("rollbox1"), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    const ToolkitState& t = toolkit_state;
    EXPECT_EQ(t.reshape_hook, &default_reshape);
    EXPECT_EQ(t.key_down_hook, &dispatch_key);
    EXPECT_EQ(t.mouse_down_hook, &dispatch_mouse_down);
    EXPECT_EQ(t.mouse_up_hook, &dispatch_mouse_up);
    EXPECT_EQ(t.mouse_move_hook, &dispatch_mouse_move);
    ASSERT_EQ(key_table_count, 1);
    EXPECT_EQ(key_table[0].key, VK_ESCAPE);
    EXPECT_EQ(key_table[0].handler, &quit_on_escape);
    EXPECT_EQ(gl_values(GL_DRAW_BUFFER, 1), std::vector<double>{GL_BACK});
    EXPECT_EQ(gl_values(GL_COLOR_CLEAR_VALUE, 4), (std::vector<double>{0, 0, 0, 1}));
    EXPECT_EQ(gl_values(GL_INDEX_CLEAR_VALUE, 1), std::vector<double>{0});
}

using Forwarders = GlContextTest;

// Pixels (0, 0) and (640, 480) on the corners of clip space, depths -1 and 1 on
// its near and far planes, whatever the matrices held; the model-view the
// identity, and current. The display handler is set before the loop's first turn.
TEST_F(Forwarders, DefaultReshapeMapsPixelsToClipSpaceAndTheLoopSetsTheDisplayHandler)
{
    glMatrixMode(GL_PROJECTION);
    glScaled(3.0, 3.0, 3.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslated(5.0, 5.0, 0.0);
    default_reshape(640, 480);
    EXPECT_EQ(gl_values(GL_VIEWPORT, 4), (std::vector<double>{0, 0, 640, 480}));
    std::vector<double> p = gl_values(GL_PROJECTION_MATRIX, 16);
    std::vector<double> mapped = {p[12], p[13], 640 * p[0] + p[12], 480 * p[5] + p[13], p[10], p[14],
        gl_values(GL_MODELVIEW_MATRIX, 16)[12], gl_values(GL_MATRIX_MODE, 1)[0]};
    for (double& value : mapped) value = std::round(value * 1e6) / 1e6;
    EXPECT_EQ(mapped, (std::vector<double>{-1, -1, 1, 1, -1, 0, 0, GL_MODELVIEW}));
    static DisplayHook seen;
    set_idle_handler([] {
        seen = toolkit_state.display_hook;
        standin_journal_clear();
        swap_buffers();
        PostQuitMessage(0);
    });
    DisplayHook display = [] {};
    run_main_loop(display);
    EXPECT_EQ(seen, display);
    EXPECT_EQ(standin_journal_count("SwapBuffers"), 1);
}

// One error box each, and no warning.
TEST_F(Binding, OpenWindowWithoutAFallbackOrWhoseFallbackFailsInstallsNothing)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(standin_message_box_count(), 1);
    set_display_mode(DISPLAY_DEPTH16);
    standin_fail_next("wglCreateContext", 2);
    // In order: the result, three errors and no warning, the modes, nothing installed.
    EXPECT_EQ(std::vector<int>({open_window("rollbox1"), standin_message_box_count(),
                  toolkit_settings.display_mode, requested_display_mode, key_table_count, all_hooks_empty()}),
        std::vector<int>({0, 3, DISPLAY_DEPTH16 | DISPLAY_DOUBLE, DISPLAY_DEPTH16, 0, 1}));
}

// With no mode set, the fallback asks for exactly DISPLAY_DOUBLE; it draws to
// the front, and the first window's quit is lost.
TEST_F(Binding, OpenWindowFallsBackToDoubleBufferingAndWarns)
{
    standin_fail_next("ChoosePixelFormat", 1);
    ASSERT_EQ(open_window("rollbox1"), 1);
    ASSERT_EQ(standin_message_box_count(), 2);
    const StandinMessageBox* box = standin_message_box(1);
    EXPECT_EQ(std::string(box->caption) + ": " + box->text,
        "Warning: Can't initialize a single buffer visual. Will use a double buffer visual instead, only "
        "drawing into the front buffer.");
    EXPECT_EQ(std::pair(box->style, box->owner), std::pair(UINT{MB_OK}, toolkit_state.toolkit_window));
    EXPECT_EQ(std::vector<int>({toolkit_settings.display_mode, requested_display_mode, key_table_count}),
        std::vector<int>({DISPLAY_DOUBLE, DISPLAY_DOUBLE, 1}));
    EXPECT_EQ(gl_values(GL_DRAW_BUFFER, 1), std::vector<double>{GL_FRONT});
    static int idle_calls;
    idle_calls = 0;
    set_idle_handler([] {
        if (++idle_calls == 3) destroy_toolkit_window(toolkit_state.toolkit_window);
    });
    run_main_loop(nullptr);
    EXPECT_EQ(idle_calls, 3);
}

// Escape destroys the window, whose teardown gives the static colours back,
// and ends the process with 0 before the loop runs again.
TEST_F(Binding, EscapeRunsTheTeardownAndEndsTheProcessWithZero)
{
    auto open_and_press_escape = [] {
        standin_set_palette_display(true, true);
        set_display_mode(DISPLAY_DOUBLE);
        if (open_window("rollbox1") != 1) return;
        std::atexit([] {
            std::fprintf(stderr, "window %s, colours %s\n", toolkit_state.toolkit_window ? "left" : "gone",
                toolkit_state.static_colours_taken ? "taken" : "back");
        });
        standin_key_press(toolkit_state.toolkit_window, VK_ESCAPE);
        set_idle_handler([] { ExitProcess(3); }); // only if Escape did nothing
        run_main_loop(nullptr);
    };
    // Earlier cases leave Mesa's worker threads running, which a forked child
    // would lack: the child runs in a fresh process instead.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(open_and_press_escape(), testing::ExitedWithCode(0), "window gone, colours back");
}

// Records a mouse row's call as "name kind x y bit", by the binding's values:
// kinds 16 down, 32 up, 64 move; bits 1 left, 2 right, 4 middle.
static void row(const char* name, const EventRecord* e)
{
    EXPECT_EQ(e->data[2], 0) << "reserved";
    record(name, {e->kind, e->data[0], e->data[1], e->data[3]});
}

// Rows bound meanwhile answer in the same dispatch; a key row whatever the
// modifiers, a mouse row once per held bit equal to its mask.
TEST_F(Binding, DispatchCallsEveryMatchingRowInBindingOrder)
{
    calls.clear();
    EXPECT_EQ(dispatch_key('d', 0) + dispatch_mouse_down(0, 0, MOUSE_LEFT), 0) << "nothing bound";
    bind_key('d', [] {
        record("d1");
        bind_key('d', [] { record("d3"); });
    });
    bind_key('D', [] { record("D"); });
    bind_key('d', [] { record("d2"); });
    EXPECT_EQ(std::vector<int32_t>(
                  {dispatch_key('d', KEY_SHIFT | KEY_CONTROL), dispatch_key('D', 0), dispatch_key('e', 0)}),
        std::vector<int32_t>({1, 1, 0}));
    EXPECT_EQ(calls, (Calls{"d1", "d2", "d3", "D"}));
    calls.clear();
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, [](EventRecord* e) { row("L", e); });
    bind_mouse(MOUSE_RIGHT, MOUSE_DOWN, [](EventRecord* e) { row("R", e); });
    bind_mouse(MOUSE_MIDDLE, MOUSE_UP, [](EventRecord* e) { row("M", e); });
    bind_mouse(MOUSE_RIGHT, MOUSE_MOVE, [](EventRecord* e) { row("R", e); });
    bind_mouse(MOUSE_LEFT, MOUSE_MOVE, [](EventRecord* e) {
        row("L", e);
        if (mouse_move_table_count == 3)
            bind_mouse(MOUSE_MIDDLE, MOUSE_MOVE, [](EventRecord* m) { row("M", m); });
    });
    bind_mouse(MOUSE_LEFT | MOUSE_RIGHT, MOUSE_MOVE, [](EventRecord* e) { row("LR", e); }); // never matches
    EXPECT_EQ(std::vector<int32_t>({dispatch_mouse_down(-7, 12, MOUSE_RIGHT),
                  dispatch_mouse_up(1, 2, MOUSE_MIDDLE), dispatch_mouse_up(1, 2, MOUSE_LEFT),
                  dispatch_mouse_move(3, 4, MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE),
                  dispatch_mouse_move(3, 4, 0)}),
        std::vector<int32_t>({1, 1, 0, 1, 0}));
    EXPECT_EQ(calls, (Calls{"R 16 -7 12 2", "M 32 1 2 4", "R 64 3 4 2", "L 64 3 4 1", "M 64 3 4 4"}));
}

// Mask 0 (which would fire once per clear bit), unknown kinds, rows past the
// capacity; and a row past the count (as the reset leaves rows) does not answer.
TEST_F(Binding, TablesRefuseWhatTheyCannotHold)
{
    calls.clear();
    bind_mouse(0, MOUSE_MOVE, [](EventRecord*) {});
    bind_mouse(MOUSE_LEFT, 8, [](EventRecord*) {});
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN | MOUSE_UP, [](EventRecord*) {});
    auto mouse_counts = [] {
        return std::vector<int32_t>({mouse_down_table_count, mouse_up_table_count, mouse_move_table_count});
    };
    EXPECT_EQ(mouse_counts(), std::vector<int32_t>(3, 0));
    for (int i = 0; i < 200; i++) bind_key(1000 + i, [] {});
    bind_key('q', [] { record("q"); });
    EXPECT_EQ(key_table_count, 200) << "200 keys fit";
    for (int kind : {MOUSE_DOWN, MOUSE_UP, MOUSE_MOVE}) {
        for (int i = 0; i < 20; i++) bind_mouse(MOUSE_MIDDLE, kind, [](EventRecord*) {});
        bind_mouse(MOUSE_LEFT, kind, [](EventRecord* e) { row("L", e); });
    }
    EXPECT_EQ(mouse_counts(), std::vector<int32_t>(3, 20)) << "20 rows a kind fit";
    EXPECT_EQ(dispatch_key('q', 0) + dispatch_mouse_move(0, 0, MOUSE_LEFT), 0) << "rows past the capacity";
    key_table_count = mouse_move_table_count = 0;
    EXPECT_EQ(dispatch_key(1000, 0) + dispatch_mouse_move(0, 0, MOUSE_MIDDLE), 0) << "rows past the count";
    EXPECT_TRUE(calls.empty());
}
