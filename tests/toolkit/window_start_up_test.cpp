// open_window: wiring the binding layer in, the double-buffered fallback with
// its warning, the default reshape, and Escape.
#include "binding/binding.h"
#include "platform/gl.h"
#include "toolkit_testing.h"

static GLint gl_integer(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

TEST(OpenWindow, FirstAttemptWiresTheLayerInAndBindsEscapeAndDefaultReshapeMapsPixels)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    ASSERT_EQ(open_window("rollbox1"), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(gl_integer(GL_DRAW_BUFFER), GL_BACK);
    EXPECT_EQ(toolkit_state.reshape_hook, default_reshape);
    EXPECT_EQ(toolkit_state.key_down_hook, dispatch_key);
    EXPECT_EQ(toolkit_state.mouse_down_hook, dispatch_mouse_down);
    EXPECT_EQ(toolkit_state.mouse_up_hook, dispatch_mouse_up);
    EXPECT_EQ(toolkit_state.mouse_move_hook, dispatch_mouse_move);
    EXPECT_EQ(key_table_count, 1); // Escape, below

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
    // The pixels (0, 0) and (640, 480) land on the corners of clip space.
    EXPECT_NEAR(projection[12], -1.0, 1e-6);
    EXPECT_NEAR(projection[13], -1.0, 1e-6);
    EXPECT_NEAR(640 * projection[0] + projection[12], 1.0, 1e-6);
    EXPECT_NEAR(480 * projection[5] + projection[13], 1.0, 1e-6);
}

static int idle_calls = 0;

TEST(OpenWindow, FallbackOpensDoubleBufferedDrawsToTheFrontAndKeepsTheLoopRunning)
{
    // set_display_mode never called: the second attempt asks for exactly DISPLAY_DOUBLE.
    standin_fail_next("ChoosePixelFormat", 1);
    ASSERT_EQ(open_window("rollbox1"), 1);
    ASSERT_EQ(standin_message_box_count(), 2);
    EXPECT_STREQ(standin_message_box(0)->caption, "Error");
    EXPECT_STREQ(standin_message_box(1)->caption, "Warning");
    EXPECT_STREQ(standin_message_box(1)->text,
        "Can't initialize a single buffer visual. Will use a double buffer visual instead, only drawing into "
        "the front buffer.");
    EXPECT_EQ(toolkit_settings.display_mode, DISPLAY_DOUBLE);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE);
    EXPECT_EQ(gl_integer(GL_DRAW_BUFFER), GL_FRONT);
    EXPECT_EQ(key_table_count, 1);
    set_idle_handler([] {
        if (++idle_calls == 3) destroy_toolkit_window(toolkit_state.toolkit_window);
    });
    run_main_loop(nullptr);
    EXPECT_EQ(idle_calls, 3);
}

TEST(OpenWindow, FailureWithoutOrAfterTheFallbackInstallsNothing)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16); // nothing to fall back to
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(open_window("rollbox1"), 0);
    set_display_mode(DISPLAY_DEPTH16);
    standin_fail_next("wglCreateContext", 2);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(standin_message_box_count(), 3); // three errors, no warning
    EXPECT_EQ(requested_display_mode, DISPLAY_DEPTH16);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_EQ(key_table_count, 0);
}

TEST(QuitOnEscape, EndsTheProcessWithExitCodeZero)
{
    auto open_and_press_escape = [] {
        set_display_mode(DISPLAY_DOUBLE);
        if (open_window("rollbox1") != 1) return;
        standin_key_press(toolkit_state.toolkit_window, VK_ESCAPE);
        set_idle_handler([] { ExitProcess(3); }); // only if Escape did nothing
        run_main_loop(nullptr);
    };
    EXPECT_EXIT(open_and_press_escape(), testing::ExitedWithCode(0), "");
}
