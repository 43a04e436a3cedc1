// The controls' limits and corrections, and the drag arithmetic of the idle step.
#include <gtest/gtest.h>

#include "demo/demo.h"

TEST(DistanceKeys, UStopsAt2Point7AndDAt80)
{
    decrease_distance();
    EXPECT_FLOAT_EQ(scene.distance, 3.2f);
    decrease_distance();
    EXPECT_EQ(scene.distance, 2.7f);
    decrease_distance();
    EXPECT_EQ(scene.distance, 2.7f);
    for (int i = 0; i < 200; i++) increase_distance();
    EXPECT_EQ(scene.distance, 80.0f);
}

TEST(DistanceKeys, ARightDragGoesNearerThanTheKeys)
{
    scene.zoom_drag = 1;
    scene.last_mouse_y = 0;
    apply_mouse_drag(0, 1000); // far downwards
    EXPECT_EQ(scene.distance, 2.5f);
    decrease_distance();
    EXPECT_EQ(scene.distance, 2.7f);
    scene.last_mouse_y = 1000;
    apply_mouse_drag(0, 0); // far upwards
    EXPECT_EQ(scene.distance, 80.0f);
}

TEST(AngleKeys, YawWrapsOnTheSideItMovesTo)
{
    decrease_yaw();
    EXPECT_EQ(scene.view_yaw, 358.0f);
    increase_yaw();
    EXPECT_EQ(scene.view_yaw, 0.0f);
    // Only the bound moved towards is tested: 0 stays 0 on the way up.
    increase_yaw();
    EXPECT_EQ(scene.view_yaw, 2.0f);
}

TEST(AngleKeys, PitchWrapsOnTheSideItMovesTo)
{
    decrease_pitch();
    EXPECT_EQ(scene.view_pitch, 358.0f);
    increase_pitch();
    EXPECT_EQ(scene.view_pitch, 0.0f);
    for (int i = 0; i < 1000; i++) {
        increase_pitch();
        ASSERT_LT(scene.view_pitch, 360.0f);
        ASSERT_GE(scene.view_pitch, 0.0f);
    }
    for (int i = 0; i < 1000; i++) {
        decrease_pitch();
        ASSERT_LE(scene.view_pitch, 360.0f);
        ASSERT_GT(scene.view_pitch, 0.0f);
    }
}

TEST(SpeedKeys, SNeverStopsTheAnimationAndFHasNoLimit)
{
    for (int i = 0; i < 30; i++) {
        decrease_speed();
        ASSERT_GT(scene.speed, 0.05f);
    }
    EXPECT_EQ(scene.speed, 0.1f);
    decrease_speed();
    EXPECT_EQ(scene.speed, 0.1f);
    for (int i = 0; i < 200; i++) increase_speed();
    EXPECT_NEAR(scene.speed, 20.1f, 1e-3);
}

TEST(MouseDrag, LeftDragFromTheStartIsCorrectedIntoRange)
{
    scene.rotate_drag = 1;
    scene.last_mouse_x = 200;
    scene.last_mouse_y = 150;
    apply_mouse_drag(210, 146);
    EXPECT_EQ(scene.view_yaw, 355.0f);
    EXPECT_EQ(scene.view_pitch, 358.0f);
}

TEST(MouseDrag, APressWithoutMotionTurns0Into360)
{
    scene.rotate_drag = 1;
    apply_mouse_drag(0, 0);
    EXPECT_EQ(scene.view_yaw, 360.0f);
    EXPECT_EQ(scene.view_pitch, 360.0f);
    apply_mouse_drag(0, 0); // 360 loses 360
    EXPECT_EQ(scene.view_yaw, 0.0f);
}

TEST(MouseDrag, WithBothButtonsHeldTheRotationWins)
{
    scene.rotate_drag = 1;
    scene.zoom_drag = 1;
    scene.view_yaw = 90.0f;
    scene.view_pitch = 90.0f;
    scene.last_mouse_x = 10;
    scene.last_mouse_y = 10;
    apply_mouse_drag(14, 30);
    EXPECT_EQ(scene.distance, 4.0f);
    EXPECT_EQ(scene.view_yaw, 88.0f);
    EXPECT_EQ(scene.view_pitch, 100.0f);
}

TEST(MouseDrag, NoButtonNoChange)
{
    scene.last_mouse_x = 10;
    scene.last_mouse_y = 10;
    apply_mouse_drag(300, 300);
    EXPECT_EQ(scene.distance, 4.0f);
    EXPECT_EQ(scene.view_yaw, 0.0f);
    EXPECT_EQ(scene.view_pitch, 0.0f);
}
