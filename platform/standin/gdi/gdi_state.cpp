// The GDI side's state, ready before the program starts.
#include <cstdlib>
#include <cstring>

#include "platform/standin/gdi/gdi_state.h"

static GdiState start_state()
{
    GdiState state{};
    state.next_dc_serial = 1;
    state.next_palette_serial = 1;
    state.next_context_serial = 1;
    state.palettes[0] = stock_palette_object();
    state.system_palette_use = SYSPAL_STATIC;
    put_fixed_colours(state.system_palette, SYSPAL_STATIC);
    const char* palette_display = std::getenv("ROLLBOX_PALETTE_DISPLAY");
    if (palette_display != nullptr) {
        state.palette_display_needs_system_palette = std::strcmp(palette_display, "system") == 0;
        state.palette_display =
            std::strcmp(palette_display, "1") == 0 || state.palette_display_needs_system_palette;
    }
    return state;
}

GdiState gdi_state = start_state();

void reset_gdi_state()
{
    gdi_state = start_state();
}
