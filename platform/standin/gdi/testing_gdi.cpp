// Testing controls for the GDI side: the display depth and the system palette
// with its use. (Reading pixels back is with the input controls.)
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"
#include "platform/standin/testing.h"

int standin_display_depth()
{
    return gdi_state.palette_display ? 8 : 24;
}

UINT standin_system_palette_use()
{
    return gdi_state.system_palette_use;
}

void standin_set_system_palette_use(UINT use)
{
    if (use == SYSPAL_STATIC || use == SYSPAL_NOSTATIC || use == SYSPAL_NOSTATIC256)
        change_system_palette_use(use);
}

void standin_system_palette(PALETTEENTRY entries[256])
{
    for (int i = 0; i < 256; i++) entries[i] = gdi_state.system_palette[i];
}
