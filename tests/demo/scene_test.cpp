// The scene without drawing: the four-phase animation frame by frame (a frame
// is the end-of-cycle check, the pose drawn, then the advance), the key
// handlers' steps, limits and wraps, and the mouse drags.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "demo/demo.h"
#include "tests/support/fresh_state.h"

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
    while (!run_frames(1)[0].new_picture && frames < 5000) frames++;
    return frames;
}

// Every field, so that whole scenes compare with a readable difference.
std::string fields(const SceneState& s)
{
    char text[512];
    std::snprintf(text, sizeof text,
        "phase %g turn %g tilt %g drift %g speed %g picture %d distance %g roll %g pitch %g yaw %g "
        "rotate %d zoom %d last %d,%d",
        s.cycle_phase, s.turn_angle, s.tilt_angle, s.drift, s.speed, s.current_picture, s.distance,
        s.view_roll, s.view_pitch, s.view_yaw, s.rotate_drag, s.zoom_drag, s.last_mouse_x, s.last_mouse_y);
    return text;
}

// Every field away from its start, so that each change, and each field left
// alone, shows.
const SceneState MOVED = {2.5f, 100, 200, -5, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8};

} // namespace

using Animation = FreshState;

TEST_F(Animation, AWholeCycleAtSpeedOne)
{
    EXPECT_EQ(fields(scene), fields(SceneState{4, 0, 360, 0, 1, 99, 4, 0, 0, 0, 0, 0, 0, 0})) << "the start";
    std::vector<Frame> frames = run_frames(481);
    for (int f = 0; f <= 480; f++) {
        const Frame& frame = frames[static_cast<size_t>(f)];
        EXPECT_EQ(frame.new_picture, f == 0 || f == 480) << "frame " << f;
        float phase = f == 480 ? 1.0f : static_cast<float>(1 + f / 120);
        EXPECT_EQ(frame.phase, phase) << "frame " << f;
        // Each phase turns or tilts 0, 3, ... 357 from rest, the other angle at
        // 0; never drawn at 360.
        float angle = static_cast<float>(3 * (f % 120));
        bool turning = phase == 1.0f || phase == 3.0f;
        EXPECT_EQ(turning ? frame.turn : frame.tilt, angle) << "frame " << f;
        EXPECT_EQ(turning ? frame.tilt : frame.turn, 0.0f) << "frame " << f;
    }
    // Away in the first half of the turn, unchanged at exactly 180, back after.
    EXPECT_NEAR(frames[1].drift, -0.4f, 1e-6);
    EXPECT_NEAR(frames[59].drift, -23.6f, 1e-4);
    EXPECT_EQ(frames[60].drift, frames[59].drift);
    EXPECT_NEAR(frames[61].drift, -23.2f, 1e-4);
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

// 3 x speed is formed in double: at 1.3 (three presses of 'f') a float sum
// would give 15.6000004 after four steps. A step past 360 starts the next
// phase at 0, dropping the excess.
TEST_F(Animation, StepsAreFormedInDoubleAndTheExcessPastAFullTurnIsDropped)
{
    for (int i = 0; i < 3; i++) increase_speed();
    std::vector<Frame> frames = run_frames(5);
    EXPECT_EQ(frames[4].turn, 15.6000013f);
    EXPECT_NEAR(frames[4].drift, -4 * 0.4f * 1.3f, 1e-5);

    reset_everything();
    scene.speed = 1.1f;
    frames = run_frames(111);
    EXPECT_EQ(frames[1].turn, 3.30000019f);
    EXPECT_EQ(frames[109].phase, 1.0f);
    EXPECT_EQ(frames[110].phase, 2.0f);
    EXPECT_EQ(frames[110].turn, 0.0f);
    EXPECT_EQ(frames[110].tilt, 0.0f);
}

// A phase key restarts the cycle at its phase and keeps the picture until that
// cycle ends; 'r' leaves the animation alone.
TEST_F(Animation, PhaseKeysKeepThePictureUntilTheRestartedCycleEnds)
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
    start_phase_3();
    EXPECT_EQ(frames_to_next_picture(), 240);
    start_phase_1();
    EXPECT_EQ(frames_to_next_picture(), 480);
}

using Keys = FreshState;

