// The window toolkit: one top-level window with an OpenGL rendering context,
// its settings and handles, the hook slots and the message loop.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// DisplayMode: the framebuffer the next window asks for.
enum : int32_t {
    DISPLAY_INDEX = 0x1,
    DISPLAY_DOUBLE = 0x2,
    DISPLAY_ACCUM = 0x8,
    DISPLAY_ALPHA = 0x10,
    DISPLAY_DEPTH = 0x20,
    DISPLAY_STENCIL = 0x40,
    DISPLAY_DEPTH16 = 0x100,
    DISPLAY_OWN_STATIC_COLOURS = 0x200,
};

// Modifier bits passed to KeyDownHook, button bits passed to the mouse hooks.
enum : int32_t { KEY_SHIFT = 1, KEY_CONTROL = 2 };
enum : int32_t { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 4 };

typedef void (*ReshapeHook)(int32_t width, int32_t height);
typedef void (*DisplayHook)();
typedef int32_t (*KeyDownHook)(int32_t key, int32_t modifiers);
typedef int32_t (*MouseDownHook)(int32_t x, int32_t y, int32_t button);
typedef int32_t (*MouseUpHook)(int32_t x, int32_t y, int32_t button);
typedef int32_t (*MouseMoveHook)(int32_t x, int32_t y, int32_t buttons);
typedef void (*IdleHook)();

// What shapes the next window, kept current by the window procedure.
struct ToolkitSettings {
    int32_t window_x; // screen position of the client area's top-left corner
    int32_t window_y;
    int32_t window_width; // client size
    int32_t window_height;
    int32_t display_mode;
    int32_t use_default_position;
    int32_t system_colour_count;
};

// The open window's handles and flags, and the seven hook slots.
struct ToolkitState {
    HWND toolkit_window;
    HDC toolkit_dc;
    HGLRC toolkit_context;
    HPALETTE toolkit_palette;
    int32_t owns_static_colours;
    int32_t static_colours_taken;
    // The display mode the window's pixel format was selected for: a later
    // change of the settings must not change what the open window's palette
    // owns (the colours taken would never be given back).
    int32_t window_display_mode;
    // The window class stays registered for the whole process once it is, so
    // a second opening (the double-buffered fallback) does not register again.
    int32_t window_class_registered;
    ReshapeHook reshape_hook;
    DisplayHook display_hook;
    KeyDownHook key_down_hook;
    MouseDownHook mouse_down_hook;
    MouseUpHook mouse_up_hook;
    MouseMoveHook mouse_move_hook;
    IdleHook idle_hook;
};

extern ToolkitSettings toolkit_settings;
extern ToolkitState toolkit_state;

void toolkit_set_position(int32_t x, int32_t y, int32_t width, int32_t height);
void toolkit_set_display_mode(int32_t mode);
// Stores where the client area of a window whose outer corner is at (x, y)
// should be: an estimate from the frame metrics, corrected by WM_MOVE.
void estimate_client_origin(int32_t outer_x, int32_t outer_y);

void set_reshape_hook(ReshapeHook hook);
void set_display_hook(DisplayHook hook);
void set_key_down_hook(KeyDownHook hook);
void set_mouse_down_hook(MouseDownHook hook);
void set_mouse_up_hook(MouseUpHook hook);
void set_mouse_move_hook(MouseMoveHook hook);
void set_idle_hook(IdleHook hook);

void run_message_loop();
void toolkit_get_mouse_location(int32_t* x, int32_t* y);

int32_t toolkit_open_window(const char* title);
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void request_redraw(HWND window);

// printf-style; the text goes to a message box captioned "Error".
void show_error(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
void destroy_toolkit_window(HWND window);
void release_window_resources();
