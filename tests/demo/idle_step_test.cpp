// The idle step against the toolkit's pointer: the drag applies the motion
// since the previous step, every step draws a frame and then remembers where
// the pointer was.
#include <gtest/gtest.h>

#include "demo/demo.h"
#include "platform/standin/testing.h"
#include "tests/support/gl_context.h"
#include "toolkit/toolkit.h"

namespace {

class IdleStep : public GlContextTest {
protected:
    void SetUp() override
    {
        GlContextTest::SetUp();
        set_fixed_render_state();
        set_texture_sampling();
        reshape_view(256, 256);
        image_bank.last_loaded_index = -1;
        // The client area's screen position, as the window procedure keeps it.
        toolkit_settings.window_x = 100;
        toolkit_settings.window_y = 100;
    }
};

void pointer_at(int x, int y)
{
    standin_set_cursor(100 + x, 100 + y);
}

} // namespace

TEST_F(IdleStep, EveryStepDrawsAFrameAndRemembersThePointer)
{
    pointer_at(50, 60);
    idle_step();
    EXPECT_EQ(scene.current_picture, 0); // the first frame switched the picture
    EXPECT_EQ(scene.turn_angle, 3.0f);
    EXPECT_EQ(scene.last_mouse_x, 50);
    EXPECT_EQ(scene.last_mouse_y, 60);
    pointer_at(70, 20);
    idle_step(); // no button held: the view stays
    EXPECT_EQ(scene.turn_angle, 6.0f);
    EXPECT_EQ(scene.view_yaw, 0.0f);
    EXPECT_EQ(scene.distance, 4.0f);
    EXPECT_EQ(scene.last_mouse_x, 70);
    EXPECT_EQ(scene.last_mouse_y, 20);
}

TEST_F(IdleStep, ALeftDragAppliesOnlyTheMotionSinceTheLastStep)
{
    scene.view_yaw = 100.0f;
    scene.view_pitch = 50.0f;
    pointer_at(200, 150);
    idle_step();
    start_rotate_drag(nullptr);
    pointer_at(210, 146); // 10 right, 4 up
    idle_step();
    EXPECT_EQ(scene.view_yaw, 95.0f);
    EXPECT_EQ(scene.view_pitch, 48.0f);
    idle_step(); // no motion since
    EXPECT_EQ(scene.view_yaw, 95.0f);
    EXPECT_EQ(scene.view_pitch, 48.0f);
}

TEST_F(IdleStep, ARightDragMovesTheCamera)
{
    pointer_at(10, 100);
    idle_step();
    start_zoom_drag(nullptr);
    pointer_at(10, 90);
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
    stop_zoom_drag(nullptr);
    pointer_at(10, 400);
    idle_step();
    EXPECT_FLOAT_EQ(scene.distance, 7.0f);
}
