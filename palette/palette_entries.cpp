// One palette entry per pixel value, from the format's red, green and blue fields.
#include "palette/palette.h"
#include "toolkit/toolkit.h"

static const BYTE levels_1bit[2] = {0, 255};
static const BYTE levels_2bit[4] = {0, 116, 191, 255};
static const BYTE levels_3bit[8] = {0, 63, 104, 139, 171, 200, 229, 255};

BYTE index_to_intensity(int index, int bits, int shift)
{
    // A shift past the width of the index leaves nothing of it.
    unsigned value = (shift >= 0 && shift < 32) ? static_cast<unsigned>(index) >> shift : 0u;
    switch (bits) {
    case 1:
        return levels_1bit[value & 1];
    case 2:
        return levels_2bit[value & 3];
    case 3:
        return levels_3bit[value & 7];
    default:
        return static_cast<BYTE>(value & 0xFF);
    }
}

static bool is_layout_332(const PIXELFORMATDESCRIPTOR* descriptor)
{
    return descriptor->cRedBits == 3 && descriptor->cRedShift == 0 && descriptor->cGreenBits == 3 &&
        descriptor->cGreenShift == 3 && descriptor->cBlueBits == 2 && descriptor->cBlueShift == 6;
}

void fill_palette_entries(const PIXELFORMATDESCRIPTOR* descriptor, PALETTEENTRY* entries, int count)
{
    if (entries == nullptr) return;
    for (int i = 0; i < count; i++) {
        entries[i].peRed = index_to_intensity(i, descriptor->cRedBits, descriptor->cRedShift);
        entries[i].peGreen = index_to_intensity(i, descriptor->cGreenBits, descriptor->cGreenShift);
        entries[i].peBlue = index_to_intensity(i, descriptor->cBlueBits, descriptor->cBlueShift);
        entries[i].peFlags = PC_NOCOLLAPSE;
    }
    if (count != PALETTE_SIZE) return;
    if (toolkit_state.owns_static_colours) {
        // Left free to map to the system's black and white.
        entries[0].peFlags = 0;
        entries[PALETTE_SIZE - 1].peFlags = 0;
        return;
    }
    if (!is_layout_332(descriptor)) return;
    fit_default_colours(entries);
    for (int k = 0; k < STATIC_COLOUR_COUNT; k++) entries[default_colour_slots[k]] = default_colours[k];
}
