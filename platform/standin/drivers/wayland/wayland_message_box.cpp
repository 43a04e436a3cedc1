// Message boxes: a second toplevel, a child of the owner's, with the caption
// as its title and, drawn with cairo and pango into a shared-memory buffer,
// the text and an OK button in the system colours of the moment. Return,
// Escape, Space, a click on OK or the compositor's close request answer it.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

#include <cairo.h>
#include <pango/pangocairo.h>

#include "platform/standin/drivers/wayland/wayland_driver.h"
#include "platform/standin/win32_gdi.h"
#include "platform/standin/win32_user.h"

static constexpr int MARGIN = 16;
static constexpr int BUTTON_WIDTH = 80;
static constexpr int BUTTON_HEIGHT = 26;
static constexpr int MIN_TEXT_WIDTH = 2 * BUTTON_WIDTH;
static constexpr const char* FONT = "Sans 10";

static const int BOX_SYSTEM_COLOURS[BOX_COLOURS] = {
    COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_WINDOWFRAME, COLOR_BTNTEXT};
static constexpr COLORREF NO_COLOUR = 0xFFFFFFFF; // never a system colour: not yet painted

static WaylandMessageBox* box_of(DriverMessageBox* box)
{
    return reinterpret_cast<WaylandMessageBox*>(box);
}

WaylandMessageBox* wayland_find_message_box(wl_surface* surface)
{
    if (!surface) return nullptr;
    for (WaylandMessageBox& b : wayland.boxes)
        if (b.in_use && b.open && b.surface == surface) return &b;
    return nullptr;
}

// The text as pango wants it: UTF-8 from Latin-1, without carriage returns.
static void utf8_text(const char* latin1, char* utf8, int size)
{
    int length = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(latin1); *c && length < size - 2;
         c++) {
        if (*c == '\r') continue;
        if (*c < 0x80) {
            utf8[length++] = static_cast<char>(*c);
        } else {
            utf8[length++] = static_cast<char>(0xC0 | (*c >> 6));
            utf8[length++] = static_cast<char>(0x80 | (*c & 0x3F));
        }
    }
    utf8[length] = '\0';
}

static PangoLayout* text_layout(cairo_t* cairo, const char* text)
{
    PangoLayout* layout = pango_cairo_create_layout(cairo);
    PangoFontDescription* font = pango_font_description_from_string(FONT);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text, -1);
    return layout;
}

// Sizes the box around its text, as wide as the screen allows.
static void measure(WaylandMessageBox* b)
{
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cairo = cairo_create(scratch);
    PangoLayout* layout = text_layout(cairo, b->text);
    int text_width = 0, text_height = 0;
    pango_layout_get_pixel_size(layout, &text_width, &text_height);
    g_object_unref(layout);
    cairo_destroy(cairo);
    cairo_surface_destroy(scratch);
    int width = std::max(text_width, MIN_TEXT_WIDTH) + 2 * MARGIN;
    b->width = std::min(width, std::max(wayland.screen_width - 2 * MARGIN, MIN_TEXT_WIDTH + 2 * MARGIN));
    b->height = MARGIN + text_height + MARGIN + BUTTON_HEIGHT + MARGIN;
    b->button_x = (b->width - BUTTON_WIDTH) / 2;
    b->button_y = b->height - MARGIN - BUTTON_HEIGHT;
}