// The step of each key, its limit, and the one correction of 360 towards the
// side the angle moves to; nothing else changes.
TEST_F(Keys, ChangeTheirFieldOnly)
{
    struct Row {
        void (*handler)();
        float SceneState::*field;
        float before, after;
    };
    float SceneState::*d = &SceneState::distance, SceneState::*p = &SceneState::view_pitch,
          SceneState::*y = &SceneState::view_yaw, SceneState::*s = &SceneState::speed;
    const Row rows[] = {{increase_distance, d, 4.0f, 4.8f}, {increase_distance, d, 78.5f, 79.3f},
        {increase_distance, d, 79.5f, 80}, {decrease_distance, d, 4.0f, 3.2f},
        {decrease_distance, d, 3.2f, 2.7f}, {decrease_distance, d, 2.5f, 2.7f}, {decrease_pitch, p, 100, 98},
        {decrease_pitch, p, 2, 360}, {decrease_pitch, p, 0, 358}, {decrease_pitch, p, 2.5f, 0.5f},
        {increase_pitch, p, 100, 102}, {increase_pitch, p, 358, 0}, {increase_pitch, p, 357.5f, 359.5f},
        {increase_yaw, y, 100, 102}, {increase_yaw, y, 358, 0}, {increase_yaw, y, 357.5f, 359.5f},
        {decrease_yaw, y, 100, 98}, {decrease_yaw, y, 2, 360}, {decrease_yaw, y, 0, 358},
        {decrease_yaw, y, 2.5f, 0.5f}, {increase_speed, s, 1, 1.1f}, {increase_speed, s, 50, 50.1f},
        {decrease_speed, s, 1, 0.9f}, {decrease_speed, s, 0.2f, 0.1f}, {decrease_speed, s, 0.1f, 0.1f},
        {decrease_speed, s, 0.05f, 0.1f}};
    for (const Row& row : rows) {
        SceneState expected = scene = MOVED;
        scene.*row.field = row.before;
        row.handler();
        EXPECT_NEAR(scene.*row.field, row.after, 1e-5) << "from " << row.before;
        expected.*row.field = scene.*row.field;
        EXPECT_EQ(fields(scene), fields(expected));
    }
}

// 'r' restores the view and the speed; a phase key restarts the animation at
// its phase. Neither touches the rest.
TEST_F(Keys, ResetAndPhaseKeysChangeTheirFieldsOnly)
{
    void (*const handlers[])() = {reset_view, start_phase_1, start_phase_2, start_phase_3, start_phase_4};
    for (float phase = 0; phase <= 4; phase++) {
        SceneState expected = scene = MOVED;
        handlers[static_cast<int>(phase)]();
        if (phase == 0) {
            expected.distance = 4.0f;
            expected.view_roll = expected.view_pitch = expected.view_yaw = 0.0f;
            expected.speed = 1.0f;
        } else {
            expected.cycle_phase = phase;
            expected.turn_angle = expected.tilt_angle = expected.drift = 0.0f;
        }
        EXPECT_EQ(fields(scene), fields(expected)) << "phase key " << phase;
    }
}

struct Drag {
    int rotate, zoom;
    int from_x, from_y, to_x, to_y;
    float yaw, pitch, distance; // before
    float yaw_after, pitch_after, distance_after;
};

// Half a degree a pixel for a left drag, corrected once towards 0 to 360 on
// either side; 0.3 units a pixel up or down for a right drag, from 2.5 to 80.
const Drag DRAGS[] = {
    {1, 0, 200, 150, 210, 146, 0, 0, 4, 355, 358, 4},
    {1, 0, 5, 5, 5, 5, 0, 0, 4, 360, 360, 4},
    {1, 0, 10, 10, 6, 16, 359, 358, 4, 1, 1, 4},
    {1, 0, 10, 10, 12, 14, 100, 100, 4, 99, 102, 4},
    {1, 1, 0, 0, 10, 10, 0, 0, 4, 355, 5, 4},
    {0, 1, 0, 100, 0, 90, 0, 0, 4, 0, 0, 7},
    {0, 1, 50, 100, 0, 102, 0, 0, 4, 0, 0, 3.4f},
    {0, 1, 0, 0, 0, 1000, 0, 0, 4, 0, 0, 2.5f},
    {0, 1, 0, 2, 0, 0, 0, 0, 79, 0, 0, 79.6f},
    {0, 1, 0, 1000, 0, 0, 0, 0, 4, 0, 0, 80},
    {0, 0, 0, 0, 50, 50, 0, 0, 4, 0, 0, 4},
};

using MouseDrag = FreshState;

TEST_F(MouseDrag, AppliesTheMotionSinceTheLastStep)
{
    for (const Drag& drag : DRAGS) {
        scene.rotate_drag = drag.rotate;
        scene.zoom_drag = drag.zoom;
        scene.last_mouse_x = drag.from_x;
        scene.last_mouse_y = drag.from_y;
        scene.view_yaw = drag.yaw;
        scene.view_pitch = drag.pitch;
        scene.distance = drag.distance;
        apply_mouse_drag(drag.to_x, drag.to_y);
        SCOPED_TRACE(testing::Message() << "from " << drag.from_x << "," << drag.from_y << " to " << drag.to_x
                                        << "," << drag.to_y << " with " << drag.rotate << drag.zoom);
        EXPECT_NEAR(scene.view_yaw, drag.yaw_after, 1e-4);
        EXPECT_NEAR(scene.view_pitch, drag.pitch_after, 1e-4);
        EXPECT_NEAR(scene.distance, drag.distance_after, 1e-4);
    }
}

TEST_F(MouseDrag, ButtonsSetAndClearTheirFlags)
{
    std::vector<std::pair<int32_t, int32_t>> flags;
    for (auto handler : {start_rotate_drag, start_zoom_drag, stop_rotate_drag, stop_zoom_drag}) {
        handler(nullptr);
        flags.push_back({scene.rotate_drag, scene.zoom_drag});
    }
    EXPECT_EQ(flags, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, 1}, {0, 1}, {0, 0}}));
}
