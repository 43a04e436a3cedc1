// The event-binding layer: tables binding key codes and mouse buttons to the
// application's handlers, the dispatchers that fan toolkit events out to them,
// thin forwarders to the toolkit, and the opening of the toolkit window.
#pragma once

#include <cstdint>

#include "toolkit/toolkit.h"

// Event kinds of a mouse binding; the button masks are MOUSE_LEFT, MOUSE_RIGHT
// and MOUSE_MIDDLE of toolkit.h.
enum : int32_t { MOUSE_DOWN = 16, MOUSE_UP = 32, MOUSE_MOVE = 64 };

// What a mouse handler receives: data[0] x, data[1] y (client coordinates),
// data[2] reserved, data[3] the button bit this call is for.
struct EventRecord {
    int32_t kind;
    int32_t data[4];
};

typedef void (*KeyHandler)();
typedef void (*MouseHandler)(EventRecord* event);

struct KeyBinding {
    int32_t key;
    KeyHandler handler;
};

struct MouseBinding {
    int32_t button;
    MouseHandler handler;
};

enum : int32_t { KEY_TABLE_CAPACITY = 200, MOUSE_TABLE_CAPACITY = 20 };

extern KeyBinding key_table[KEY_TABLE_CAPACITY];
extern int32_t key_table_count;
extern MouseBinding mouse_down_table[MOUSE_TABLE_CAPACITY];
extern int32_t mouse_down_table_count;
extern MouseBinding mouse_up_table[MOUSE_TABLE_CAPACITY];
extern int32_t mouse_up_table_count;
extern MouseBinding mouse_move_table[MOUSE_TABLE_CAPACITY];
extern int32_t mouse_move_table_count;

extern int32_t requested_display_mode;

void bind_key(int32_t key, KeyHandler handler);
void bind_mouse(int32_t button, int32_t kind, MouseHandler handler);

int32_t dispatch_key(int32_t key, int32_t modifiers);
int32_t dispatch_mouse_down(int32_t x, int32_t y, int32_t buttons);
int32_t dispatch_mouse_up(int32_t x, int32_t y, int32_t buttons);
int32_t dispatch_mouse_move(int32_t x, int32_t y, int32_t buttons);

void set_reshape_handler(ReshapeHook handler);
void set_idle_handler(IdleHook handler);
void run_main_loop(DisplayHook display);
void set_window_position(int32_t x, int32_t y, int32_t width, int32_t height);
void set_display_mode(int32_t mode);
void get_mouse_location(int32_t* x, int32_t* y);
void swap_buffers();

int32_t open_window(const char* title);
void default_reshape(int32_t width, int32_t height);
void quit_on_escape();
