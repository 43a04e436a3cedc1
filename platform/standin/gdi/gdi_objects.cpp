// GDI objects: logical palettes and the stock objects (the brushes and
// DEFAULT_PALETTE with the 20 standard colours). Stock objects are never
// deleted; deleting one does nothing and succeeds, as on Windows.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/internal.h"

#include <cstring>

static const uintptr_t PALETTE_HANDLE_BASE = 0x30000000;
static const uintptr_t STOCK_HANDLE_BASE = 0x00900000;

static const PALETTEENTRY STANDARD_COLOURS[20] = {
    {0, 0, 0, 0},
    {128, 0, 0, 0},
    {0, 128, 0, 0},
    {128, 128, 0, 0},
    {0, 0, 128, 0},
    {128, 0, 128, 0},
    {0, 128, 128, 0},
    {192, 192, 192, 0},
    {192, 220, 192, 0},
    {166, 202, 240, 0},
    {255, 251, 240, 0},
    {160, 160, 164, 0},
    {128, 128, 128, 0},
    {255, 0, 0, 0},
    {0, 255, 0, 0},
    {255, 255, 0, 0},
    {0, 0, 255, 0},
    {255, 0, 255, 0},
    {0, 255, 255, 0},
    {255, 255, 255, 0},
};

static HGDIOBJ stock_handle(int object)
{
    return reinterpret_cast<HGDIOBJ>(STOCK_HANDLE_BASE | static_cast<uintptr_t>(object));
}

static bool is_stock_brush(HGDIOBJ object)
{
    for (int brush = WHITE_BRUSH; brush <= NULL_BRUSH; brush++)
        if (object == stock_handle(brush)) return true;
    return false;
}

GdiPalette stock_palette_object()
{
    GdiPalette stock{};
    stock.handle = static_cast<HPALETTE>(stock_handle(DEFAULT_PALETTE));
    stock.stock = true;
    stock.count = 20;
    std::memcpy(stock.entries, STANDARD_COLOURS, sizeof STANDARD_COLOURS);
    return stock;
}

const PALETTEENTRY* standard_colours()
{
    return STANDARD_COLOURS;
}

HPALETTE stock_default_palette()
{
    return gdi_state.palettes[0].handle;
}

GdiPalette* palette_record(HGDIOBJ object)
{
    if (object == nullptr) return nullptr;
    for (GdiPalette& palette : gdi_state.palettes)
        if (palette.handle != nullptr && palette.handle == object) return &palette;
    return nullptr;
}

HGDIOBJ WINAPI GetStockObject(int object)
{
    if (!platform_call("GetStockObject")) return nullptr;
    if (object == DEFAULT_PALETTE) return stock_default_palette();
    if (object >= WHITE_BRUSH && object <= NULL_BRUSH) return stock_handle(object);
    return nullptr;
}

// A palette still selected into a device context is not deleted (FALSE), as
// Windows documents, so no context is left pointing at a dead palette.
BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    if (!platform_call("DeleteObject")) return FALSE;
    if (is_stock_brush(object)) return TRUE;
    GdiPalette* palette = palette_record(object);
    if (palette == nullptr) return FALSE;
    if (palette->stock) return TRUE;
    if (palette_is_selected(palette->handle)) return FALSE;
    palette->handle = nullptr;
    return TRUE;
}

// Copies the description; fails for a null description, no entries, or more
// than the stand-in keeps.
HPALETTE WINAPI CreatePalette(const LOGPALETTE* description)
{
    if (!platform_call("CreatePalette")) return nullptr;
    if (description == nullptr || description->palNumEntries == 0 ||
        description->palNumEntries > MAX_PALETTE_ENTRIES)
        return nullptr;
    for (int slot = 1; slot < MAX_PALETTES; slot++) {
        GdiPalette& palette = gdi_state.palettes[slot];
        if (palette.handle != nullptr) continue;
        palette.handle = reinterpret_cast<HPALETTE>(PALETTE_HANDLE_BASE | gdi_state.next_palette_serial++);
        palette.stock = false;
        palette.count = description->palNumEntries;
        // The entries follow the header in one block, as LOGPALETTE lays them out.
        std::memcpy(
            palette.entries, description->palPalEntry, sizeof(PALETTEENTRY) * description->palNumEntries);
        return palette.handle;
    }
    return nullptr;
}

// With no buffer, gives the number of entries, as Windows does.
UINT WINAPI GetPaletteEntries(HPALETTE handle, UINT start, UINT count, LPPALETTEENTRY entries)
{
    if (!platform_call("GetPaletteEntries")) return 0;
    GdiPalette* palette = palette_record(handle);
    if (palette == nullptr) return 0;
    UINT size = static_cast<UINT>(palette->count);
    if (entries == nullptr) return size;
    if (start >= size) return 0;
    if (count > size - start) count = size - start;
    std::memcpy(entries, palette->entries + start, sizeof(PALETTEENTRY) * count);
    return count;
}

// A palette's next realisation maps it afresh; the stand-in maps every
// realisation afresh, so this only checks the object.
BOOL WINAPI UnrealizeObject(HGDIOBJ object)
{
    if (!platform_call("UnrealizeObject")) return FALSE;
    return palette_record(object) != nullptr || is_stock_brush(object) ? TRUE : FALSE;
}
