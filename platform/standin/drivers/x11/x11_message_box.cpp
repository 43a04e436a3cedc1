// Message boxes: a small X window with the caption as its title, the text in
// the default font line by line, and an OK button, painted in the system
// colours of the moment. Return, Escape, Space, a click on OK or the
// manager's close request answer it.
#include <cstring>

#include <X11/Xatom.h>

#include "platform/standin/drivers/events.h"
#include "platform/standin/drivers/x11/x11_driver.h"
#include "platform/standin/win32_user.h"

static constexpr int MARGIN = 16;
static constexpr int BUTTON_WIDTH = 80;
static constexpr int BUTTON_HEIGHT = 26;

static const int BOX_SYSTEM_COLOURS[BOX_COLOURS] = {
    COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_WINDOWFRAME, COLOR_BTNTEXT};
static constexpr COLORREF NO_COLOUR = 0xFFFFFFFF; // never a system colour: not yet painted

static X11MessageBox* box_of(DriverMessageBox* box)
{
    return reinterpret_cast<X11MessageBox*>(box);
}

static X11MessageBox* find_box(::Window window)
{
    for (X11MessageBox& b : x11.boxes)
        if (b.in_use && b.window == window) return &b;
    return nullptr;
}

// Splits at line feeds (a carriage return before one is dropped); a final line
// feed ends the last line rather than adding an empty one.
static void split_lines(X11MessageBox* b, const char* text)
{
    std::strncpy(b->text, text ? text : "", X11_MAX_BOX_TEXT - 1);
    b->text[X11_MAX_BOX_TEXT - 1] = '\0';
    b->line_count = 0;
    int start = 0;
    for (int i = 0;; i++) {
        char c = b->text[i];
        if (c != '\n' && c != '\0') continue;
        b->text[i] = '\0';
        if (i > start && b->text[i - 1] == '\r') b->text[i - 1] = '\0';
        if ((c == '\n' || i > start) && b->line_count < X11_MAX_BOX_LINES)
            b->line_start[b->line_count++] = start;
        if (c == '\0') break;
        start = i + 1;
    }
}

static const char* line(const X11MessageBox* b, int index)
{
    return b->text + b->line_start[index];
}

// Sizes the box around its text from the default font's metrics.
static void measure(X11MessageBox* b)
{
    int text_width = 0;
    b->ascent = 10;
    b->line_height = 14;
    XFontStruct* font = XQueryFont(x11.display, XGContextFromGC(b->gc));
    if (font) {
        b->ascent = font->ascent;
        b->line_height = font->ascent + font->descent + 2;
        for (int i = 0; i < b->line_count; i++) {
            int w = XTextWidth(font, line(b, i), static_cast<int>(std::strlen(line(b, i))));
            if (w > text_width) text_width = w;
        }
        XFreeFontInfo(nullptr, font, 1);
    }
    int screen_width = DisplayWidth(x11.display, x11.screen);
    int width = text_width + 2 * MARGIN;
    if (width < 2 * MARGIN + 2 * BUTTON_WIDTH) width = 2 * MARGIN + 2 * BUTTON_WIDTH;
    if (width > screen_width - 2 * MARGIN && screen_width > 4 * MARGIN) width = screen_width - 2 * MARGIN;
    b->width = width;
    b->height = MARGIN + b->line_count * b->line_height + MARGIN + BUTTON_HEIGHT + MARGIN;
    b->button_x = (b->width - BUTTON_WIDTH) / 2;
    b->button_y = b->height - MARGIN - BUTTON_HEIGHT;
}

// The X pixel of each system colour the box paints with, allocated again for
// those that changed; true when one did.
static bool follow_system_colours(X11MessageBox* b)
{
    bool changed = false;
    Colormap colour_map = DefaultColormap(x11.display, x11.screen);
    for (int i = 0; i < BOX_COLOURS; i++) {
        COLORREF colour = system_colour(BOX_SYSTEM_COLOURS[i]);
        if (b->colours[i] == colour) continue;
        if (b->colours[i] != NO_COLOUR) XFreeColors(x11.display, colour_map, &b->pixels[i], 1, 0);
        XColor wanted{};
        wanted.red = static_cast<unsigned short>(GetRValue(colour) * 257);
        wanted.green = static_cast<unsigned short>(GetGValue(colour) * 257);
        wanted.blue = static_cast<unsigned short>(GetBValue(colour) * 257);
        b->pixels[i] = XAllocColor(x11.display, colour_map, &wanted) ? wanted.pixel : 0;
        b->colours[i] = colour;
        changed = true;
    }
    if (changed) XSetWindowBackground(x11.display, b->window, b->pixels[BOX_WINDOW]);
    return changed;
}

