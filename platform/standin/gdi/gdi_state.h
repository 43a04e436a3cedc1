// What the stand-in's GDI and WGL files share: their state in one record
// (device contexts, palette objects, the system palette, the simulated palette
// display, rendering contexts) and the functions one file offers another.
#pragma once

#include "platform/standin/drivers/driver.h"
#include "platform/standin/win32_gdi.h"

const int MAX_DCS = 64;
const int MAX_PALETTES = 64;
const int MAX_PALETTE_ENTRIES = 1024; // the largest logical palette CreatePalette accepts
const int MAX_CONTEXTS = 16;

// A device context. A window whose class has CS_OWNDC keeps its own for its
// whole life; any other window's come from GetDC or BeginPaint and die at
// ReleaseDC or EndPaint. The pixel format belongs to the window, not here.
// The last realisation on it decides which system entry each 8-bit pixel
// value shows on the palette display.
struct GdiDc {
    HDC handle;
    HWND window;
    HPALETTE palette; // selected; DEFAULT_PALETTE at first
    bool background;  // the palette was selected forced to the background
    bool own;
    bool realised;
    BYTE shown_entry[256];
};

struct GdiPalette {
    HPALETTE handle;
    bool stock;
    int count;
    PALETTEENTRY entries[MAX_PALETTE_ENTRIES];
};

// What a context keeps to show frames in palette colours: a texture the size
// of the window and a framebuffer to blit it from (GL names, 0 until needed).
struct PalettePass {
    unsigned int texture;
    unsigned int framebuffer;
    int width;
    int height;
};

// A rendering context belongs to the pixel format it was made for.
struct WglContext {
    HGLRC handle;
    DriverContext* context;
    int pixel_format;
    PalettePass palette_pass;
};

struct GdiState {
    GdiDc dcs[MAX_DCS];
    uintptr_t next_dc_serial;
    GdiPalette palettes[MAX_PALETTES]; // slot 0 is the stock DEFAULT_PALETTE
    uintptr_t next_palette_serial;
    // The 256-entry system palette, which entries a logical palette claimed
    // since the last foreground realisation, and its use: SYSPAL_STATIC,
    // SYSPAL_NOSTATIC or SYSPAL_NOSTATIC256.
    PALETTEENTRY system_palette[256];
    bool system_entry_claimed[256];
    UINT system_palette_use;
    // The simulated palette display: 8-bit 3-3-2 formats needing a palette
    // (and the system palette too, when asked).
    bool palette_display;
    bool palette_display_needs_system_palette;
    WglContext contexts[MAX_CONTEXTS];
    uintptr_t next_context_serial;
    HGLRC current_context;
    HDC current_dc;
};

extern GdiState gdi_state;

// Every object gone but the stock ones, the system palette in static use with
// the standard colours, and the palette display as ROLLBOX_PALETTE_DISPLAY
// asks (1: palette display; system: one that needs the system palette too).
void reset_gdi_state();

// device_contexts.cpp: the record of a live device context, or null; the
// pixel format of its window (0 for none).
GdiDc* dc_record(HDC dc);
int dc_pixel_format(const GdiDc* dc);
bool palette_is_selected(HPALETTE palette);

// gdi_objects.cpp: the palette object behind a handle, or null; the stock
// palette; the 20 static colours (the first 10 and the last 10 of it).
GdiPalette* palette_record(HGDIOBJ object);
HPALETTE stock_default_palette();
const PALETTEENTRY* standard_colours();
GdiPalette stock_palette_object();

// system_palette.cpp: changing the system palette's use puts the
// static colours in or out of it; the entry of the nearest colour in a list.
void change_system_palette_use(UINT use);
void put_fixed_colours(PALETTEENTRY entries[256], UINT use);
int nearest_colour(const PALETTEENTRY* entries, int count, const PALETTEENTRY& colour);

// palette_values.cpp: the colour an 8-bit 3-3-2 pixel value stands for; the
// colour it shows on the window of a device context (its system entry's,
// through the context's last realisation or else the default palette); the
// size of the frame GL drew for that window, when the context current is
// the window's own.
PALETTEENTRY pixel_value_colour(int value);
PALETTEENTRY shown_colour(const GdiDc* dc, int value);
bool palette_frame_size(const GdiDc* dc, PixelSize* size);

// palette_display.cpp (on the web, drivers/web/gl/palette_display.cpp): the
// frame GL drew in full colour with the current context turned, before the
// swap, into what the palette display shows of it.
void show_frame_in_palette_colours(const GdiDc* dc, WglContext* current);
