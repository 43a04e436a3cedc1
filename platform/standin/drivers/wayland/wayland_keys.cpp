// The keyboard as Windows sees keys: through the compositor's keymap
// (xkbcommon), a virtual-key code for the key itself and the Latin-1
// character it types with the current Shift, Caps Lock and group. The
// compositor does not repeat keys: the driver does, at the rate and after
// the delay the compositor gives.
#include <algorithm>

#include <sys/mman.h>
#include <unistd.h>

#include <xkbcommon/xkbcommon-keysyms.h>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/wayland/wayland_driver.h"
#include "platform/standin/win32_user.h"

// Wayland's key codes are evdev's; xkbcommon's are 8 more, as X's are.
static constexpr xkb_keycode_t EVDEV_OFFSET = 8;

static void translate(xkb_keycode_t key, int* virtual_key, int* character)
{
    xkb_layout_index_t layout = xkb_state_key_get_layout(wayland.keys.state, key);
    const xkb_keysym_t* base_syms = nullptr;
    int count = xkb_keymap_key_get_syms_by_level(wayland.keys.keymap, key, layout, 0, &base_syms);
    xkb_keysym_t base = count > 0 ? base_syms[0] : XKB_KEY_NoSymbol;
    xkb_keysym_t typed = xkb_state_key_get_one_sym(wayland.keys.state, key);
    uint32_t code_point = xkb_state_key_get_utf32(wayland.keys.state, key);
    *virtual_key = keysym_virtual_key(base, typed);
    *character = code_point <= 0xFF ? static_cast<int>(code_point) : 0;
    if (*virtual_key == VK_DELETE) *character = 0; // Delete types nothing on Windows
    // A key of no other kind still types its character.
    if (*virtual_key == 0 && *character != 0) *virtual_key = VK_OEM_8;
}

bool wayland_is_confirm_or_cancel_key(xkb_keycode_t key)
{
    xkb_layout_index_t layout = xkb_state_key_get_layout(wayland.keys.state, key);
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(wayland.keys.keymap, key, layout, 0, &syms) < 1) return false;
    return syms[0] == XKB_KEY_Return || syms[0] == XKB_KEY_KP_Enter || syms[0] == XKB_KEY_Escape ||
        syms[0] == XKB_KEY_space;
}

static void forget_keymap()
{
    if (wayland.keys.state) xkb_state_unref(wayland.keys.state);
    if (wayland.keys.keymap) xkb_keymap_unref(wayland.keys.keymap);
    wayland.keys.state = nullptr;
    wayland.keys.keymap = nullptr;
}

static void on_keymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size)
{
    void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1
        ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
        : MAP_FAILED;
    close(fd);
    if (text == MAP_FAILED) return;
    if (!wayland.keys.context) wayland.keys.context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap = wayland.keys.context
        ? xkb_keymap_new_from_string(wayland.keys.context, static_cast<const char*>(text),
              XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS)
        : nullptr;
    munmap(text, size);
    if (!keymap) return;
    forget_keymap();
    wayland.keys.keymap = keymap;
    wayland.keys.state = xkb_state_new(keymap);
}

static void on_enter(void*, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*)
{
    wayland.keys.focus = surface;
}

static void on_leave(void*, wl_keyboard*, uint32_t, wl_surface*)
{
    wayland.keys.focus = nullptr;
    wayland.keys.repeating = 0;
}

static void report_press(WaylandWindow* w, xkb_keycode_t key)
{
    int virtual_key = 0, character = 0;
    translate(key, &virtual_key, &character);
    if (virtual_key != 0 && !wayland_has_open_message_box(w))
        wayland_report_key(w->handle, virtual_key, character, true);
}

static void report_release(WaylandWindow* w, xkb_keycode_t key)
{
    int virtual_key = 0, character = 0;
    translate(key, &virtual_key, &character);
    if (virtual_key != 0) wayland_report_key(w->handle, virtual_key, 0, false);
}

static void start_repeat(xkb_keycode_t key)
{
    if (wayland.keys.repeat_rate <= 0 || !xkb_keymap_key_repeats(wayland.keys.keymap, key)) return;
    wayland.keys.repeating = key;
    wayland.keys.next_repeat = wayland_now() + wayland.keys.repeat_delay;
}

// A press in a message box may answer it; a release there was most likely
// pressed in the owner, which hears of it so the key does not stay held.
static void on_key(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t evdev_key, uint32_t state)
{
    if (!wayland.keys.state) return;
    xkb_keycode_t key = evdev_key + EVDEV_OFFSET;
    bool down = state == WL_KEYBOARD_KEY_STATE_PRESSED;
    if (down)
        start_repeat(key);
    else if (key == wayland.keys.repeating)
        wayland.keys.repeating = 0;
    if (WaylandMessageBox* box = wayland_find_message_box(wayland.keys.focus)) {
        if (down) wayland_message_box_key(box, key);
        if (!down && box->owner) report_release(box->owner, key);
        return;
    }
    WaylandWindow* w = wayland_find_window(wayland.keys.focus);
    if (!w) return;
    if (down)
        report_press(w, key);
    else
        report_release(w, key);
}

static void on_modifiers(
    void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group)
{
    if (wayland.keys.state)
        xkb_state_update_mask(wayland.keys.state, depressed, latched, locked, 0, 0, group);
}

static void on_repeat_info(void*, wl_keyboard*, int32_t rate, int32_t delay)
{
    wayland.keys.repeat_rate = rate;
    wayland.keys.repeat_delay = delay;
    if (rate <= 0) wayland.keys.repeating = 0;
}

const wl_keyboard_listener WAYLAND_KEYBOARD_LISTENER = {
    .keymap = on_keymap,
    .enter = on_enter,
    .leave = on_leave,
    .key = on_key,
    .modifiers = on_modifiers,
    .repeat_info = on_repeat_info,
};

// A program that stalled gets one repeat, not the backlog of them.
int wayland_repeat_keys()
{
    WaylandKeyboard& keys = wayland.keys;
    if (keys.repeating == 0) return -1;
    long long now = wayland_now();
    if (now < keys.next_repeat) return static_cast<int>(keys.next_repeat - now);
    long long interval = std::max(1000 / keys.repeat_rate, 1);
    keys.next_repeat += interval;
    if (keys.next_repeat <= now) keys.next_repeat = now + interval;
    if (WaylandWindow* w = wayland_find_window(keys.focus)) report_press(w, keys.repeating);
    return static_cast<int>(keys.next_repeat - now);
}

void wayland_forget_key_focus(wl_surface* surface)
{
    if (wayland.keys.focus != surface) return;
    wayland.keys.focus = nullptr;
    wayland.keys.repeating = 0;
}

void wayland_keys_stop()
{
    if (wayland.keys.keyboard) wl_keyboard_release(wayland.keys.keyboard);
    forget_keymap();
    if (wayland.keys.context) xkb_context_unref(wayland.keys.context);
    wayland.keys = WaylandKeyboard{};
}