// A buffer of the box's size in shared memory, mapped here and in the compositor.
static bool make_buffer(WaylandMessageBox* b)
{
    int stride = b->width * 4;
    int size = stride * b->height;
    int fd = memfd_create("rollbox-message-box", MFD_CLOEXEC);
    if (fd < 0) return false;
    void* pixels = ftruncate(fd, size) == 0 ? mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                                            : MAP_FAILED;
    if (pixels == MAP_FAILED) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(wayland.shm, fd, size);
    b->buffer = wl_shm_pool_create_buffer(pool, 0, b->width, b->height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    b->pixels = pixels;
    b->pixels_size = size;
    return true;
}

static void set_colour(cairo_t* cairo, const WaylandMessageBox* b, BoxColour colour)
{
    COLORREF c = b->colours[colour];
    cairo_set_source_rgb(cairo, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

static void fill(
    cairo_t* cairo, const WaylandMessageBox* b, BoxColour colour, int x, int y, int width, int height)
{
    set_colour(cairo, b, colour);
    cairo_rectangle(cairo, x, y, width, height);
    cairo_fill(cairo);
}

// A one-pixel frame inside the rectangle.
static void frame(cairo_t* cairo, const WaylandMessageBox* b, int x, int y, int width, int height)
{
    set_colour(cairo, b, BOX_FRAME);
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, x + 0.5, y + 0.5, width - 1, height - 1);
    cairo_stroke(cairo);
}

static void draw_text(
    cairo_t* cairo, const WaylandMessageBox* b, BoxColour colour, const char* text, int x, int y)
{
    PangoLayout* layout = text_layout(cairo, text);
    set_colour(cairo, b, colour);
    cairo_move_to(cairo, x, y);
    pango_cairo_show_layout(cairo, layout);
    g_object_unref(layout);
}

static void draw(WaylandMessageBox* b)
{
    if (!b->buffer) return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        static_cast<unsigned char*>(b->pixels), CAIRO_FORMAT_RGB24, b->width, b->height, b->width * 4);
    cairo_t* cairo = cairo_create(surface);
    int strip_y = b->button_y - MARGIN / 2;
    fill(cairo, b, BOX_WINDOW, 0, 0, b->width, strip_y);
    fill(cairo, b, BOX_FACE, 0, strip_y, b->width, b->height - strip_y);
    draw_text(cairo, b, BOX_TEXT, b->text, MARGIN, MARGIN);
    frame(cairo, b, b->button_x, b->button_y, BUTTON_WIDTH, BUTTON_HEIGHT);
    if (b->button_held)
        frame(cairo, b, b->button_x + 2, b->button_y + 2, BUTTON_WIDTH - 4, BUTTON_HEIGHT - 4);
    PangoLayout* label = text_layout(cairo, "OK");
    int label_width = 0, label_height = 0;
    pango_layout_get_pixel_size(label, &label_width, &label_height);
    g_object_unref(label);
    draw_text(cairo, b, BOX_LABEL, "OK", b->button_x + (BUTTON_WIDTH - label_width) / 2,
        b->button_y + (BUTTON_HEIGHT - label_height) / 2);
    cairo_destroy(cairo);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    wl_surface_attach(b->surface, b->buffer, 0, 0);
    wl_surface_damage(b->surface, 0, 0, b->width, b->height);
    wl_surface_commit(b->surface);
    wayland_flush();
}

// True when a system colour the box paints with changed since it was painted.
static bool follow_system_colours(WaylandMessageBox* b)
{
    bool changed = false;
    for (int i = 0; i < BOX_COLOURS; i++) {
        COLORREF colour = system_colour(BOX_SYSTEM_COLOURS[i]);
        changed = changed || b->colours[i] != colour;
        b->colours[i] = colour;
    }
    return changed;
}

// The first configure lets the box be shown; its size is its own.
static void on_configured(void* owner, int, int, bool)
{
    auto b = static_cast<WaylandMessageBox*>(owner);
    if (!b->open || b->buffer) return;
    if (make_buffer(b)) draw(b);
}

// Answered: the box goes from the screen at once; the record stays until
// the stand-in closes it.
static void answer(WaylandMessageBox* b)
{
    b->open = false;
    wl_surface_attach(b->surface, nullptr, 0, 0);
    wl_surface_commit(b->surface);
    wayland_flush();
}

static void on_close_requested(void* owner)
{
    answer(static_cast<WaylandMessageBox*>(owner));
}

static const WaylandToplevelHooks BOX_HOOKS = {
    .configured = on_configured,
    .close_requested = on_close_requested,
};

DriverMessageBox* wayland_open_message_box(DriverWindow* owner, const char* text, const char* caption)
{
    WaylandMessageBox* b = free_slot(wayland.boxes);
    if (!b) return nullptr;
    *b = WaylandMessageBox{};
    b->surface = wl_compositor_create_surface(wayland.compositor);
    if (!b->surface) return nullptr;
    b->in_use = true;
    b->open = true;
    b->owner = owner ? wayland_window(owner) : nullptr;
    utf8_text(text ? text : "", b->text, sizeof b->text);
    for (COLORREF& colour : b->colours) colour = NO_COLOUR;
    follow_system_colours(b);
    measure(b);
    wayland_toplevel_create(&b->toplevel, b->surface, caption ? caption : "",
        b->owner ? &b->owner->toplevel : nullptr, b->width, b->height, true, b, &BOX_HOOKS);
    wayland_flush();
    return reinterpret_cast<DriverMessageBox*>(b);
}

// Asked after every message the modal loop dispatches: a box whose system
// colours changed meanwhile (the static colours taken over or given back) is
// painted again.
bool wayland_message_box_is_open(DriverMessageBox* box)
{
    WaylandMessageBox* b = box_of(box);
    if (!b || !b->in_use || !b->open) return false;
    if (follow_system_colours(b)) draw(b);
    return true;
}

void wayland_close_message_box(DriverMessageBox* box)
{
    WaylandMessageBox* b = box_of(box);
    if (!b || !b->in_use) return;
    wayland_forget_pointer_surface(b->surface);
    wayland_forget_key_focus(b->surface);
    wayland_toplevel_destroy(&b->toplevel);
    wl_surface_destroy(b->surface);
    if (b->buffer) wl_buffer_destroy(b->buffer);
    if (b->pixels) munmap(b->pixels, b->pixels_size);
    wayland_flush();
    *b = WaylandMessageBox{};
}

void wayland_close_all_message_boxes()
{
    for (WaylandMessageBox& b : wayland.boxes)
        if (b.in_use) wayland_close_message_box(reinterpret_cast<DriverMessageBox*>(&b));
}

bool wayland_has_open_message_box(WaylandWindow* owner)
{
    for (const WaylandMessageBox& b : wayland.boxes)
        if (b.in_use && b.open && b.owner == owner) return true;
    return false;
}

void wayland_message_box_key(WaylandMessageBox* b, xkb_keycode_t key)
{
    if (wayland_is_confirm_or_cancel_key(key)) answer(b);
}

static bool on_button(const WaylandMessageBox* b, int x, int y)
{
    return x >= b->button_x && x < b->button_x + BUTTON_WIDTH && y >= b->button_y &&
        y < b->button_y + BUTTON_HEIGHT;
}

// A click is a press and a release both on OK, as with a real button.
void wayland_message_box_button(WaylandMessageBox* b, bool down, int x, int y)
{
    if (down) {
        if (!on_button(b, x, y)) return;
        b->button_held = true;
        draw(b);
        return;
    }
    if (!b->button_held) return;
    b->button_held = false;
    if (on_button(b, x, y))
        answer(b);
    else
        draw(b);
}
