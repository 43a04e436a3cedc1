// Mouse drags: the left button turns the view, the right one moves the camera
// nearer or farther. The buttons only set flags; the idle step applies the
// motion since its previous call.
#include "demo/demo.h"

void start_rotate_drag(EventRecord*)
{
    scene.rotate_drag = 1;
}
void stop_rotate_drag(EventRecord*)
{
    scene.rotate_drag = 0;
}
void start_zoom_drag(EventRecord*)
{
    scene.zoom_drag = 1;
}
void stop_zoom_drag(EventRecord*)
{
    scene.zoom_drag = 0;
}

// One correction of 360 towards the range above 0 and below 360, on either
// side: a drag may move an angle either way, or not at all.
static float corrected(float angle)
{
    if (angle <= 0.0f) return angle + FULL_TURN;
    if (angle >= FULL_TURN) return angle - FULL_TURN;
    return angle;
}

// With both buttons held the rotation wins. The drag reaches nearer than the
// keys.
void apply_mouse_drag(int32_t x, int32_t y)
{
    if (scene.rotate_drag) {
        scene.view_yaw += static_cast<float>(scene.last_mouse_x - x) * ROTATE_DRAG_STEP;
        scene.view_pitch -= static_cast<float>(scene.last_mouse_y - y) * ROTATE_DRAG_STEP;
        scene.view_yaw = corrected(scene.view_yaw);
        scene.view_pitch = corrected(scene.view_pitch);
    } else if (scene.zoom_drag) {
        scene.distance += static_cast<float>(scene.last_mouse_y - y) * ZOOM_DRAG_STEP;
        if (scene.distance < NEAREST_DRAG_DISTANCE)
            scene.distance = NEAREST_DRAG_DISTANCE;
        else if (scene.distance > FARTHEST_DISTANCE)
            scene.distance = FARTHEST_DISTANCE;
    }
}
