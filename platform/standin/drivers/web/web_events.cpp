// The page's events: its callbacks only keep what happened (they run while
// the program waits, so they must not run it); the stand-in has each kept
// event reported, in order, when it polls. One small handler per kind.
#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/web/web_driver.h"

static EM_BOOL on_focus_change(int event_type, const EmscriptenFocusEvent*, void*)
{
    web_keep_event(WebEvent{WEB_FOCUS, 0, 0, event_type == EMSCRIPTEN_EVENT_FOCUS, BUTTON_LEFT, 0, 0});
    return EM_FALSE;
}

static EM_BOOL on_visibility_change(int, const EmscriptenVisibilityChangeEvent* event, void*)
{
    web_keep_event(WebEvent{WEB_VISIBILITY, 0, 0, !event->hidden, BUTTON_LEFT, 0, 0});
    return EM_FALSE;
}

// The canvas's focus is the window's activation.
void web_listen(bool listen)
{
    emscripten_set_focus_callback(WEB_CANVAS, nullptr, EM_TRUE, listen ? on_focus_change : nullptr);
    emscripten_set_blur_callback(WEB_CANVAS, nullptr, EM_TRUE, listen ? on_focus_change : nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, listen ? on_visibility_change : nullptr);
    web_listen_to_keys(listen);
    web_listen_to_mouse(listen);
}

void web_keep_event(const WebEvent& event)
{
    if (web.event_count == WEB_MAX_EVENTS) return; // a program that stopped taking input
    web.events[(web.first_event + web.event_count) % WEB_MAX_EVENTS] = event;
    web.event_count++;
    web_page_wake();
}

// Each handler reports to the window that owns the canvas, and says whether
// the stand-in took the report (a full input queue refuses it).
static bool on_key(HWND window, const WebEvent& event)
{
    // Releases still go while a message box is up, so no key stays held.
    if (event.down && web_has_open_message_box()) return true;
    return event_key(window, event.virtual_key, event.down ? event.character : 0, event.down);
}

static bool on_button(HWND window, const WebEvent& event)
{
    if (event.down && web_has_open_message_box()) return true;
    return event_button(window, event.button, event.down, event.x, event.y);
}

static bool on_motion(HWND window, const WebEvent& event)
{
    if (web_has_open_message_box()) return true;
    return event_motion(window, event.x, event.y);
}

static bool on_focus(HWND window, const WebEvent& event)
{
    event_focus(window, event.down);
    return true;
}

// A hidden page is a minimised window; shown again, it is restored and
// repainted.
static bool on_visibility(HWND window, const WebEvent& event)
{
    WebWindow* w = web.canvas_owner;
    if (w->hidden == !event.down) return true;
    w->hidden = !event.down;
    if (w->hidden) {
        event_resized(window, 0, 0, true);
    } else {
        event_resized(window, w->width, w->height, false);
        event_exposed(window);
    }
    return true;
}

typedef bool (*EventHandler)(HWND window, const WebEvent& event);
struct HandlerRow {
    WebEventKind kind;
    EventHandler handler;
};
static const HandlerRow EVENT_HANDLERS[] = {
    {WEB_KEY, on_key},
    {WEB_BUTTON, on_button},
    {WEB_MOTION, on_motion},
    {WEB_FOCUS, on_focus},
    {WEB_VISIBILITY, on_visibility},
};

static bool report(HWND window, const WebEvent& event)
{
    for (const HandlerRow& row : EVENT_HANDLERS)
        if (row.kind == event.kind) return row.handler(window, event);
    return true;
}

// Only what was kept before the call; what the stand-in refuses stays first
// in line.
void web_poll_events()
{
    int count = web.event_count;
    while (count-- > 0) {
        const WebEvent& event = web.events[web.first_event];
        if (web.canvas_owner != nullptr) {
            bool input = event.kind == WEB_KEY || event.kind == WEB_BUTTON || event.kind == WEB_MOTION;
            if (input && !event_input_has_room()) return;
            // A handler may run the window procedure, which may end the window.
            if (!report(web.canvas_owner->handle, event)) return;
        }
        web.first_event = (web.first_event + 1) % WEB_MAX_EVENTS;
        web.event_count--;
    }
}

// The page has its turn meanwhile: it can only deliver events then.
void web_wait_events(int timeout)
{
    if (web.event_count == 0) web_page_sleep(timeout);
    web_poll_events();
}
