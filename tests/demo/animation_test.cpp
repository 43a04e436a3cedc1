// The four-phase animation, frame by frame, without drawing: a frame is the
// end-of-cycle check, the pose drawn, then the advance.
#include <gtest/gtest.h>

#include <vector>

#include "demo/demo.h"

namespace {

struct Frame {
    bool new_picture;
    float phase, turn, tilt, drift; // as drawn
};

Frame run_frame()
{
    Frame frame;
    frame.new_picture = restart_cycle_if_ended() != 0;
    frame.phase = scene.cycle_phase;
    frame.turn = scene.turn_angle;
    frame.tilt = scene.tilt_angle;
    frame.drift = scene.drift;
    advance_animation();
    return frame;
}

std::vector<Frame> run_frames(int count)
{
    std::vector<Frame> frames;
    for (int i = 0; i < count; i++) frames.push_back(run_frame());
    return frames;
}

} // namespace

TEST(Animation, TheFirstFrameStartsACycleFromRest)
{
    Frame first = run_frame();
    EXPECT_TRUE(first.new_picture);
    EXPECT_EQ(first.phase, 1.0f);
    EXPECT_EQ(first.turn, 0.0f);
    EXPECT_EQ(first.tilt, 0.0f);
    EXPECT_EQ(first.drift, 0.0f);
    EXPECT_EQ(scene.turn_angle, 3.0f);
    EXPECT_FLOAT_EQ(scene.drift, -0.4f);
}

TEST(Animation, AWholeCycleAtSpeedOne)
{
    std::vector<Frame> frames = run_frames(481);
    for (int f = 0; f <= 480; f++) {
        const Frame& frame = frames[static_cast<size_t>(f)];
        EXPECT_EQ(frame.new_picture, f == 0 || f == 480) << "frame " << f;
        float phase = f == 480 ? 1.0f : static_cast<float>(1 + f / 120);
        EXPECT_EQ(frame.phase, phase) << "frame " << f;
        // The turning angle runs 0, 3, ... 357 in each phase, never drawn at 360.
        float angle = static_cast<float>(3 * (f % 120));
        if (phase == 1.0f || phase == 3.0f)
            EXPECT_EQ(frame.turn, angle) << "frame " << f;
        else
            EXPECT_EQ(frame.tilt, angle) << "frame " << f;
        EXPECT_LT(frame.tilt, 360.0f);
        EXPECT_LT(frame.turn, 360.0f);
    }
    // Away for the first half of the turn, unchanged at exactly 180, back after.
    EXPECT_NEAR(frames[59].drift, -23.6f, 1e-4);
    EXPECT_EQ(frames[60].drift, frames[59].drift);
    EXPECT_NEAR(frames[61].drift, -23.2f, 1e-4);
    EXPECT_NEAR(frames[119].drift, 0.0f, 1e-4);
    // The frame that changes the phase already drifts in the new phase.
    EXPECT_NEAR(frames[120].drift, -0.4f, 1e-4);
    EXPECT_NEAR(frames[240].drift, -0.8f, 1e-4);
    EXPECT_NEAR(frames[360].drift, -1.2f, 1e-4);
    // The deepest point is the middle of the fourth turn; the new cycle starts at 0.
    size_t deepest = 0;
    for (size_t f = 0; f < 480; f++)
        if (frames[f].drift < frames[deepest].drift) deepest = f;
    EXPECT_EQ(frames[deepest].phase, 4.0f);
    EXPECT_NEAR(frames[deepest].drift, -24.8f, 1e-4);
    EXPECT_EQ(frames[480].drift, 0.0f);
    EXPECT_EQ(frames[480].tilt, 0.0f);
}

TEST(Animation, AtTheEndOfTheFourthTurnTheTiltWaitsForTheNextFrame)
{
    run_frames(480);
    EXPECT_EQ(scene.cycle_phase, 4.0f);
    EXPECT_EQ(scene.tilt_angle, 360.0f);
}

TEST(Animation, AtSpeed1Point1TheStepIsFormedInDoubleAndTheExcessDropped)
{
    scene.speed = 1.1f;
    run_frame();
    float step = static_cast<float>(3.0 * static_cast<double>(1.1f));
    EXPECT_EQ(scene.turn_angle, step);
    EXPECT_NEAR(scene.turn_angle, 3.3f, 1e-5);
    EXPECT_NEAR(scene.drift, -0.44f, 1e-6);
    // 110 steps of 3.3 pass 360 (363): the next phase starts at 0.
    int frames = 1;
    while (scene.cycle_phase == 1.0f && frames < 200) {
        run_frame();
        frames++;
    }
    EXPECT_EQ(frames, 110);
    EXPECT_EQ(scene.cycle_phase, 2.0f);
    EXPECT_EQ(scene.turn_angle, 0.0f);
    EXPECT_EQ(scene.tilt_angle, 0.0f);
}

// Phase keys restart the cycle at that phase and leave the picture alone.

TEST(Animation, Phase4KeyGivesOneTiltThenTheNextPicture)
{
    run_frames(50);
    scene.current_picture = 3;
    start_phase_4();
    EXPECT_EQ(scene.current_picture, 3);
    std::vector<Frame> frames = run_frames(121);
    for (int f = 0; f < 120; f++) EXPECT_FALSE(frames[static_cast<size_t>(f)].new_picture) << "frame " << f;
    EXPECT_TRUE(frames[120].new_picture);
}

TEST(Animation, PhaseKeysKeepThePictureUntilTheRestartedCycleEnds)
{
    run_frames(200);
    scene.current_picture = 5;
    start_phase_2();
    EXPECT_EQ(scene.cycle_phase, 2.0f);
    EXPECT_EQ(scene.turn_angle, 0.0f);
    EXPECT_EQ(scene.tilt_angle, 0.0f);
    EXPECT_EQ(scene.drift, 0.0f);
    std::vector<Frame> frames = run_frames(361);
    for (int f = 0; f < 360; f++) ASSERT_FALSE(frames[static_cast<size_t>(f)].new_picture) << "frame " << f;
    EXPECT_TRUE(frames[360].new_picture);
    EXPECT_EQ(scene.current_picture, 5); // the frame drawing switches it, not the animation
}

TEST(Animation, ResetInPhase3RestoresTheViewAndTheTurnGoesOn)
{
    run_frames(250);
    ASSERT_EQ(scene.cycle_phase, 3.0f);
    float turn = scene.turn_angle;
    float drift = scene.drift;
    scene.distance = 20.0f;
    scene.view_roll = 5.0f;
    scene.view_pitch = 6.0f;
    scene.view_yaw = 7.0f;
    scene.speed = 3.0f;
    reset_view();
    EXPECT_EQ(scene.distance, 4.0f);
    EXPECT_EQ(scene.view_roll, 0.0f);
    EXPECT_EQ(scene.view_pitch, 0.0f);
    EXPECT_EQ(scene.view_yaw, 0.0f);
    EXPECT_EQ(scene.speed, 1.0f);
    EXPECT_EQ(scene.turn_angle, turn);
    EXPECT_EQ(scene.drift, drift);
    run_frame();
    EXPECT_EQ(scene.cycle_phase, 3.0f);
    EXPECT_EQ(scene.turn_angle, turn + 3.0f);
}
