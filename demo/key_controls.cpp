// The key handlers: camera distance, view pitch and yaw, speed, restart at a
// phase, reset of the view.
#include "demo/demo.h"

void increase_distance()
{
    scene.distance += DISTANCE_KEY_STEP;
    if (scene.distance > FARTHEST_DISTANCE) scene.distance = FARTHEST_DISTANCE;
}

void decrease_distance()
{
    scene.distance -= DISTANCE_KEY_STEP;
    if (scene.distance < NEAREST_KEY_DISTANCE) scene.distance = NEAREST_KEY_DISTANCE;
}

// The angle turned by `step` degrees, with one correction of 360 on the side
// it turned to only.
static float turned(float angle, float step)
{
    angle += step;
    if (step < 0.0f && angle <= 0.0f) return angle + FULL_TURN;
    if (step > 0.0f && angle >= FULL_TURN) return angle - FULL_TURN;
    return angle;
}

void decrease_pitch()
{
    scene.view_pitch = turned(scene.view_pitch, -VIEW_KEY_STEP);
}

void increase_pitch()
{
    scene.view_pitch = turned(scene.view_pitch, VIEW_KEY_STEP);
}

void increase_yaw()
{
    scene.view_yaw = turned(scene.view_yaw, VIEW_KEY_STEP);
}

void decrease_yaw()
{
    scene.view_yaw = turned(scene.view_yaw, -VIEW_KEY_STEP);
}

// The view and the speed only; the animation and the picture go on.
void reset_view()
{
    scene.distance = HOME_DISTANCE;
    scene.view_roll = 0.0f;
    scene.view_pitch = 0.0f;
    scene.view_yaw = 0.0f;
    scene.speed = HOME_SPEED;
}

// The picture stays until the restarted cycle ends.
static void start_phase(float phase)
{
    scene.cycle_phase = phase;
    scene.turn_angle = 0.0f;
    scene.tilt_angle = 0.0f;
    scene.drift = 0.0f;
}

void start_phase_1()
{
    start_phase(1.0f);
}
void start_phase_2()
{
    start_phase(2.0f);
}
void start_phase_3()
{
    start_phase(3.0f);
}
void start_phase_4()
{
    start_phase(4.0f);
}

void increase_speed()
{
    scene.speed += SPEED_STEP;
}

void decrease_speed()
{
    scene.speed -= SPEED_STEP;
    if (scene.speed <= 0.0f) scene.speed = SLOWEST_SPEED;
}
