// The mouse on the page: a press on the canvas captures the mouse until its
// last button is up, so a drag that leaves the canvas goes on (moves and the
// release arrive from the whole window, in canvas coordinates); otherwise only
// what happens over the canvas counts. The last place tells the cursor's.
#include "platform/standin/drivers/web/web_driver.h"

static bool button_of(unsigned short page_button, MouseButton* button)
{
    switch (page_button) { // the page numbers them left, middle, right
    case 0:
        *button = BUTTON_LEFT;
        return true;
    case 1:
        *button = BUTTON_MIDDLE;
        return true;
    case 2:
        *button = BUTTON_RIGHT;
        return true;
    default:
        return false;
    }
}

static bool over_canvas(int x, int y)
{
    const WebWindow* w = web.canvas_owner;
    return w != nullptr && x >= 0 && y >= 0 && x < w->width && y < w->height;
}

static void place(const EmscriptenMouseEvent* event)
{
    double left_top[2] = {};
    web_page_canvas_rect(left_top);
    web.pointer.client_x = static_cast<int>(static_cast<double>(event->clientX) - left_top[0]);
    web.pointer.client_y = static_cast<int>(static_cast<double>(event->clientY) - left_top[1]);
}

static EM_BOOL on_button(int event_type, const EmscriptenMouseEvent* event, void*)
{
    MouseButton button;
    if (!button_of(event->button, &button)) return EM_FALSE;
    place(event);
    int x = web.pointer.client_x, y = web.pointer.client_y;
    int bit = 1 << button;
    bool down = event_type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    if (down && !over_canvas(x, y)) return EM_FALSE;
    if (!down && (web.pointer.buttons_held & bit) == 0) return EM_FALSE;
    web.pointer.buttons_held = down ? web.pointer.buttons_held | bit : web.pointer.buttons_held & ~bit;
    web_keep_event(WebEvent{WEB_BUTTON, 0, 0, down, button, x, y});
    return EM_TRUE;
}

static EM_BOOL on_move(int, const EmscriptenMouseEvent* event, void*)
{
    place(event);
    int x = web.pointer.client_x, y = web.pointer.client_y;
    if (web.pointer.buttons_held == 0 && !over_canvas(x, y)) return EM_FALSE;
    web_keep_event(WebEvent{WEB_MOTION, 0, 0, false, BUTTON_LEFT, x, y});
    return EM_FALSE;
}

void web_listen_to_mouse(bool listen)
{
    const char* everywhere = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_mousedown_callback(everywhere, nullptr, EM_TRUE, listen ? on_button : nullptr);
    emscripten_set_mouseup_callback(everywhere, nullptr, EM_TRUE, listen ? on_button : nullptr);
    emscripten_set_mousemove_callback(everywhere, nullptr, EM_TRUE, listen ? on_move : nullptr);
    web_page_hold_mouse(listen);
}

bool web_get_cursor_pos(int* screen_x, int* screen_y)
{
    const WebWindow* w = web.canvas_owner;
    *screen_x = web.pointer.client_x + (w != nullptr ? w->screen_x : 0);
    *screen_y = web.pointer.client_y + (w != nullptr ? w->screen_y : 0);
    return true;
}
