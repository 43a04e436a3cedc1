// The start-up on the headless driver: the window it opens, the state it sets,
// what it connects, and the end with code 1 when no window can be opened.
#include "binding/binding.h"
#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"

using StartUp = FreshState;

TEST_F(StartUp, InitSceneOpensTheWindowAndConnectsTheHandlers)
{
    ASSERT_EQ(init_scene(), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    EXPECT_EQ(toolkit_settings.display_mode, DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    // The outer corner at (100, 100) puts the 600 x 500 client area inside
    // the 4-pixel frame and the 19-pixel caption.
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({104, 122, 600, 500}));
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[2], 0.3f) << "the fixed state comes after the window's own";
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(toolkit_state.idle_hook, idle_step);
    EXPECT_EQ(toolkit_state.reshape_hook, reshape_view);
    EXPECT_EQ(toolkit_state.key_down_hook, dispatch_key);

    const KeyBinding keys[] = {{27, quit_on_escape}, {'d', increase_distance}, {'u', decrease_distance},
        {VK_UP, decrease_pitch}, {VK_DOWN, increase_pitch}, {VK_LEFT, increase_yaw}, {VK_RIGHT, decrease_yaw},
        {'r', reset_view}, {'1', start_phase_1}, {'2', start_phase_2}, {'3', start_phase_3},
        {'4', start_phase_4}, {'f', increase_speed}, {'s', decrease_speed}};
    ASSERT_EQ(key_table_count, 14);
    for (int i = 0; i < 14; i++) {
        EXPECT_EQ(key_table[i].key, keys[i].key) << "row " << i;
        EXPECT_EQ(key_table[i].handler, keys[i].handler) << "row " << i;
    }
    const MouseBinding downs[] = {{MOUSE_LEFT, start_rotate_drag}, {MOUSE_RIGHT, start_zoom_drag}};
    const MouseBinding ups[] = {{MOUSE_LEFT, stop_rotate_drag}, {MOUSE_RIGHT, stop_zoom_drag}};
    ASSERT_EQ(mouse_down_table_count, 2);
    ASSERT_EQ(mouse_up_table_count, 2);
    EXPECT_EQ(mouse_move_table_count, 0);
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(std::pair(mouse_down_table[i].button, mouse_down_table[i].handler),
            std::pair(downs[i].button, downs[i].handler));
        EXPECT_EQ(std::pair(mouse_up_table[i].button, mouse_up_table[i].handler),
            std::pair(ups[i].button, ups[i].handler));
    }
}

// The toolkit has told the user; nothing further is connected or run.
TEST_F(StartUp, WithoutAWindowTheRunEndsWithCode1)
{
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(run_demo(), 1);
    EXPECT_EQ(standin_message_box_count(), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(key_table_count, 0);
    EXPECT_EQ(mouse_down_table_count, 0);
    EXPECT_EQ(toolkit_state.idle_hook, nullptr);
}
