// What the simulated palette display shows, wherever its frame is drawn: the
// colour each 8-bit 3-3-2 pixel value stands for, the colour it shows on a
// window, and the size of the frame GL drew for that window.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"

PALETTEENTRY pixel_value_colour(int value)
{
    return PALETTEENTRY{static_cast<BYTE>((value & 7) * 255 / 7),
        static_cast<BYTE>((value >> 3 & 7) * 255 / 7), static_cast<BYTE>((value >> 6 & 3) * 255 / 3), 0};
}

// The default palette's 20 entries are the first 10 and the last 10 system entries.
static int default_entry(int value)
{
    int nearest = nearest_colour(standard_colours(), 20, pixel_value_colour(value));
    return nearest < 10 ? nearest : nearest + 236;
}

PALETTEENTRY shown_colour(const GdiDc* dc, int value)
{
    int entry = dc->realised ? dc->shown_entry[value] : default_entry(value);
    return gdi_state.system_palette[entry];
}

// Only with the window's own context current: another window's would read
// the wrong buffer.
bool palette_frame_size(const GdiDc* dc, PixelSize* size)
{
    const GdiDc* current_dc = dc_record(gdi_state.current_dc);
    const WindowRecord* window = window_record(dc->window);
    if (current_dc == nullptr || window == nullptr || current_dc->window != dc->window) return false;
    int client_width = window->client_rect.right - window->client_rect.left;
    int client_height = window->client_rect.bottom - window->client_rect.top;
    if (client_width <= 0 || client_height <= 0) return false;
    // What GL draws into, which a huge window exceeds.
    *size = surface_size(client_width, client_height, largest_viewport());
    return true;
}
