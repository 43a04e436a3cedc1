// The start-up on the null driver: what it connects, and the end with code 1
// when no window can be opened.
#include <gtest/gtest.h>

#include "binding/binding.h"
#include "demo/demo.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

TEST(StartUp, InitSceneOpensTheWindowAndConnectsTheHandlers)
{
    ASSERT_EQ(init_scene(), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(toolkit_state.idle_hook, idle_step);
    EXPECT_EQ(toolkit_state.reshape_hook, reshape_view);
    const int32_t keys[] = {27, 'd', 'u', 38, 40, 37, 39, 'r', '1', '2', '3', '4', 'f', 's'};
    ASSERT_EQ(key_table_count, 14);
    for (int i = 0; i < 14; i++) EXPECT_EQ(key_table[i].key, keys[i]) << "row " << i;
    EXPECT_EQ(key_table[1].handler, increase_distance);
    EXPECT_EQ(key_table[13].handler, decrease_speed);
    ASSERT_EQ(mouse_down_table_count, 2);
    ASSERT_EQ(mouse_up_table_count, 2);
    EXPECT_EQ(mouse_down_table[0].button, MOUSE_LEFT);
    EXPECT_EQ(mouse_down_table[0].handler, start_rotate_drag);
    EXPECT_EQ(mouse_down_table[1].button, MOUSE_RIGHT);
    EXPECT_EQ(mouse_up_table[1].handler, stop_zoom_drag);
}

// The toolkit has told the user; nothing further is connected or run.
TEST(StartUp, WithoutAWindowTheRunEndsWithCode1)
{
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(run_demo(), 1);
    EXPECT_GE(standin_message_box_count(), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(key_table_count, 0);
    EXPECT_EQ(toolkit_state.idle_hook, nullptr);
}
