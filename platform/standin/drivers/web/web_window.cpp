// Windows on the page's one canvas: every window keeps its own record, and
// the one shown last owns the canvas, which takes its client size and its
// title as the page's.
#include "platform/standin/drivers/web/web_driver.h"

// Nothing is reported here: the window gets exactly the position and size
// asked (the canvas follows it when the window is shown).
DriverWindow* web_create_window(HWND handle, const char* title, int x, int y, int width, int height)
{
    WebWindow* w = free_slot(web.windows);
    if (w == nullptr) return nullptr;
    *w = WebWindow{true, handle, width > 0 ? width : 1, height > 0 ? height : 1, x, y, 0, false};
    web_page_set_title(title != nullptr ? title : "");
    return driver_window(w);
}

// The canvas takes the window's size, as far as GL draws, and the keyboard
// focus, as showing a window activates it.
void web_show_window(DriverWindow* window)
{
    WebWindow* w = web_window(window);
    web.canvas_owner = w;
    PixelSize size = surface_size(w->width, w->height, web.largest_surface);
    emscripten_set_canvas_element_size(WEB_CANVAS, size.width, size.height);
    web_page_focus_canvas();
}

void web_destroy_window(DriverWindow* window)
{
    WebWindow* w = web_window(window);
    if (w == nullptr || !w->in_use) return;
    web_webgl_forget_window(w);
    if (web.canvas_owner == w) web.canvas_owner = nullptr;
    *w = WebWindow{};
}

void web_destroy_all_windows()
{
    for (WebWindow& w : web.windows)
        if (w.in_use) web_destroy_window(driver_window(&w));
}
