// Placing the 20 default system colours into a 3-3-2 palette, each on the
// entry that shows it best, so that other windows keep their colours.
#include "palette/palette.h"

// The standard 20 until the stock palette has been read once.
PALETTEENTRY default_colours[STATIC_COLOUR_COUNT] = {
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
int default_colour_slots[STATIC_COLOUR_COUNT];

// Above the largest possible distance, 3 * 255 * 255.
static const int distance_bound = 0x30001;

static int squared_distance(const PALETTEENTRY* a, const PALETTEENTRY* b)
{
    int red = a->peRed - b->peRed;
    int green = a->peGreen - b->peGreen;
    int blue = a->peBlue - b->peBlue;
    return red * red + green * green + blue * blue;
}

static bool same_colour(const PALETTEENTRY* a, const PALETTEENTRY* b)
{
    return a->peRed == b->peRed && a->peGreen == b->peGreen && a->peBlue == b->peBlue;
}

void match_default_colours(PALETTEENTRY* entries, PALETTEENTRY* colours, int* slots)
{
    bool matched[STATIC_COLOUR_COUNT] = {};
    bool taken[PALETTE_SIZE] = {};
    // Exact matches first, the lowest index winning; taken entries are not skipped here.
    for (int k = 0; k < STATIC_COLOUR_COUNT; k++) {
        for (int i = 0; i < PALETTE_SIZE; i++) {
            if (same_colour(&entries[i], &colours[k])) {
                matched[k] = true;
                taken[i] = true;
                slots[k] = i;
                break;
            }
        }
    }
    // Then the nearest free entry for each colour left; a tie keeps the lower index.
    for (int k = 0; k < STATIC_COLOUR_COUNT; k++) {
        if (matched[k]) continue;
        int best = 0;
        int best_distance = distance_bound;
        for (int i = 0; i < PALETTE_SIZE; i++) {
            if (taken[i]) continue;
            int distance = squared_distance(&entries[i], &colours[k]);
            if (distance < best_distance) {
                best_distance = distance;
                best = i;
            }
        }
        slots[k] = best;
        taken[best] = true;
    }
    for (int k = 0; k < STATIC_COLOUR_COUNT; k++) colours[k].peFlags = 0;
    for (int i = 0; i < PALETTE_SIZE; i++) entries[i].peFlags = PC_NOCOLLAPSE;
}

void fit_default_colours(PALETTEENTRY* entries)
{
    PALETTEENTRY stock[STATIC_COLOUR_COUNT];
    HPALETTE stock_palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    // A failed read keeps the colours of the last one.
    if (stock_palette != nullptr &&
        GetPaletteEntries(stock_palette, 0, STATIC_COLOUR_COUNT, stock) == STATIC_COLOUR_COUNT) {
        for (int k = 0; k < STATIC_COLOUR_COUNT; k++) default_colours[k] = stock[k];
    }
    match_default_colours(entries, default_colours, default_colour_slots);
}
