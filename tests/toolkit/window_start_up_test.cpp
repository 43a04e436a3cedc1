// open_window: wiring the binding layer in, the double-buffered fallback with
// its warning, the default reshape, and Escape.
#include <cstring>

#include "binding/binding.h"
#include "platform/gl.h"
#include "toolkit_testing.h"

static const char WARNING[] =
    "Can't initialize a single buffer visual. Will use a double buffer visual instead, only drawing into the "
    "front buffer.";

static int count_boxes(const char* caption)
{
    int count = 0;
    for (int i = 0; i < standin_message_box_count(); i++) {
        count += std::strcmp(standin_message_box(i)->caption, caption) == 0;
    }
    return count;
}

static GLint draw_buffer()
{
    GLint buffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER, &buffer);
    return buffer;
}

TEST(OpenWindow, FirstAttemptWiresTheLayerInAndBindsEscape)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    ASSERT_EQ(open_window("rollbox1"), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    EXPECT_EQ(draw_buffer(), GL_BACK);
    EXPECT_EQ(toolkit_state.reshape_hook, default_reshape);
    EXPECT_EQ(toolkit_state.key_down_hook, dispatch_key);
    EXPECT_EQ(toolkit_state.mouse_down_hook, dispatch_mouse_down);
    EXPECT_EQ(toolkit_state.mouse_up_hook, dispatch_mouse_up);
    EXPECT_EQ(toolkit_state.mouse_move_hook, dispatch_mouse_move);
    ASSERT_EQ(key_table_count, 1);
    EXPECT_EQ(key_table[0].key, 27);
    EXPECT_EQ(key_table[0].handler, quit_on_escape);
}

static int idle_calls = 0;
static void idle_three_times()
{
    if (++idle_calls == 3) {
        destroy_toolkit_window(toolkit_state.toolkit_window);
    }
}

TEST(OpenWindow, FallbackOpensDoubleBufferedDrawsToTheFrontAndKeepsTheLoopRunning)
{
    // set_display_mode never called: the second attempt asks for exactly DISPLAY_DOUBLE.
    standin_fail_next("ChoosePixelFormat", 1);
    ASSERT_EQ(open_window("rollbox1"), 1);
    EXPECT_EQ(count_boxes("Error"), 1);
    ASSERT_EQ(count_boxes("Warning"), 1);
    EXPECT_STREQ(standin_message_box(standin_message_box_count() - 1)->text, WARNING);
    EXPECT_EQ(toolkit_settings.display_mode, DISPLAY_DOUBLE);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE);
    EXPECT_EQ(draw_buffer(), GL_FRONT);
    EXPECT_EQ(key_table_count, 1);

    set_idle_handler(idle_three_times);
    run_main_loop(nullptr);
    EXPECT_EQ(idle_calls, 3);
}

TEST(OpenWindow, FailureWithoutOrAfterTheFallbackInstallsNothing)
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16); // nothing to fall back to
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(standin_journal_count("wglCreateContext"), 1);
    set_display_mode(DISPLAY_DEPTH16);
    standin_fail_next("wglCreateContext", 2);
    EXPECT_EQ(open_window("rollbox1"), 0);
    EXPECT_EQ(count_boxes("Error"), 3);
    EXPECT_EQ(count_boxes("Warning"), 0);
    EXPECT_EQ(requested_display_mode, DISPLAY_DEPTH16);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_EQ(key_table_count, 0);
}

TEST(DefaultReshape, OneUnitIsOnePixelFromTheLowerLeftCorner)
{
    set_display_mode(DISPLAY_DOUBLE);
    ASSERT_EQ(open_window("rollbox1"), 1);
    default_reshape(640, 480);
    GLint viewport[4] = {}, mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(viewport[2] * 10000 + viewport[3], 640 * 10000 + 480);
    EXPECT_EQ(mode, GL_MODELVIEW);
    // The pixels (0, 0) and (640, 480) map to the corners of clip space.
    GLdouble projection[16], model_view[16], corner[3];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    GLint unit[4] = {-1, -1, 2, 2};
    gluProject(640, 480, 0, model_view, projection, unit, &corner[0], &corner[1], &corner[2]);
    EXPECT_NEAR(corner[0], 1.0, 1e-6);
    EXPECT_NEAR(corner[1], 1.0, 1e-6);
    gluProject(0, 0, 0, model_view, projection, unit, &corner[0], &corner[1], &corner[2]);
    EXPECT_NEAR(corner[0], -1.0, 1e-6);
    EXPECT_NEAR(corner[1], -1.0, 1e-6);
}

static void open_and_press_escape()
{
    set_display_mode(DISPLAY_DOUBLE);
    if (open_window("rollbox1") != 1) {
        return;
    }
    standin_key_press(toolkit_state.toolkit_window, VK_ESCAPE);
    set_idle_handler([] {});
    run_main_loop(nullptr);
}

TEST(QuitOnEscape, EndsTheProcessWithExitCodeZero)
{
    EXPECT_EXIT(open_and_press_escape(), testing::ExitedWithCode(0), "");
}
