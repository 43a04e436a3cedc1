// The simulated palette display on the web: not yet shown.
#include "platform/standin/gdi/gdi_state.h"

PALETTEENTRY pixel_value_colour(int value)
{
    return PALETTEENTRY{static_cast<BYTE>((value & 7) * 255 / 7),
        static_cast<BYTE>((value >> 3 & 7) * 255 / 7), static_cast<BYTE>((value >> 6 & 3) * 255 / 3), 0};
}

void show_frame_in_palette_colours(const GdiDc*, WglContext*) { }
