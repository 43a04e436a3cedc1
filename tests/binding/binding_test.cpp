// The binding layer: tables and dispatch (every matching row in binding order,
// exact codes and button bits, rows bound meanwhile, refusals that keep the
// tables in bounds), open_window with its fallback, Escape, the forwarders.
#include <cstdio>
#include <cstdlib>

#include "binding/binding.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

static GLint gl_integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

using OpenWindow = FreshState;

TEST_F(OpenWindow, FirstAttemptWiresTheLayerInAndBindsEscapeAndDefaultReshapeMapsPixels)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    ASSERT_EQ(open_window("rollbox1"), 1);
    EXPECT_EQ(
        std::vector<int>({standin_message_box_count(), gl_integer(GL_DRAW_BUFFER), requested_display_mode}),
        std::vector<int>({0, GL_BACK, DISPLAY_DOUBLE | DISPLAY_DEPTH16}));
    const ToolkitState& s = toolkit_state;
    EXPECT_TRUE(s.reshape_hook == default_reshape && s.key_down_hook == dispatch_key &&
        s.mouse_down_hook == dispatch_mouse_down && s.mouse_up_hook == dispatch_mouse_up &&
        s.mouse_move_hook == dispatch_mouse_move);
    ASSERT_EQ(key_table_count, 1);
    EXPECT_EQ(key_table[0].key, 27);
    EXPECT_EQ(key_table[0].handler, quit_on_escape);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 4), (std::vector<GLfloat>{0, 0, 0, 1}));

    glMatrixMode(GL_PROJECTION);
    glScaled(3.0, 3.0, 3.0); // whatever was there goes
    glMatrixMode(GL_MODELVIEW);
    glTranslated(5.0, 5.0, 0.0);
    default_reshape(640, 480);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), std::vector<GLint>({0, 0, 640, 480}));
    EXPECT_EQ(gl_integer(GL_MATRIX_MODE), GL_MODELVIEW);
    GLdouble projection[16], model_view[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    EXPECT_EQ(model_view[12], 0.0);
    // The pixels (0, 0) and (640, 480) land on the corners of clip space, and
    // depths -1 and 1 on its near and far planes.
    EXPECT_NEAR(projection[12], -1.0, 1e-6);
    EXPECT_NEAR(projection[13], -1.0, 1e-6);
    EXPECT_NEAR(640 * projection[0] + projection[12], 1.0, 1e-6);
    EXPECT_NEAR(480 * projection[5] + projection[13], 1.0, 1e-6);
    EXPECT_NEAR(projection[10], -1.0, 1e-6);
    EXPECT_NEAR(projection[14], 0.0, 1e-6);
}

static int idle_calls;

TEST_F(OpenWindow, FallbackOpensDoubleBufferedDrawsToTheFrontAndKeepsTheLoopRunning)
{
    // set_display_mode never called: the second attempt asks for exactly DISPLAY_DOUBLE.
    standin_fail_next("ChoosePixelFormat", 1);
    ASSERT_EQ(open_window("rollbox1"), 1);
    ASSERT_EQ(standin_message_box_count(), 2);
    EXPECT_STREQ(standin_message_box(1)->caption, "Warning");
    EXPECT_STREQ(standin_message_box(1)->text,
        "Can't initialize a single buffer visual. Will use a double buffer visual instead, only drawing into "
        "the front buffer.");
    EXPECT_EQ(standin_message_box(1)->style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(standin_message_box(1)->owner, toolkit_state.toolkit_window);
    EXPECT_EQ(std::vector<int>({toolkit_settings.display_mode, requested_display_mode,
                  gl_integer(GL_DRAW_BUFFER), key_table_count}),
        std::vector<int>({DISPLAY_DOUBLE, DISPLAY_DOUBLE, GL_FRONT, 1}));
    idle_calls = 0;
    set_idle_handler([] {
        if (++idle_calls == 3) destroy_toolkit_window(toolkit_state.toolkit_window);
    });
    run_main_loop(nullptr);
    EXPECT_EQ(idle_calls, 3);
}

TEST_F(OpenWindow, FailureWithoutOrAfterTheFallbackInstallsNothing)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16); // nothing to fall back to
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(standin_message_box_count(), 1);
    set_display_mode(DISPLAY_DEPTH16);
    standin_fail_next("wglCreateContext", 2);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(standin_message_box_count(), 3); // three errors, no warning
    EXPECT_EQ(toolkit_settings.display_mode, DISPLAY_DEPTH16 | DISPLAY_DOUBLE);
    EXPECT_EQ(requested_display_mode, DISPLAY_DEPTH16);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_EQ(key_table_count, 0);
}

