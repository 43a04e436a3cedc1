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
    if (angle <= 0.0f) return angle + 360.0f;
    if (angle >= 360.0f) return angle - 360.0f;
    return angle;
}

// With both buttons held the rotation wins. The drag reaches nearer (2.5)
// than the keys (2.7).
void apply_mouse_drag(int32_t x, int32_t y)
{
    if (scene.rotate_drag) {
        scene.view_yaw += static_cast<float>(scene.last_mouse_x - x) * 0.5f;
        scene.view_pitch -= static_cast<float>(scene.last_mouse_y - y) * 0.5f;
        scene.view_yaw = corrected(scene.view_yaw);
        scene.view_pitch = corrected(scene.view_pitch);
    } else if (scene.zoom_drag) {
        scene.distance += static_cast<float>(scene.last_mouse_y - y) * 0.3f;
        if (scene.distance < 2.5f)
            scene.distance = 2.5f;
        else if (scene.distance > FARTHEST_DISTANCE)
            scene.distance = FARTHEST_DISTANCE;
    }
}
