// The logical palette of a palette display, built from the pixel format in force.
#include <cstddef>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static SIZE_T description_size(int count)
{
    return offsetof(LOGPALETTE, palPalEntry) + static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY);
}

HPALETTE build_logical_palette(HDC dc)
{
    if (toolkit_state.toolkit_palette != nullptr) return toolkit_state.toolkit_palette;

    PIXELFORMATDESCRIPTOR format;
    if (describe_current_pixel_format(dc, &format) == 0) return nullptr;
    if (format.iPixelType != PFD_TYPE_RGBA || !(format.dwFlags & PFD_NEED_PALETTE)) return nullptr;
    // Beyond 8 bits a palette of 2^bits entries makes no sense (and from 32 on
    // the count is not even defined).
    if (format.cColorBits > 8) return nullptr;

    toolkit_state.owns_static_colours = ((format.dwFlags & PFD_NEED_SYSTEM_PALETTE) ||
                                            (toolkit_state.window_display_mode & DISPLAY_OWN_STATIC_COLOURS))
        ? 1
        : 0;
    int count = 1 << format.cColorBits;

    LOGPALETTE* description = static_cast<LOGPALETTE*>(alloc_local_block(description_size(count)));
    if (description == nullptr) return nullptr;
    description->palVersion = LOGPALETTE_VERSION;
    description->palNumEntries = static_cast<WORD>(count);
    fill_palette_entries(&format, description->palPalEntry, count);
    toolkit_state.toolkit_palette = CreatePalette(description);
    free_local_block(description);
    if (toolkit_state.toolkit_palette == nullptr) return nullptr;

    reset_system_palette(dc, count);
    // A rebuild while the window is inactive (after the give-back's own
    // WM_SYSCOLORCHANGE) must not take the static colours over again; the
    // next activation realises in the foreground.
    int background = 0;
    if (toolkit_state.owns_static_colours && GetActiveWindow() != toolkit_state.toolkit_window)
        background = 1;
    realise_palette(dc, toolkit_state.toolkit_palette, background);
    return toolkit_state.toolkit_palette;
}

// Realises an all-black palette of reserved entries, so that the next
// realisation starts from an empty system palette.
void reset_system_palette(HDC dc, int count)
{
    if (count != PALETTE_SIZE) return;
    LOGPALETTE* description =
        static_cast<LOGPALETTE*>(alloc_zeroed_local_block(description_size(PALETTE_SIZE)));
    if (description == nullptr) return;
    description->palVersion = LOGPALETTE_VERSION;
    description->palNumEntries = PALETTE_SIZE;
    PALETTEENTRY* entries = description->palPalEntry;
    for (int i = 0; i < PALETTE_SIZE; i++) entries[i].peFlags = PC_RESERVED | PC_NOCOLLAPSE;
    HPALETTE flush = CreatePalette(description);
    free_local_block(description);
    if (flush == nullptr) return;
    HPALETTE previous = SelectPalette(dc, flush, FALSE);
    RealizePalette(dc);
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
    DeleteObject(flush);
}