// Escape destroys the window, whose teardown gives the static colours back,
// and ends the process with 0 before the loop runs again.
TEST_F(OpenWindow, EscapeRunsTheTeardownAndEndsTheProcessWithZero)
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

using Forwarders = FreshState;

// Each setting reaches the toolkit as given; the display handler is in place
// before the loop's first turn; every frame swaps the toolkit window's buffers.
TEST_F(Forwarders, PassSettingsAndHandlersOnAndSwapBuffersPresents)
{
    set_window_position(50, 60, 70, 80);
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({54, 82, 70, 80}));
    open_toolkit_window();
    set_reshape_hook(nullptr);
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

static void row(const char* name, const EventRecord* e)
{
    EXPECT_EQ(e->data[2], 0) << "reserved";
    record(name, {e->kind, e->data[0], e->data[1], e->data[3]});
}

using KeyDispatch = FreshState;

TEST_F(KeyDispatch, EveryMatchingRowInBindingOrderWhateverTheModifiersAndRowsBoundMeanwhile)
{
    calls.clear();
    EXPECT_EQ(dispatch_key('d', 0), 0);
    bind_key('d', [] {
        record("d1");
        bind_key('d', [] { record("d3"); });
    });
    bind_key('D', [] { record("D"); });
    bind_key('d', [] { record("d2"); });
    EXPECT_EQ(dispatch_key('d', KEY_SHIFT | KEY_CONTROL), 1);
    EXPECT_EQ(calls, (Calls{"d1", "d2", "d3"}));
    calls.clear();
    EXPECT_EQ(dispatch_key('D', 0), 1);
    EXPECT_EQ(dispatch_key('e', 0), 0);
    EXPECT_EQ(calls, (Calls{"D"}));
}

using MouseDispatch = FreshState;

TEST_F(MouseDispatch, EachRowOncePerHeldBitEqualToItsMaskInBindingOrder)
{
    calls.clear();
    EXPECT_EQ(dispatch_mouse_down(0, 0, MOUSE_LEFT), 0);
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
    EXPECT_EQ(dispatch_mouse_down(-7, 12, MOUSE_RIGHT), 1);
    EXPECT_EQ(dispatch_mouse_up(1, 2, MOUSE_MIDDLE), 1);
    EXPECT_EQ(dispatch_mouse_up(1, 2, MOUSE_LEFT), 0);
    EXPECT_EQ(dispatch_mouse_move(3, 4, MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE), 1);
    EXPECT_EQ(dispatch_mouse_move(3, 4, 0), 0);
    EXPECT_EQ(calls, (Calls{"R 16 -7 12 2", "M 32 1 2 4", "R 64 3 4 2", "L 64 3 4 1", "M 64 3 4 4"}));
}

using BindingTables = FreshState;

TEST_F(BindingTables, FullTablesMaskZeroAndUnknownKindsAreRefused)
{
    calls.clear();
    for (int i = 0; i < 200; i++) bind_key(1000 + i, [] {});
    bind_key('q', [] { record("q"); });
    EXPECT_EQ(key_table_count, 200);
    for (int kind : {MOUSE_DOWN, MOUSE_UP, MOUSE_MOVE}) {
        for (int i = 0; i < 20; i++) bind_mouse(MOUSE_MIDDLE, kind, [](EventRecord*) {});
        bind_mouse(MOUSE_LEFT, kind, [](EventRecord* e) { row("L", e); });
    }
    EXPECT_EQ(std::vector<int32_t>({mouse_down_table_count, mouse_up_table_count, mouse_move_table_count}),
        std::vector<int32_t>(3, 20));
    reset_everything();
    bind_mouse(0, MOUSE_MOVE, [](EventRecord* e) { row("0", e); }); // would fire once per clear bit
    bind_mouse(MOUSE_LEFT, 8, [](EventRecord* e) { row("8", e); });
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN | MOUSE_UP, [](EventRecord* e) { row("48", e); });
    EXPECT_EQ(mouse_down_table_count + mouse_up_table_count + mouse_move_table_count, 0);
    EXPECT_EQ(dispatch_key('q', 0) + dispatch_mouse_move(0, 0, 0) + dispatch_mouse_move(0, 0, MOUSE_LEFT), 0);
    EXPECT_TRUE(calls.empty());
}