static void fill(X11MessageBox* b, BoxColour colour, int x, int y, int width, int height)
{
    XSetForeground(x11.display, b->gc, b->pixels[colour]);
    XFillRectangle(x11.display, b->window, b->gc, x, y, static_cast<unsigned int>(width),
        static_cast<unsigned int>(height));
}

static void draw(X11MessageBox* b)
{
    int strip_y = b->button_y - MARGIN / 2;
    fill(b, BOX_WINDOW, 0, 0, b->width, strip_y);
    fill(b, BOX_FACE, 0, strip_y, b->width, b->height - strip_y);
    XSetForeground(x11.display, b->gc, b->pixels[BOX_TEXT]);
    for (int i = 0; i < b->line_count; i++)
        XDrawString(x11.display, b->window, b->gc, MARGIN, MARGIN + b->ascent + i * b->line_height,
            line(b, i), static_cast<int>(std::strlen(line(b, i))));
    XSetForeground(x11.display, b->gc, b->pixels[BOX_FRAME]);
    XDrawRectangle(
        x11.display, b->window, b->gc, b->button_x, b->button_y, BUTTON_WIDTH - 1, BUTTON_HEIGHT - 1);
    if (b->button_held)
        XDrawRectangle(x11.display, b->window, b->gc, b->button_x + 2, b->button_y + 2, BUTTON_WIDTH - 5,
            BUTTON_HEIGHT - 5);
    int label_width = 12;
    XFontStruct* font = XQueryFont(x11.display, XGContextFromGC(b->gc));
    if (font) {
        label_width = XTextWidth(font, "OK", 2);
        XFreeFontInfo(nullptr, font, 1);
    }
    XSetForeground(x11.display, b->gc, b->pixels[BOX_LABEL]);
    XDrawString(x11.display, b->window, b->gc, b->button_x + (BUTTON_WIDTH - label_width) / 2,
        b->button_y + (BUTTON_HEIGHT + b->ascent) / 2 - 1, "OK", 2);
}

// Centred over the owner when there is one, else over the screen.
static void place(::Window owner, int width, int height, int* x, int* y)
{
    int area_x = 0, area_y = 0;
    int area_width = DisplayWidth(x11.display, x11.screen),
        area_height = DisplayHeight(x11.display, x11.screen);
    XWindowAttributes attributes{};
    if (owner && XGetWindowAttributes(x11.display, owner, &attributes)) {
        ::Window child;
        XTranslateCoordinates(x11.display, owner, x11.root, 0, 0, &area_x, &area_y, &child);
        area_width = attributes.width;
        area_height = attributes.height;
    }
    *x = area_x + (area_width - width) / 2;
    *y = area_y + (area_height - height) / 2;
    if (*x < 0) *x = 0;
    if (*y < 0) *y = 0;
}

DriverMessageBox* x11_open_message_box(DriverWindow* owner, const char* text, const char* caption)
{
    X11MessageBox* b = free_slot(x11.boxes);
    if (!b) return nullptr;
    *b = X11MessageBox{};
    X11Window* owner_window = owner ? x11_window(owner) : nullptr;
    b->owner = owner_window ? owner_window->frame : 0;
    split_lines(b, text);

    // Its background and the GC's colours are the system colours, set below.
    XSetWindowAttributes attributes{};
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
        ExposureMask | StructureNotifyMask;
    ::Window window = XCreateWindow(x11.display, x11.root, 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
        CopyFromParent, CWEventMask, &attributes);
    if (!window) return nullptr;
    b->window = window;
    b->gc = XCreateGC(x11.display, window, 0, nullptr);
    for (COLORREF& colour : b->colours) colour = NO_COLOUR;
    follow_system_colours(b);

    measure(b);
    int x = 0, y = 0;
    place(b->owner, b->width, b->height, &x, &y);
    XMoveResizeWindow(
        x11.display, window, x, y, static_cast<unsigned int>(b->width), static_cast<unsigned int>(b->height));

    x11_set_title(window, caption ? caption : "");
    x11_set_protocols(window);
    x11_set_normal_hints(window, x, y, b->width, b->height, true);
    x11_set_owner_properties(window);
    XChangeProperty(x11.display, window, x11.net_wm_window_type, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&x11.net_wm_window_type_dialog), 1);
    if (b->owner) XSetTransientForHint(x11.display, window, b->owner);

    XMapRaised(x11.display, window);
    XFlush(x11.display);
    b->in_use = true;
    b->open = true;
    return reinterpret_cast<DriverMessageBox*>(b);
}

