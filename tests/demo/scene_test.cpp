// The scene without drawing: the four-phase animation frame by frame (the
// end-of-cycle check, the pose drawn, then the advance), the keys and the drags.
#include <algorithm>
#include <tuple>
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

// Every field, so that whole scenes compare.
std::vector<float> fields(const SceneState& s)
{
    return {s.cycle_phase, s.turn_angle, s.tilt_angle, s.drift, s.speed, float(s.current_picture), s.distance,
        s.view_roll, s.view_pitch, s.view_yaw, float(s.rotate_drag), float(s.zoom_drag),
        float(s.last_mouse_x), float(s.last_mouse_y)};
}

// Every field away from its start: each change, and each field kept, shows.
const SceneState MOVED = {2.5f, 100, 200, -5, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8};

} // namespace

using Scene = FreshState;

// Four phases of 120 frames, each turning or tilting, drifting away and back.
TEST_F(Scene, CyclesThroughFourPhasesFrameByFrame)
{
    EXPECT_EQ(fields(scene), fields(SceneState{4, 0, 360, 0, 1, 99, 4, 0, 0, 0, 0, 0, 0, 0})) << "the start";
    std::vector<Frame> frames = run_frames(481);
    for (int f = 0; f <= 480; f++) {
        // Turns or tilts 0, 3, ... 357, the other angle at 0; never drawn at 360.
        float phase = f == 480 ? 1 : float(1 + f / 120), angle = float(3 * (f % 120));
        bool turning = phase == 1.0f || phase == 3.0f;
        const Frame& g = frames[size_t(f)];
        EXPECT_EQ(std::tuple(g.new_picture, g.phase, g.turn, g.tilt),
            std::tuple(f % 480 == 0, phase, turning ? angle : 0.0f, turning ? 0.0f : angle))
            << "frame " << f;
    }
    // Away in a turn's first half, kept at 180, back after; 0.4 deeper a phase.
    const std::pair<int, float> drifts[] = {{1, -0.4f}, {59, -23.6f}, {60, -23.6f}, {61, -23.2f},
        {120, -0.4f}, {240, -0.8f}, {360, -1.2f}, {420, -24.8f}, {480, 0}};
    for (auto [f, drift] : drifts) EXPECT_NEAR(frames[size_t(f)].drift, drift, 1e-4) << f;
    auto deeper = [](const Frame& a, const Frame& b) { return a.drift < b.drift; };
    EXPECT_NEAR(std::min_element(frames.begin(), frames.end(), deeper)->drift, -24.8f, 1e-4);
}

// 3 x speed is formed in double: at 1.3 (three presses of 'f') a float sum
// gives 15.6000004 after four steps.
TEST_F(Scene, StepsAreFormedInDouble)
{
    for (int i = 0; i < 3; i++) increase_speed();
    std::vector<Frame> frames = run_frames(5);
    EXPECT_EQ(frames[4].turn, 15.6000013f);
    EXPECT_NEAR(frames[4].drift, -4 * 0.4f * 1.3f, 1e-5);
}

// A step past 360 drops the excess: the next phase starts at 0.
TEST_F(Scene, AStepPast360DropsTheExcess)
{
    scene.speed = 1.1f;
    std::vector<Frame> frames = run_frames(111);
    EXPECT_EQ(frames[1].turn, 3.30000019f);
    EXPECT_EQ(std::vector<float>({frames[109].phase, frames[110].phase, frames[110].turn, frames[110].tilt}),
        std::vector<float>({1, 2, 0, 0}));
}

// A phase key restarts the cycle at its phase and keeps the picture until that
// cycle ends; 'r' leaves the animation alone.
TEST_F(Scene, APhaseKeyRestartsTheCycleAtItsPhase)
{
    auto to_next_picture = [] {
        int count = 0;
        while (!run_frames(1)[0].new_picture && count < 5000) count++;
        return count;
    };
    run_frames(200);
    start_phase_2();
    run_frames(100);
    scene.speed = 3.0f;
    reset_view();
    EXPECT_EQ(to_next_picture(), 260);
    run_frames(50);
    for (auto [key, count] : {std::pair{&start_phase_4, 120}, {&start_phase_3, 240}, {&start_phase_1, 480}}) {
        key();
        EXPECT_EQ(to_next_picture(), count);
    }
}

