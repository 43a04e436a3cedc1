// The system palette and realisation: SelectPalette, RealizePalette and the
// static / no-static use. The system palette has 256 entries; in static use the
// first 10 and last 10 hold the standard colours, in no-static use only entry 0
// (black) and 255 (white) are fixed, and in no-static-256 use none.
//
// Realisation maps each entry of the selected logical palette:
//  - PC_EXPLICIT entries name a system entry and change nothing;
//  - in the foreground, every entry not fixed is free again first (the
//    foreground palette has the first claim); PC_RESERVED and PC_NOCOLLAPSE
//    entries take the next free entry, other entries reuse an entry of the
//    same colour or else take the next free one;
//  - in the background nothing is freed and every entry reuses an entry of
//    the same colour first;
//  - with no free entry left, an entry maps to the nearest colour.
// The result is the number of system entries whose colour changed. The
// context's selection decides foreground or background: a palette selected
// with force_background FALSE is realised in the foreground.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"

static const UINT WM_PALETTECHANGED_MESSAGE = 0x0311;

static bool fixed_in(UINT use, int index)
{
    if (use == SYSPAL_STATIC) return index < 10 || index >= 246;
    if (use == SYSPAL_NOSTATIC) return index == 0 || index == 255;
    return false;
}

static bool fixed(int index)
{
    return fixed_in(gdi_state.system_palette_use, index);
}

void put_fixed_colours(PALETTEENTRY entries[256], UINT use)
{
    const PALETTEENTRY* standard = standard_colours();
    for (int i = 0; i < 256; i++) {
        if (!fixed_in(use, i)) continue;
        const PALETTEENTRY& colour = i < 10 ? standard[i] : standard[i - 236];
        entries[i] = PALETTEENTRY{colour.peRed, colour.peGreen, colour.peBlue, 0};
    }
}

void change_system_palette_use(UINT use)
{
    gdi_state.system_palette_use = use;
    put_fixed_colours(gdi_state.system_palette, use);
    for (int i = 0; i < 256; i++)
        if (fixed(i)) gdi_state.system_entry_claimed[i] = false;
}

static bool same_colour(const PALETTEENTRY& a, const PALETTEENTRY& b)
{
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

static int find_colour(const PALETTEENTRY& colour)
{
    for (int i = 0; i < 256; i++)
        if ((fixed(i) || gdi_state.system_entry_claimed[i]) &&
            same_colour(gdi_state.system_palette[i], colour))
            return i;
    return -1;
}

static int claim_free(const PALETTEENTRY& colour, UINT* changed)
{
    for (int i = 0; i < 256; i++) {
        if (fixed(i) || gdi_state.system_entry_claimed[i]) continue;
        gdi_state.system_entry_claimed[i] = true;
        if (!same_colour(gdi_state.system_palette[i], colour)) (*changed)++;
        gdi_state.system_palette[i] = PALETTEENTRY{colour.peRed, colour.peGreen, colour.peBlue, 0};
        return i;
    }
    return -1;
}

static void map_entry(const PALETTEENTRY& entry, bool foreground, UINT* changed)
{
    if (entry.peFlags & PC_EXPLICIT) return;
    bool own_entry = foreground && (entry.peFlags & (PC_RESERVED | PC_NOCOLLAPSE)) != 0;
    if (!own_entry && find_colour(entry) >= 0) return;
    // No free entry left: the nearest colour is used and nothing changes.
    claim_free(entry, changed);
}

static UINT realise(const GdiPalette* palette, bool foreground)
{
    if (foreground)
        for (bool& claimed : gdi_state.system_entry_claimed) claimed = false;
    UINT changed = 0;
    for (int i = 0; i < palette->count; i++) map_entry(palette->entries[i], foreground, &changed);
    return changed;
}

// Selecting makes no mapping; the previous palette is returned.
HPALETTE WINAPI SelectPalette(HDC dc, HPALETTE palette, BOOL force_background)
{
    if (!platform_call("SelectPalette")) return nullptr;
    GdiDc* record = dc_record(dc);
    if (record == nullptr || palette_record(palette) == nullptr) return nullptr;
    HPALETTE previous = record->palette;
    record->palette = palette;
    record->background = force_background != FALSE;
    return previous;
}

// A foreground realisation that changed the system palette tells every
// top-level window, with the context's window as wParam.
UINT WINAPI RealizePalette(HDC dc)
{
    if (!platform_call("RealizePalette")) return GDI_ERROR;
    GdiDc* record = dc_record(dc);
    if (record == nullptr) return GDI_ERROR;
    const GdiPalette* palette = palette_record(record->palette);
    if (palette == nullptr) return GDI_ERROR;
    bool foreground = !record->background;
    UINT changed = realise(palette, foreground);
    if (foreground && changed > 0)
        send_to_all_windows(WM_PALETTECHANGED_MESSAGE, reinterpret_cast<WPARAM>(record->window), 0);
    return changed;
}

// Returns the previous use, or SYSPAL_ERROR for a bad context or use.
UINT WINAPI SetSystemPaletteUse(HDC dc, UINT new_use)
{
    if (!platform_call("SetSystemPaletteUse")) return SYSPAL_ERROR;
    if (dc_record(dc) == nullptr) return SYSPAL_ERROR;
    if (new_use != SYSPAL_STATIC && new_use != SYSPAL_NOSTATIC && new_use != SYSPAL_NOSTATIC256)
        return SYSPAL_ERROR;
    UINT previous = gdi_state.system_palette_use;
    change_system_palette_use(new_use);
    return previous;
}

UINT WINAPI GetSystemPaletteUse(HDC dc)
{
    if (!platform_call("GetSystemPaletteUse")) return SYSPAL_ERROR;
    if (dc_record(dc) == nullptr) return SYSPAL_ERROR;
    return gdi_state.system_palette_use;
}