// Asked after every message the modal loop dispatches: a box whose system
// colours changed meanwhile (the static colours taken over or given back) is
// painted again.
bool x11_message_box_is_open(DriverMessageBox* box)
{
    X11MessageBox* b = box_of(box);
    if (!b || !b->in_use || !b->open) return false;
    if (follow_system_colours(b)) draw(b);
    return true;
}

void x11_close_message_box(DriverMessageBox* box)
{
    X11MessageBox* b = box_of(box);
    if (!b || !b->in_use) return;
    XFreeColors(x11.display, DefaultColormap(x11.display, x11.screen), b->pixels, BOX_COLOURS, 0);
    XFreeGC(x11.display, b->gc);
    if (!b->gone) XDestroyWindow(x11.display, b->window);
    XFlush(x11.display);
    *b = X11MessageBox{};
}

void x11_close_all_message_boxes()
{
    for (X11MessageBox& b : x11.boxes)
        if (b.in_use) x11_close_message_box(reinterpret_cast<DriverMessageBox*>(&b));
}

bool x11_has_open_message_box(X11Window* owner)
{
    for (const X11MessageBox& b : x11.boxes)
        if (b.in_use && b.open && b.owner && b.owner == owner->frame) return true;
    return false;
}

// Answered: the box goes from the screen at once and, as on Windows, its
// owner is active again; the record stays until the stand-in closes it.
static void answer(X11MessageBox* b)
{
    b->open = false;
    if (!b->gone) XUnmapWindow(x11.display, b->window);
    XWindowAttributes owner{};
    if (b->owner && XGetWindowAttributes(x11.display, b->owner, &owner) && owner.map_state == IsViewable)
        x11_focus_if_unmanaged(b->owner);
    XFlush(x11.display);
}

static bool on_button(const X11MessageBox* b, int x, int y)
{
    return x >= b->button_x && x < b->button_x + BUTTON_WIDTH && y >= b->button_y &&
        y < b->button_y + BUTTON_HEIGHT;
}

static void on_expose(X11MessageBox* b, XEvent* event)
{
    if (event->xexpose.count == 0) draw(b);
}

static void on_key_press(X11MessageBox* b, XEvent* event)
{
    if (x11_is_confirm_or_cancel_key(&event->xkey)) answer(b);
}

// A key let go while the box has the focus was most likely pressed in the
// owner: it hears of the release, so the key does not stay held there.
static void on_key_release(X11MessageBox* b, XEvent* event)
{
    X11Window* owner = x11_find_window(b->owner);
    if (!owner) return;
    int virtual_key = 0, character = 0;
    x11_translate_key(&event->xkey, &virtual_key, &character);
    if (virtual_key != 0) event_key(owner->handle, virtual_key, 0, false);
}

static void on_button_press(X11MessageBox* b, XEvent* event)
{
    if (event->xbutton.button != Button1 || !on_button(b, event->xbutton.x, event->xbutton.y)) return;
    b->button_held = true;
    draw(b);
}

// A click is a press and a release both on OK, as with a real button.
static void on_button_release(X11MessageBox* b, XEvent* event)
{
    if (event->xbutton.button != Button1 || !b->button_held) return;
    b->button_held = false;
    if (on_button(b, event->xbutton.x, event->xbutton.y))
        answer(b);
    else
        draw(b);
}

static void on_client_message(X11MessageBox* b, XEvent* event)
{
    if (x11_answer_ping(&event->xclient)) return;
    if (x11_is_delete_request(&event->xclient)) answer(b);
}

// Another client destroyed the box: it is answered as if closed.
static void on_destroy(X11MessageBox* b, XEvent*)
{
    b->gone = true;
    answer(b);
}

static void on_map(X11MessageBox* b, XEvent*)
{
    if (b->open) x11_focus_if_unmanaged(b->window);
}

typedef void (*BoxHandler)(X11MessageBox* box, XEvent* event);
struct BoxHandlerRow {
    int type;
    BoxHandler handler;
};
static const BoxHandlerRow EVENT_HANDLERS[] = {
    {Expose, on_expose},
    {KeyPress, on_key_press},
    {KeyRelease, on_key_release},
    {ButtonPress, on_button_press},
    {ButtonRelease, on_button_release},
    {ClientMessage, on_client_message},
    {MapNotify, on_map},
    {DestroyNotify, on_destroy},
};

bool x11_message_box_event(XEvent* event)
{
    X11MessageBox* b = find_box(event->xany.window);
    if (!b) return false;
    if (!b->open) return true;
    for (const BoxHandlerRow& row : EVENT_HANDLERS)
        if (row.type == event->type) row.handler(b, event);
    return true;
}