// Each key's step, its limit, and one correction of 360 towards the side the
// angle moves to; 'r' restores view and speed, a phase key restarts the
// animation at its phase. Nothing else changes.
TEST_F(Scene, EachKeyChangesItsFieldsOnly)
{
    float SceneState::*d = &SceneState::distance, SceneState::*p = &SceneState::view_pitch,
          SceneState::*y = &SceneState::view_yaw, SceneState::*s = &SceneState::speed;
    const std::tuple<void (*)(), float SceneState::*, float, float> rows[] = {
        {increase_distance, d, 4.0f, 4.8f}, {increase_distance, d, 78.5f, 79.3f},
        {increase_distance, d, 79.5f, 80}, {decrease_distance, d, 4.0f, 3.2f},
        {decrease_distance, d, 3.2f, 2.7f}, {decrease_distance, d, 2.5f, 2.7f}, {decrease_pitch, p, 100, 98},
        {decrease_pitch, p, 2, 360}, {decrease_pitch, p, 0, 358}, {decrease_pitch, p, 2.5f, 0.5f},
        {increase_pitch, p, 100, 102}, {increase_pitch, p, 358, 0}, {increase_pitch, p, 357.5f, 359.5f},
        {increase_yaw, y, 100, 102}, {increase_yaw, y, 358, 0}, {increase_yaw, y, 357.5f, 359.5f},
        {decrease_yaw, y, 100, 98}, {decrease_yaw, y, 2, 360}, {decrease_yaw, y, 0, 358},
        {decrease_yaw, y, 2.5f, 0.5f}, {increase_speed, s, 1, 1.1f}, {increase_speed, s, 50, 50.1f},
        {decrease_speed, s, 1, 0.9f}, {decrease_speed, s, 0.2f, 0.1f}, {decrease_speed, s, 0.1f, 0.1f},
        {decrease_speed, s, 0.05f, 0.1f}};
    for (auto [handler, field, before, after] : rows) {
        SceneState expected = scene = MOVED;
        scene.*field = before;
        handler();
        EXPECT_NEAR(scene.*field, after, 1e-5) << "from " << before;
        expected.*field = scene.*field;
        EXPECT_EQ(fields(scene), fields(expected));
    }
    const std::pair<void (*)(), SceneState> restarts[] = {
        {reset_view, {2.5f, 100, 200, -5, 1, 3, 4, 0, 0, 0, 1, 1, 7, 8}},
        {start_phase_1, {1, 0, 0, 0, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8}},
        {start_phase_2, {2, 0, 0, 0, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8}},
        {start_phase_3, {3, 0, 0, 0, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8}},
        {start_phase_4, {4, 0, 0, 0, 2.5f, 3, 9, 10, 20, 30, 1, 1, 7, 8}}};
    for (const auto& [handler, after] : restarts) {
        scene = MOVED;
        handler();
        EXPECT_EQ(fields(scene), fields(after)) << "to phase " << after.cycle_phase;
    }
}

// The buttons set and clear their flags. A left drag turns half a degree a
// pixel, corrected once towards 0 to 360; a right drag moves 0.3 a pixel up or
// down, from 2.5 to 80; with both held the rotation wins.
TEST_F(Scene, DragsTurnOrMoveTheCameraWithinItsLimits)
{
    std::vector<std::pair<int32_t, int32_t>> flags;
    for (auto handler : {start_rotate_drag, start_zoom_drag, stop_rotate_drag, stop_zoom_drag}) {
        handler(nullptr);
        flags.push_back({scene.rotate_drag, scene.zoom_drag});
    }
    EXPECT_EQ(flags, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, 1}, {0, 1}, {0, 0}}));

    struct Drag {
        int rotate, zoom, from_x, from_y, to_x, to_y;
        float yaw, pitch, distance, yaw_after, pitch_after, distance_after;
    };
    const Drag drags[] = {{1, 0, 200, 150, 210, 146, 0, 0, 4, 355, 358, 4},
        {1, 0, 5, 5, 5, 5, 0, 0, 4, 360, 360, 4}, {1, 0, 10, 10, 6, 16, 359, 358, 4, 1, 1, 4},
        {1, 0, 10, 10, 12, 14, 100, 100, 4, 99, 102, 4}, {1, 1, 0, 0, 10, 10, 0, 0, 4, 355, 5, 4},
        {0, 1, 0, 100, 0, 90, 0, 0, 4, 0, 0, 7}, {0, 1, 50, 100, 0, 102, 0, 0, 4, 0, 0, 3.4f},
        {0, 1, 0, 0, 0, 1000, 0, 0, 4, 0, 0, 2.5f}, {0, 1, 0, 2, 0, 0, 0, 0, 79, 0, 0, 79.6f},
        {0, 1, 0, 1000, 0, 0, 0, 0, 4, 0, 0, 80}, {0, 0, 0, 0, 50, 50, 0, 0, 4, 0, 0, 4}};
    for (const Drag& g : drags) {
        scene = {4, 0, 360, 0, 1, 99, g.distance, 0, g.pitch, g.yaw, g.rotate, g.zoom, g.from_x, g.from_y};
        apply_mouse_drag(g.to_x, g.to_y);
        SCOPED_TRACE(testing::Message() << "drag " << &g - drags);
        EXPECT_NEAR(scene.view_yaw, g.yaw_after, 1e-4);
        EXPECT_NEAR(scene.view_pitch, g.pitch_after, 1e-4);
        EXPECT_NEAR(scene.distance, g.distance_after, 1e-4);
    }
}
