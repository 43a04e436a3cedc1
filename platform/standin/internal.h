// What the stand-in's own files share: the driver in use, the window table,
// sending messages, and the journal with its fault injection.
#pragma once

#include "platform/standin/drivers/driver.h"
#include "platform/standin/win32_types.h"

// The driver, chosen on first use (testing.h can choose first); null when none
// can start. Calls made before a driver is needed never choose one.
const DisplayDriver* current_driver();

// The driver already chosen, without choosing one; null before the first choice.
const DisplayDriver* chosen_driver();
// Ends the driver chosen, if any; the next use chooses again.
void end_driver();

// Windows (window_table.cpp). A handle that is null, unknown or destroyed gives
// null / false.
bool is_live_window(HWND window);
DriverWindow* driver_window_of(HWND window);
WNDPROC window_procedure_of(HWND window);

// The window filter -1 of GetMessage and PeekMessage: only messages posted to
// no window.
inline const HWND WINDOWLESS_MESSAGES = reinterpret_cast<HWND>(-1);

// Where Windows parks a minimised window: its client origin, as WM_MOVE says.
const int MINIMISED_ORIGIN = -32000;

// The lParam of key messages: after the repeat count, these flags.
const LPARAM KEY_ALT_HELD = 1L << 29;
const LPARAM KEY_WAS_DOWN = 1L << 30;
const LPARAM KEY_RELEASED = 1L << 31;

// Windows keeps coordinates and sizes in 16-bit range; what a driver or a test
// reports is brought into that range, so that nothing built on it overflows.
inline int bounded_coordinate(int value)
{
    return value < -32768 ? -32768 : value > 32767 ? 32767 : value;
}
inline int bounded_size(int value)
{
    return value < 0 ? 0 : value > 32767 ? 32767 : value;
}

// Calls the window procedure at once, as SendMessage does.
LRESULT send_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends to every live top-level window of the thread.
void send_to_all_windows(UINT message, WPARAM wParam, LPARAM lParam);

// Device contexts (gdi/device_contexts.cpp): a context to draw in a window (its
// own one when its class has CS_OWNDC, else a common one), giving it back
// (false when it is not the window's), and forgetting a dead window's.
HDC acquire_dc(HWND window);
bool release_dc(HWND window, HDC dc);
void forget_window_dcs(HWND window);

// Records a call of a Win32 operation in the journal. Returns false when a
// fault injected for that operation is due: the caller then fails the way
// Windows fails, doing nothing else.
bool platform_call(const char* operation);
// An empty journal and no fault injected.
void reset_journal();

// ---- Windows, messages and input (the USER32 side) ----

// A window as the stand-in keeps it. Rectangles are in screen coordinates.
struct WindowRecord {
    HWND handle;
    WNDPROC procedure;
    UINT class_style;
    DWORD style;
    DriverWindow* driver_window;
    RECT window_rect;
    RECT client_rect;
    bool visible;
    bool placed; // WM_SIZE and WM_MOVE have been sent once
    bool minimised;
    POINT restored_origin; // while minimised: the client origin to return to
    bool destroying;
    bool needs_paint;
    bool needs_erase;
    RECT update_rect; // client coordinates, valid while needs_paint
    int pixel_format; // 0 until SetPixelFormat
};

// window_classes.cpp: a registered class by name (case ignored), or null.
const WNDCLASSA* find_window_class(const char* name);

// window_table.cpp: the live record of a handle, or null; a new record with a
// fresh handle (null when the table is full); freeing invalidates the handle.
WindowRecord* window_record(HWND window);
WindowRecord* new_window_record();
void free_window_record(WindowRecord* record);
// Live windows in slot order (not creation order): index 0, 1, ... until null.
WindowRecord* window_record_at(int index);

// window_lifecycle.cpp: DestroyWindow without the journal; false for a dead
// window or one already being destroyed.
bool destroy_window(HWND window);

// window_geometry.cpp: the frame around the client area for a style.
void frame_of_style(DWORD style, RECT* frame);
void set_client_rect(WindowRecord* record, int screen_x, int screen_y, int width, int height);

// activation.cpp
void activate_window(HWND window);
void deactivate_window(HWND window);
HWND active_window();

// message_queue.cpp
bool post_message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Input from the driver; `character` is what the key types (key downs only).
// False when the input list is full (a motion merging with the last one always fits).
bool queue_input(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int character);
// Delivered, as sent messages, at the next look at the queue.
void queue_sent(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The queue without journal or fault injection, for the stand-in's own loops.
bool peek_message(MSG* message, HWND window, UINT first, UINT last, bool remove);
void drop_window_messages(HWND window);
bool take_quit(int* exit_code);
void post_quit(int exit_code);
// Internal messages from the event API, acted on when delivered: a change of
// activation (wParam 1 gains focus), and a window the window system destroyed.
#define STANDIN_FOCUS_CHANGE 0x7FFF0001u
#define STANDIN_WINDOW_GONE 0x7FFF0002u

// timers.cpp: milliseconds since an arbitrary start; a due timer of the
// window filter as WM_TIMER (due again an interval later when taken); how long
// until the next one is due (-1: none); a destroyed window's timers gone.
DWORD tick_count();
bool take_due_timer(MSG* message, HWND filter, bool remove);
int milliseconds_to_next_timer();
void forget_window_timers(HWND window);

// message_dispatch.cpp
LRESULT dispatch_message(const MSG* message);
bool translate_message(const MSG* message);

// painting.cpp
void invalidate_window(WindowRecord* record, const RECT* rect, bool erase);
void validate_window(WindowRecord* record);
HWND window_needing_paint(HWND filter);

// input_state.cpp: the keyboard as injected (async) and as retrieved (GetKeyState).
bool key_is_down_now(int virtual_key);
bool key_is_toggled_now(int virtual_key);
void note_key_now(int virtual_key, bool down);
WPARAM mouse_key_flags_now();
void note_retrieved_input(const MSG* message, int character);
int character_of_key(int virtual_key);
HWND capture_window();
void forget_capture(HWND window);

// keyboard_layout.cpp: the character a US keyboard types, or 0.
int us_layout_character(int virtual_key, bool shift, bool caps_lock, bool control);

// system_colours.cpp: the standard scheme, 31 entries.
COLORREF standard_system_colour(int index);
