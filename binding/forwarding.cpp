// Thin forwarders through which the application reaches the toolkit.
#include "binding/binding.h"

int32_t requested_display_mode = 0;

void set_reshape_handler(ReshapeHook handler)
{
    set_reshape_hook(handler);
}

void set_idle_handler(IdleHook handler)
{
    set_idle_hook(handler);
}

void run_main_loop(DisplayHook display)
{
    set_display_hook(display);
    run_message_loop();
}

void set_window_position(int32_t x, int32_t y, int32_t width, int32_t height)
{
    toolkit_set_position(x, y, width, height);
}

void set_display_mode(int32_t mode)
{
    requested_display_mode = mode;
    toolkit_set_display_mode(mode);
}

void get_mouse_location(int32_t* x, int32_t* y)
{
    toolkit_get_mouse_location(x, y);
}

void swap_buffers()
{
    SwapBuffers(toolkit_state.toolkit_dc);
}
