// The scene state without drawing: the four-phase animation frame by frame (a
// frame is the end-of-cycle check, the pose drawn, then the advance), the
// controls' limits and corrections, and the drag arithmetic.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "demo/demo.h"

namespace {

struct Frame {
    bool new_picture;
    float phase, turn, tilt, drift; // as drawn
};

std::vector<Frame> run_frames(int count)
{
    std::vector<Frame> frames;
    for (int i = 0; i < count; i++) {
        bool new_picture = restart_cycle_if_ended() != 0;
        frames.push_back({new_picture, scene.cycle_phase, scene.turn_angle, scene.tilt_angle, scene.drift});
        advance_animation();
    }
    return frames;
}

int frames_to_next_picture()
{
    int frames = 0;
    while (!run_frames(1)[0].new_picture && frames < 2000) frames++;
    return frames;
}

} // namespace

TEST(Animation, AWholeCycleAtSpeedOne)
{
    std::vector<Frame> frames = run_frames(481);
    for (int f = 0; f <= 480; f++) {
        const Frame& frame = frames[static_cast<size_t>(f)];
        EXPECT_EQ(frame.new_picture, f == 0 || f == 480) << "frame " << f;
        float phase = f == 480 ? 1.0f : static_cast<float>(1 + f / 120);
        EXPECT_EQ(frame.phase, phase) << "frame " << f;
        // Each phase turns or tilts 0, 3, ... 357 from rest; never drawn at 360.
        float angle = static_cast<float>(3 * (f % 120));
        EXPECT_EQ(phase == 1.0f || phase == 3.0f ? frame.turn : frame.tilt, angle) << "frame " << f;
    }
    // Away in the first half of the turn, unchanged at exactly 180.
    EXPECT_NEAR(frames[59].drift, -23.6f, 1e-4);
    EXPECT_EQ(frames[60].drift, frames[59].drift);
    // The frame that changes the phase already drifts in the new phase.
    EXPECT_NEAR(frames[120].drift, -0.4f, 1e-4);
    EXPECT_NEAR(frames[240].drift, -0.8f, 1e-4);
    EXPECT_NEAR(frames[360].drift, -1.2f, 1e-4);
    const Frame* deepest = &frames[0];
    for (const Frame& frame : frames)
        if (frame.drift < deepest->drift) deepest = &frame;
    EXPECT_EQ(deepest->phase, 4.0f);
    EXPECT_NEAR(deepest->drift, -24.8f, 1e-4);
    EXPECT_EQ(frames[480].drift, 0.0f);
}

// A turn past 360 starts the next phase at 0.
TEST(Animation, AtSpeed1Point1TheExcessIsDropped)
{
    scene.speed = 1.1f;
    std::vector<Frame> frames = run_frames(111);
    EXPECT_NEAR(frames[1].turn, 3.3f, 1e-5);
    EXPECT_EQ(frames[110].phase, 2.0f);
    EXPECT_EQ(frames[110].turn, 0.0f);
    EXPECT_EQ(frames[110].tilt, 0.0f);
}

// A phase key restarts the cycle at its phase and keeps the picture until that
// cycle ends; 'r' leaves the animation alone.
TEST(Animation, PhaseKeysKeepThePictureUntilTheRestartedCycleEnds)
{
    run_frames(200);
    start_phase_2();
    run_frames(100);
    scene.speed = 3.0f;
    reset_view();
    EXPECT_EQ(frames_to_next_picture(), 260);
    run_frames(50);
    start_phase_4();
    EXPECT_EQ(frames_to_next_picture(), 120);
}

// 'u' stops at 2.7 and 'd' at 80; a right drag reaches nearer, and as far.
TEST(DistanceKeys, KeysAndRightDragStopAtTheirLimits)
{
    decrease_distance();
    EXPECT_FLOAT_EQ(scene.distance, 3.2f);
    decrease_distance();
    decrease_distance();
    EXPECT_EQ(scene.distance, 2.7f);
    for (int i = 0; i < 200; i++) increase_distance();
    EXPECT_EQ(scene.distance, 80.0f);
    scene.zoom_drag = 1;
    apply_mouse_drag(0, 1000);
    EXPECT_EQ(scene.distance, 2.5f);
    decrease_distance();
    EXPECT_EQ(scene.distance, 2.7f);
    scene.last_mouse_y = 1000;
    apply_mouse_drag(0, 0);
    EXPECT_EQ(scene.distance, 80.0f);
}

// Wrapped once, on the side the angle moves to: 2 down to 0 becomes 360.
TEST(AngleKeys, YawAndPitchWrapAt0And360)
{
    decrease_yaw();
    decrease_pitch();
    EXPECT_EQ(std::pair(scene.view_yaw, scene.view_pitch), std::pair(358.0f, 358.0f));
    increase_yaw();
    increase_pitch();
    EXPECT_EQ(std::pair(scene.view_yaw, scene.view_pitch), std::pair(0.0f, 0.0f));
    increase_yaw();
    decrease_yaw();
    EXPECT_EQ(scene.view_yaw, 360.0f);
}

TEST(SpeedKeys, SNeverStopsTheAnimation)
{
    for (int i = 0; i < 10; i++) decrease_speed(); // down to 0 or just below
    EXPECT_EQ(scene.speed, 0.1f);
    decrease_speed();
    EXPECT_EQ(scene.speed, 0.1f);
}

// Half a degree a pixel, corrected into range; the rotation wins over the zoom.
TEST(MouseDrag, TenRightAndFourUpWithBothButtonsTurnsTheView)
{
    scene.rotate_drag = 1;
    scene.zoom_drag = 1;
    scene.last_mouse_x = 200;
    scene.last_mouse_y = 150;
    apply_mouse_drag(210, 146);
    EXPECT_EQ(scene.view_yaw, 355.0f);
    EXPECT_EQ(scene.view_pitch, 358.0f);
    EXPECT_EQ(scene.distance, 4.0f);
}
