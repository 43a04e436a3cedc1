// The four-phase animation of the cube, one step per drawn frame: turn about y
// (phases 1, 3) or tilt about x (phases 2, 4), drifting away in the first half
// of each turn and back in the second. Single precision, compared exactly.
#include "demo/demo.h"

// Phase 4 with its tilt at or past a full turn: the cycle is over.
int32_t restart_cycle_if_ended()
{
    if (scene.cycle_phase >= 4.0f && scene.tilt_angle >= FULL_TURN) {
        scene.cycle_phase = 1.0f;
        scene.turn_angle = 0.0f;
        scene.tilt_angle = 0.0f;
        scene.drift = 0.0f;
        return 1;
    }
    return 0;
}

// The step is formed in double and stored as float.
static float stepped(float angle)
{
    return static_cast<float>(static_cast<double>(angle) + ANIMATION_STEP * static_cast<double>(scene.speed));
}

static bool turning()
{
    return scene.cycle_phase == 1.0f || scene.cycle_phase == 3.0f;
}
static bool tilting()
{
    return scene.cycle_phase == 2.0f || scene.cycle_phase == 4.0f;
}

void advance_animation()
{
    if (turning() && scene.turn_angle < FULL_TURN)
        scene.turn_angle = stepped(scene.turn_angle);
    else if (tilting() && scene.tilt_angle < FULL_TURN)
        scene.tilt_angle = stepped(scene.tilt_angle);

    // A full turn starts the next phase from 0, dropping the excess; phase 4
    // keeps its tilt so that the next frame ends the cycle.
    if (scene.turn_angle >= FULL_TURN) {
        scene.turn_angle = 0.0f;
        scene.cycle_phase += 1.0f;
    } else if (scene.cycle_phase != 4.0f && scene.tilt_angle >= FULL_TURN) {
        scene.tilt_angle = 0.0f;
        scene.cycle_phase += 1.0f;
    }

    float angle = turning() ? scene.turn_angle : scene.tilt_angle;
    if (angle < HALF_TURN)
        scene.drift -= DRIFT_STEP * scene.speed;
    else if (angle > HALF_TURN)
        scene.drift += DRIFT_STEP * scene.speed;
}
