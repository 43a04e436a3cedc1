// Start-up: the image bank, the window with its rendering state, hooks and
// bindings, the texture sampling, then the message loop.
#include "binding/binding.h"
#include "demo/demo.h"

// In binding order; Escape, bound by open_window, comes before them.
static const KeyBinding DEMO_KEYS[] = {
    {'d', increase_distance},
    {'u', decrease_distance},
    {VK_UP, decrease_pitch},
    {VK_DOWN, increase_pitch},
    {VK_LEFT, increase_yaw},
    {VK_RIGHT, decrease_yaw},
    {'r', reset_view},
    {'1', start_phase_1},
    {'2', start_phase_2},
    {'3', start_phase_3},
    {'4', start_phase_4},
    {'f', increase_speed},
    {'s', decrease_speed},
};

// 0 when the window could not be opened: the toolkit has told the user, and
// there is no context to set anything on.
int32_t init_scene()
{
    set_display_mode(DISPLAY_DOUBLE | DISPLAY_DEPTH16);
    set_window_position(100, 100, 600, 500);
    if (!open_window("rollbox1")) return 0;
    set_fixed_render_state();
    set_idle_handler(idle_step);
    set_reshape_handler(reshape_view);
    bind_mouse(MOUSE_LEFT, MOUSE_DOWN, start_rotate_drag);
    bind_mouse(MOUSE_LEFT, MOUSE_UP, stop_rotate_drag);
    bind_mouse(MOUSE_RIGHT, MOUSE_DOWN, start_zoom_drag);
    bind_mouse(MOUSE_RIGHT, MOUSE_UP, stop_zoom_drag);
    for (const KeyBinding& row : DEMO_KEYS) bind_key(row.key, row.handler);
    return 1;
}

int run_demo()
{
    load_image_bank();
    if (!init_scene()) return 1;
    set_texture_sampling();
    run_main_loop(draw_frame);
    return 0;
}
