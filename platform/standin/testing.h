// Testing controls of the Win32 stand-in. Tests use these; the demonstration
// never does.
#pragma once

#include "platform/standin/drivers/events.h"
#include "platform/standin/win32_types.h"

// Everything back as at the start of the process: no class, window, object,
// message or injected fault; the driver ended (the next use chooses again);
// registry, system colours, version and palette display as at start.
void standin_reset();

// Driver choice: "null" or "x11". Call before the first window; false when that
// driver cannot start. Without a call, ROLLBOX_DRIVER=null selects the null
// driver, otherwise x11 is tried.
bool standin_select_driver(const char* name);
const char* standin_driver_name(); // null before a driver is chosen

// Input, entering through the event API as a driver reports it.
// standin_key types with a US layout: the character follows Shift and Caps Lock
// as they are held at that moment (VK_SHIFT down, VK_CAPITAL toggled).
// Each is false, and changes nothing, when the input queue is full.
bool standin_key(HWND window, int virtual_key, bool down);
bool standin_key_press(HWND window, int virtual_key); // down, then up
bool standin_key_with_character(HWND window, int virtual_key, int character, bool down);
bool standin_button(HWND window, MouseButton button, bool down, int x, int y);
bool standin_motion(HWND window, int x, int y);
void standin_focus(HWND window, bool focused);
void standin_close_request(HWND window);
void standin_window_gone(HWND window); // destroyed by the window system
void standin_move(HWND window, int screen_x, int screen_y);
void standin_resize(HWND window, int width, int height, bool minimised);
void standin_expose(HWND window);
void standin_set_cursor(int screen_x, int screen_y);

// A window's pixels as last drawn: rows bottom to top, RGBA.
bool standin_read_pixels(HWND window, int x, int y, int width, int height, unsigned char* rgba);

// Fault injection: the next `count` calls of the named operation (its Win32
// name, "wglCreateContext", "RegisterClassA", ...) fail with the result
// Windows gives for a failure, without doing anything else.
void standin_fail_next(const char* operation, int count);

// The journal of platform operations called, by Win32 name, in order.
void standin_journal_clear();
int standin_journal_length();
const char* standin_journal_entry(int index);
int standin_journal_count(const char* operation);

// Message boxes shown, in order (the null driver answers each with IDOK at once).
struct StandinMessageBox {
    HWND owner;
    UINT style;
    char caption[256];
    char text[1024];
};
int standin_message_box_count();
const StandinMessageBox* standin_message_box(int index);

// The simulated palette display: pixel formats become 8-bit RGBA 3-3-2 with
// PFD_NEED_PALETTE (and PFD_NEED_SYSTEM_PALETTE when asked). Rendering still
// goes through a true-colour buffer. Set before the first window.
void standin_set_palette_display(bool enabled, bool need_system_palette);
int standin_display_depth(); // bits per pixel the formats report

// The version GetVersionExA reports.
void standin_set_version(DWORD platform_id, DWORD major, DWORD minor);

// HKEY_CURRENT_USER "Control Panel\Colors" (present, with the standard scheme,
// at start).
void standin_registry_set_string(const char* name, const char* value);
void standin_registry_set_dword(const char* name, DWORD value);
void standin_registry_set_binary(const char* name, const void* data, DWORD size);
// Any type and bytes as given, e.g. a REG_SZ without its terminating zero.
void standin_registry_set_raw(const char* name, DWORD type, const void* data, DWORD size);
void standin_registry_delete_value(const char* name);
void standin_registry_delete_colours_key();

// The system palette: its use (SYSPAL_STATIC or SYSPAL_NOSTATIC), which
// SetSystemPaletteUse can be made to refuse, and its 256 entries.
UINT standin_system_palette_use();
void standin_set_system_palette_use(UINT use);
void standin_system_palette(PALETTEENTRY entries[256]);
