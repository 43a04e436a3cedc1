// What the stand-in's GDI and WGL files share: device context records, palette
// objects and the simulated palette display.
#pragma once

#include "platform/standin/win32_gdi.h"

struct GdiDc {
    HDC handle;
    HWND window;
    int pixel_format; // 0 until SetPixelFormat
    HPALETTE palette; // selected; DEFAULT_PALETTE at first
    bool background;  // the palette was selected forced to the background
};

// The record of a live window's device context, or null.
GdiDc* dc_record(HDC dc);
bool palette_is_selected(HPALETTE palette);

struct GdiPalette {
    HPALETTE handle;
    bool stock;
    int count;
    PALETTEENTRY entries[1024];
};

// The largest logical palette CreatePalette accepts.
const int MAX_PALETTE_ENTRIES = 1024;

// The palette object behind a handle, or null.
GdiPalette* palette_record(HGDIOBJ object);
HPALETTE stock_default_palette();
// The 20 static colours: the first 10 and the last 10 of the stock palette.
const PALETTEENTRY* standard_colours();

// The 256-entry system palette and its use (SYSPAL_STATIC, SYSPAL_NOSTATIC
// or SYSPAL_NOSTATIC256); changing the use puts the static colours in or out.
UINT system_palette_use();
void change_system_palette_use(UINT use);
void copy_system_palette(PALETTEENTRY entries[256]);

// The simulated palette display, from standin_set_palette_display or, until
// that is called, ROLLBOX_PALETTE_DISPLAY (1: palette display; system: also
// PFD_NEED_SYSTEM_PALETTE).
bool palette_display_on();
bool palette_display_needs_system_palette();
