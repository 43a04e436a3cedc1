// The palette code's arithmetic: the pixel format request of each DisplayMode,
// intensities and entries from a format's bit fields, the default-colour fit,
// and the registry's colour strings.
#include <algorithm>
#include <cstring>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "toolkit/toolkit.h"

namespace {

// Red, green and blue: bits, then shift.
PIXELFORMATDESCRIPTOR layout(BYTE r, BYTE r_at, BYTE g, BYTE g_at, BYTE b, BYTE b_at)
{
    PIXELFORMATDESCRIPTOR format = {};
    format.cRedBits = r;
    format.cRedShift = r_at;
    format.cGreenBits = g;
    format.cGreenShift = g_at;
    format.cBlueBits = b;
    format.cBlueShift = b_at;
    return format;
}

COLORREF colour_of(const PALETTEENTRY& entry)
{
    return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

} // namespace

// Every field of the 40-byte request, every other byte zero; bits without a
// meaning change nothing.
TEST(PalettePixelFormat, EachDisplayModeMakesItsRequest)
{
    struct Row {
        int32_t mode;
        BYTE flags, type, colour, alpha, accumulation, depth, stencil;
    };
    const Row rows[] = {{0, 0x24, PFD_TYPE_RGBA, 24, 0, 0, 0, 0}, {0x4, 0x24, PFD_TYPE_RGBA, 24, 0, 0, 0, 0},
        {0x80 | 0x400 | DISPLAY_OWN_STATIC_COLOURS | 0x7FFF0000, 0x24, PFD_TYPE_RGBA, 24, 0, 0, 0, 0},
        {258, 0x25, PFD_TYPE_RGBA, 24, 0, 0, 16, 0},
        {258 | DISPLAY_INDEX | DISPLAY_ACCUM | DISPLAY_ALPHA, 0x25, PFD_TYPE_COLORINDEX, 8, 8, 16, 16, 0},
        {DISPLAY_DEPTH | DISPLAY_STENCIL, 0x24, PFD_TYPE_RGBA, 24, 0, 0, 24, 4},
        {DISPLAY_DEPTH | DISPLAY_DEPTH16 | DISPLAY_ACCUM, 0x24, PFD_TYPE_RGBA, 24, 0, 24, 16, 0},
        {DISPLAY_ACCUM | DISPLAY_ALPHA, 0x24, PFD_TYPE_RGBA, 24, 8, 32, 0, 0},
        {DISPLAY_INDEX | DISPLAY_ACCUM, 0x24, PFD_TYPE_COLORINDEX, 8, 0, 8, 0, 0}};
    for (const Row& row : rows) {
        PIXELFORMATDESCRIPTOR expected = {};
        expected.nSize = 40;
        expected.nVersion = 1;
        expected.dwFlags = row.flags;
        expected.iPixelType = row.type;
        expected.cColorBits = row.colour;
        expected.cAlphaBits = row.alpha;
        expected.cAccumBits = row.accumulation;
        expected.cDepthBits = row.depth;
        expected.cStencilBits = row.stencil;
        PIXELFORMATDESCRIPTOR request;
        std::memset(&request, 0xCD, sizeof(request));
        fill_pixel_format_request(row.mode, &request);
        EXPECT_EQ(std::memcmp(&request, &expected, sizeof request), 0) << "mode " << row.mode;
    }
}

TEST(PalettePixelFormat, IntensitiesComeFromTheLevelTablesUpToThreeBitsOtherwiseFromTheLowBits)
{
    const BYTE levels[4][8] = {{}, {0, 255}, {0, 116, 191, 255}, {0, 63, 104, 139, 171, 200, 229, 255}};
    for (int bits = 1; bits <= 3; bits++)
        for (int value = 0; value < (1 << bits); value++)
            for (int shift : {0, 3, 6}) // bits above the field do not count
                EXPECT_EQ(index_to_intensity((value << shift) | (0xFF << (shift + bits)), bits, shift),
                    levels[bits][value])
                    << bits << " bits, value " << value << ", shift " << shift;
    EXPECT_EQ(std::vector<int>({index_to_intensity(0xAB, 4, 4), index_to_intensity(300, 9, 0),
                  index_to_intensity(37, 5, 0), index_to_intensity(37, 0, 0), index_to_intensity(255, 3, 31),
                  index_to_intensity(255, 3, 32), index_to_intensity(255, 3, 200)}),
        std::vector<int>({0x0A, 44, 37, 37, 0, 0, 0}));
}

using PaletteEntries = FreshState;

// Small palettes get their computed entries only. A 3-3-2 palette gets the
// twenty default colours on the entries that show them best (the standard
// ones when the stock palette cannot be read); owned static colours leave only
// entries 0 and 255 free instead; other 8-bit layouts keep every entry.
TEST_F(PaletteEntries, ComputedFromTheFieldsWithTheDefaultColoursFittedIn)
{
    toolkit_state.owns_static_colours = 1; // frees the ends of 256-entry palettes only
    PALETTEENTRY entries[256];
    std::memset(entries, 0xEE, sizeof(entries));
    PIXELFORMATDESCRIPTOR format = layout(1, 0, 2, 1, 1, 3);
    fill_palette_entries(&format, entries, 16);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(std::pair(colour_of(entries[i]), int{entries[i].peFlags}),
            std::pair(RGB(i & 1 ? 255 : 0, index_to_intensity(i, 2, 1), i & 8 ? 255 : 0), PC_NOCOLLAPSE));
    EXPECT_EQ(entries[16].peFlags, 0xEE);
    fill_palette_entries(&format, nullptr, 16);

    const int slots[20] = {
        0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91, 7, 56, 63, 192, 199, 248, 255};
    const COLORREF standard[20] = {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0),
        RGB(0, 0, 128), RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(192, 220, 192),
        RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),
        RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255),
        RGB(255, 255, 255)};
    format = layout(3, 0, 3, 3, 2, 6);
    for (int stock_readable = 1; stock_readable >= 0; stock_readable--) {
        reset_everything();
        if (!stock_readable) standin_fail_next("GetPaletteEntries", 1);
        fill_palette_entries(&format, entries, 256);
        EXPECT_TRUE(std::equal(slots, slots + 20, default_colour_slots));
        for (int i = 0; i < 256; i++) {
            const int* slot = std::find(slots, slots + 20, i);
            bool fitted = slot != slots + 20;
            EXPECT_EQ(std::pair(colour_of(entries[i]), int{entries[i].peFlags}),
                std::pair(fitted ? standard[slot - slots]
                                 : RGB(index_to_intensity(i, 3, 0), index_to_intensity(i, 3, 3),
                                       index_to_intensity(i, 2, 6)),
                    fitted ? 0 : PC_NOCOLLAPSE))
                << "entry " << i;
        }
    }
    toolkit_state.owns_static_colours = 1;
    fill_palette_entries(&format, entries, 256);
    for (int i = 0; i < 256; i++) EXPECT_EQ(entries[i].peFlags, i % 255 ? PC_NOCOLLAPSE : 0) << i;
    EXPECT_EQ(colour_of(entries[3]), RGB(139, 0, 0)) << "no default colour";
    toolkit_state.owns_static_colours = 0;
    for (PIXELFORMATDESCRIPTOR other : {layout(3, 5, 3, 2, 2, 0), layout(3, 1, 3, 3, 2, 6),
             layout(3, 0, 3, 4, 2, 6), layout(3, 0, 3, 3, 2, 5), layout(2, 0, 3, 3, 2, 6),
             layout(3, 0, 2, 3, 2, 6), layout(3, 0, 3, 3, 3, 6)}) {
        fill_palette_entries(&other, entries, 256);
        EXPECT_EQ(
            std::count_if(entries, entries + 256, [](PALETTEENTRY e) { return e.peFlags == PC_NOCOLLAPSE; }),
            256);
    }
}

