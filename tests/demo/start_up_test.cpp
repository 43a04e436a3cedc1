// The start-up on the headless driver: the end with code 1 when no window can
// be opened; else the window it opens, the state it sets and what it connects.
#include "binding/binding.h"
#include "demo/demo.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/windows.h"

using StartUp = FreshState;

// The toolkit has told the user; nothing further is connected or run.
TEST_F(StartUp, EndsWithCode1WhenNoWindowOpens)
{
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(run_demo(), 1);
    EXPECT_EQ(standin_message_box_count(), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(toolkit_state.idle_hook, nullptr);
    EXPECT_EQ(key_table_count + mouse_down_table_count, 0) << "handlers bound";
}

// The window it opens, the state it sets and, in binding order, every code
// and button to its own handler.
TEST_F(StartUp, OpensTheWindowAndConnectsTheHandlers)
{
    ASSERT_EQ(init_scene(), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(requested_display_mode, DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    // Outer corner (100, 100): the client area inside a 4-pixel frame and 19-pixel caption.
    const ToolkitSettings& s = toolkit_settings;
    EXPECT_EQ(std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height}),
        std::vector<int32_t>({104, 122, 600, 500}));
    EXPECT_EQ(gl_values(GL_COLOR_CLEAR_VALUE, 3)[2], 0.3f) << "the fixed state comes after the window's own";
    EXPECT_EQ(toolkit_state.idle_hook, &idle_step);
    EXPECT_EQ(toolkit_state.reshape_hook, &reshape_view);
    const KeyBinding keys[] = {{VK_ESCAPE, quit_on_escape}, {'d', increase_distance},
        {'u', decrease_distance}, {VK_UP, decrease_pitch}, {VK_DOWN, increase_pitch}, {VK_LEFT, increase_yaw},
        {VK_RIGHT, decrease_yaw}, {'r', reset_view}, {'1', start_phase_1}, {'2', start_phase_2},
        {'3', start_phase_3}, {'4', start_phase_4}, {'f', increase_speed}, {'s', decrease_speed}};
    ASSERT_EQ(key_table_count, 14);
    for (int i = 0; i < 14; i++) {
        EXPECT_EQ(key_table[i].key, keys[i].key) << "row " << i;
        EXPECT_EQ(key_table[i].handler, keys[i].handler) << "row " << i;
    }
    const MouseBinding buttons[] = {{MOUSE_LEFT, start_rotate_drag}, {MOUSE_RIGHT, start_zoom_drag},
        {MOUSE_LEFT, stop_rotate_drag}, {MOUSE_RIGHT, stop_zoom_drag}}; // down, then up
    ASSERT_EQ(std::vector<int32_t>({mouse_down_table_count, mouse_up_table_count, mouse_move_table_count}),
        std::vector<int32_t>({2, 2, 0}));
    for (int i = 0; i < 4; i++) {
        const MouseBinding& row = i < 2 ? mouse_down_table[i] : mouse_up_table[i - 2];
        EXPECT_EQ(row.button, buttons[i].button) << "button row " << i;
        EXPECT_EQ(row.handler, buttons[i].handler) << "button row " << i;
    }
}
