// The event API: how a display driver (or a test, through testing.h) reports
// what happened to a window. The stand-in turns each report into the Win32
// messages Windows would give, so translation, DefWindowProcA and activation
// run the same for real and injected input.
#pragma once

#include "platform/standin/win32_types.h"

// Input. Each report becomes at most one input message; when the input queue
// is full, the report is refused (false) and nothing changes: a driver that
// reads ahead asks event_input_has_room first and leaves the rest where it is.
bool event_input_has_room();

// A key went down (again, when it repeats) or up. `character` is the Latin-1
// character the key types with the current Shift and Caps Lock state, or 0;
// TranslateMessage turns it into WM_CHAR.
bool event_key(HWND window, int virtual_key, int character, bool down);

enum MouseButton { BUTTON_LEFT, BUTTON_RIGHT, BUTTON_MIDDLE };

// Positions are client coordinates.
bool event_button(HWND window, MouseButton button, bool down, int x, int y);
bool event_motion(HWND window, int x, int y);

void event_focus(HWND window, bool focused);
void event_close_request(HWND window);
// The window system destroyed the window: the stand-in destroys it as
// DestroyWindow does, with the same messages. The driver's record stays until
// destroy_window, which must not touch the window system's side again.
void event_window_gone(HWND window);

// The client area's top-left corner moved to this screen position.
void event_moved(HWND window, int screen_x, int screen_y);
void event_resized(HWND window, int width, int height, bool minimised);
void event_exposed(HWND window);

// The display went away: one line on stderr naming `cause`, then the process
// ends with a non-zero code, making no further display or GL call.
[[noreturn]] void event_display_lost(const char* cause);
