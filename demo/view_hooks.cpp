// The demonstration's idle and reshape hooks.
#include "binding/binding.h"
#include "demo/demo.h"
#include "platform/gl.h"

// Runs whenever the message queue is empty: the drag since the last call, then
// a frame.
void idle_step()
{
    int32_t x = 0;
    int32_t y = 0;
    get_mouse_location(&x, &y);
    apply_mouse_drag(x, y);
    draw_frame();
    scene.last_mouse_x = x;
    scene.last_mouse_y = y;
}

// A height of 0 (a minimised window) is taken as 1 so the aspect ratio stays
// finite; the viewport gets the real size.
void reshape_view(int32_t width, int32_t height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double aspect_height = height == 0 ? 1.0 : static_cast<double>(height);
    gluPerspective(60.0, static_cast<double>(width) / aspect_height, 0.8, 90.0);
    glMatrixMode(GL_MODELVIEW);
}
