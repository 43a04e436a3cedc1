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
// with force_background FALSE is realised in the foreground. The context
// keeps the system entry each of the first 256 logical entries went to; a
// pixel value past a shorter palette's end goes where the entry nearest its
// colour went.
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

int nearest_colour(const PALETTEENTRY* entries, int count, const PALETTEENTRY& colour)
{
    int best = 0;
    int best_distance = 3 * 255 * 255 + 1;
    for (int i = 0; i < count; i++) {
        int red = entries[i].peRed - colour.peRed;
        int green = entries[i].peGreen - colour.peGreen;
        int blue = entries[i].peBlue - colour.peBlue;
        int distance = red * red + green * green + blue * blue;
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

// The system entry a logical entry goes to. An explicit entry's low word
// names it; of 256 entries that is its low byte.
static int map_entry(const PALETTEENTRY& entry, bool foreground, UINT* changed)
{
    if (entry.peFlags & PC_EXPLICIT) return entry.peRed;
    bool own_entry = foreground && (entry.peFlags & (PC_RESERVED | PC_NOCOLLAPSE)) != 0;
    int found = own_entry ? -1 : find_colour(entry);
    if (found < 0) found = claim_free(entry, changed);
    // No free entry left: the nearest colour is used and nothing changes.
    return found >= 0 ? found : nearest_colour(gdi_state.system_palette, 256, entry);
}

static UINT realise(GdiDc* dc, const GdiPalette* palette, bool foreground)
{
    if (foreground)
        for (bool& claimed : gdi_state.system_entry_claimed) claimed = false;
    UINT changed = 0;
    for (int i = 0; i < palette->count; i++) {
        int entry = map_entry(palette->entries[i], foreground, &changed);
        if (i < 256) dc->shown_entry[i] = static_cast<BYTE>(entry);
    }
    for (int value = palette->count; value < 256; value++)
        dc->shown_entry[value] =
            dc->shown_entry[nearest_colour(palette->entries, palette->count, pixel_value_colour(value))];
    dc->realised = true;
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
    UINT changed = realise(record, palette, foreground);
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