// Exact matches first, whether taken or not, then the nearest free entry, a
// tie going to the lower index; the marks are cleared afterwards.
TEST(PaletteFit, ExactMatchesFirstThenTheNearestFreeEntryWithTiesToTheLowerIndex)
{
    PALETTEENTRY entries[256], colours[20];
    std::fill(entries, entries + 256, PALETTEENTRY{200, 200, 200, 0});
    std::fill(colours, colours + 20, PALETTEENTRY{200, 200, 200, 0});
    entries[10] = entries[30] = {10, 10, 10, 0};
    entries[20] = {10, 10, 12, 0}; // as near to (10, 10, 11) as entries 10 and 30
    entries[40] = {255, 0, 0, 0};
    colours[0] = {10, 10, 11, 0};
    colours[1] = {10, 10, 10, 1}; // a stale flag does not count
    colours[2] = {250, 5, 0, 0};
    colours[3] = {0, 0, 1, 0}; // entry 10 is taken: 30 is next nearest
    int slots[20];
    match_default_colours(entries, colours, slots);
    EXPECT_EQ(std::vector<int>(slots, slots + 5), (std::vector<int>{20, 10, 40, 30, 0}));
    EXPECT_EQ(std::count(slots + 4, slots + 20, 0), 16) << "the exact pass ignores what is taken";
    EXPECT_EQ(std::count_if(colours, colours + 20, [](PALETTEENTRY c) { return c.peFlags == 0; }), 20);
    EXPECT_EQ(
        std::count_if(entries, entries + 256, [](PALETTEENTRY e) { return e.peFlags == PC_NOCOLLAPSE; }),
        256);
}

TEST(PaletteFit, RegistryColoursAreThreeDecimalNumbersTheirLowEightBits)
{
    struct Row {
        const char* text;
        bool parsed;
        COLORREF colour;
    };
    for (Row row : {Row{"255 0 128", true, 0x008000FF}, Row{"300 20 10", true, RGB(44, 20, 10)},
             Row{" -1 256\t511 trailing", true, 0x00FF00FF}, Row{"12 34", false, 7}, Row{"a 1 2", false, 7},
             Row{"+2-3 9223372036854775808", true, 0x0000FD02},
             Row{"-9223372036854775809 1 1", true, 0x000101FF}}) {
        COLORREF colour = 7;
        EXPECT_EQ(
            std::pair(parse_registry_colour(row.text, &colour), colour), std::pair(row.parsed, row.colour))
            << row.text;
    }
}
