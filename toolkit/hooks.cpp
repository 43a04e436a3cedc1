// The seven hook slots' setters: each only stores, and may be called at any time,
// from inside a hook too.
#include "toolkit/toolkit.h"

void set_reshape_hook(ReshapeHook hook)
{
    toolkit_state.reshape_hook = hook;
}

void set_display_hook(DisplayHook hook)
{
    toolkit_state.display_hook = hook;
}

void set_key_down_hook(KeyDownHook hook)
{
    toolkit_state.key_down_hook = hook;
}

void set_mouse_down_hook(MouseDownHook hook)
{
    toolkit_state.mouse_down_hook = hook;
}

void set_mouse_up_hook(MouseUpHook hook)
{
    toolkit_state.mouse_up_hook = hook;
}

void set_mouse_move_hook(MouseMoveHook hook)
{
    toolkit_state.mouse_move_hook = hook;
}

void set_idle_hook(IdleHook hook)
{
    toolkit_state.idle_hook = hook;
}
