// What the web driver's files share: its state in one record (the formats,
// the canvas's one WebGL context, the windows, the pointer, the events the
// page reported and the message boxes) and the functions one file offers
// another. Only the web driver's own files include this header.
#pragma once

#include <emscripten/html5.h>

#include "platform/standin/drivers/driver.h"
#include "platform/standin/drivers/events.h"

// The canvas every window draws into, as the page names it.
inline constexpr char WEB_CANVAS[] = "#canvas";

// Format n is formats[n - 1]; the context attributes come from its description.
const int WEB_MAX_FORMATS = 8;
const int WEB_MAX_CONTEXTS = 8;
const int WEB_MAX_BOXES = 8;
const int WEB_MAX_EVENTS = 256;

struct WebContext {
    bool in_use;
    int format;
};

// A window. The page has one canvas: the window shown last owns it.
struct WebWindow {
    bool in_use;
    HWND handle;
    int width; // the client size and position as the stand-in knows them
    int height;
    int screen_x;
    int screen_y;
    int format;  // 0 until set
    bool hidden; // the page is hidden: the window counts as minimised
};

// What a page event becomes, kept until the stand-in polls: the page's
// callbacks run while the program waits, and must not run the program.
enum WebEventKind { WEB_KEY, WEB_BUTTON, WEB_MOTION, WEB_FOCUS, WEB_VISIBILITY };

struct WebEvent {
    WebEventKind kind;
    int virtual_key; // WEB_KEY
    int character;
    bool down;          // WEB_KEY, WEB_BUTTON; focused or visible for the others
    MouseButton button; // WEB_BUTTON
    int x;              // WEB_BUTTON, WEB_MOTION: client coordinates
    int y;
};

// The pointer, as the page's mouse events tell it (web_pointer.cpp).
struct WebPointer {
    int client_x; // relative to the canvas
    int client_y;
    int buttons_held; // a bit per MouseButton: a press on the canvas captures
};

struct WebMessageBox {
    bool in_use;
    int page_box; // the page's number for its dialog
};

struct WebState {
    PIXELFORMATDESCRIPTOR formats[WEB_MAX_FORMATS]; // web_webgl.cpp
    int format_count;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE gl; // the canvas's WebGL context, 0 until made
    int gl_format;
    WebContext contexts[WEB_MAX_CONTEXTS];
    WebContext* current_context;
    WebWindow* current_window;
    PixelSize largest_surface; // learned from the first context made current

    WebWindow windows[MAX_WINDOWS]; // web_window.cpp
    WebWindow* canvas_owner;
    WebPointer pointer; // web_pointer.cpp

    WebEvent events[WEB_MAX_EVENTS]; // web_events.cpp: a ring
    int first_event;
    int event_count;

    WebMessageBox boxes[WEB_MAX_BOXES]; // web_message_box.cpp
};
extern WebState web;

inline WebWindow* web_window(DriverWindow* window)
{
    return reinterpret_cast<WebWindow*>(window);
}
inline DriverWindow* driver_window(WebWindow* window)
{
    return reinterpret_cast<DriverWindow*>(window);
}

// web_page.cpp: the page's side, in its script (C linkage). The waits give
// the browser its turn (Asyncify) and return when the program may go on.
extern "C" {
void web_page_wait_frame();
void web_page_sleep(int timeout);
void web_page_wake();
int web_page_has_canvas();
void web_page_set_title(const char* title);
void web_page_focus_canvas();
void web_page_hold_mouse(int hold);
void web_page_canvas_rect(double* left_top);
void web_page_screen_size(int* width_height);
int web_page_open_box(const char* text, const char* caption);
int web_page_box_is_open(int page_box);
void web_page_close_box(int page_box);
}

// web_window.cpp
DriverWindow* web_create_window(HWND handle, const char* title, int x, int y, int width, int height);
void web_destroy_window(DriverWindow* window);
void web_show_window(DriverWindow* window);
void web_destroy_all_windows();

// web_events.cpp: the page's events kept, and reported when the stand-in asks.
void web_listen(bool listen);
void web_keep_event(const WebEvent& event);
void web_poll_events();
void web_wait_events(int timeout);

// web_keys.cpp: the virtual-key code of a key event (0 for none) and the
// Latin-1 character it types (0 for none); the canvas's key events kept.
void web_translate_key(const EmscriptenKeyboardEvent* event, int* virtual_key, int* character);
void web_listen_to_keys(bool listen);

// web_pointer.cpp: mouse events kept as client coordinates, with capture.
void web_listen_to_mouse(bool listen);
bool web_get_cursor_pos(int* screen_x, int* screen_y);

// web_webgl.cpp
void web_webgl_start();
void web_webgl_terminate();
int web_pixel_format_count();
bool web_describe_pixel_format(int format, PIXELFORMATDESCRIPTOR* description);
bool web_set_pixel_format(DriverWindow* window, int format);
DriverContext* web_create_context(DriverWindow* window, int format);
bool web_make_current(DriverWindow* window, DriverContext* context);
void web_delete_context(DriverContext* context);
bool web_swap_buffers(DriverWindow* window);
bool web_read_pixels(DriverWindow* window, int x, int y, int width, int height, unsigned char* rgba);
void web_webgl_forget_window(WebWindow* window);

// web_message_box.cpp
DriverMessageBox* web_open_message_box(DriverWindow* owner, const char* text, const char* caption);
bool web_message_box_is_open(DriverMessageBox* box);
void web_close_message_box(DriverMessageBox* box);
void web_close_all_message_boxes();
bool web_has_open_message_box();
