// The seat: its keyboard and pointer come and go as the compositor's input
// devices do (a virtual keyboard may exist only while it types).
#include "platform/standin/drivers/wayland/wayland_driver.h"

static void on_capabilities(void*, wl_seat* seat, uint32_t capabilities)
{
    bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && !wayland.keys.keyboard) {
        wayland.keys.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(wayland.keys.keyboard, &WAYLAND_KEYBOARD_LISTENER, nullptr);
    } else if (!keyboard && wayland.keys.keyboard) {
        wayland_keys_stop();
    }
    if (pointer && !wayland.pointer.pointer) {
        wayland.pointer.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(wayland.pointer.pointer, &WAYLAND_POINTER_LISTENER, nullptr);
    } else if (!pointer && wayland.pointer.pointer) {
        wayland_pointer_release();
    }
}

static void on_name(void*, wl_seat*, const char*) { }

static const wl_seat_listener SEAT_LISTENER = {.capabilities = on_capabilities, .name = on_name};

void wayland_seat_start(wl_seat* seat)
{
    wl_seat_add_listener(seat, &SEAT_LISTENER, nullptr);
}

void wayland_seat_stop()
{
    wayland_keys_stop();
    wayland_pointer_stop();
    if (wayland.seat) wl_seat_release(wayland.seat);
    wayland.seat = nullptr;
}
