// The demonstration's display and idle hooks.
#include "binding/binding.h"
#include "demo/demo.h"

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

// The display hook, and the idle step's frame: every call is one animation step.
void draw_frame()
{
    render_frame();
    swap_buffers();
}
