// The palette arithmetic: pixel format requests, entries, the default-colour fit, registry colours.
#include <algorithm>
#include <cstring>
#include <tuple>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/support/fresh_state.h"
#include "toolkit/toolkit.h"

// Red, green and blue: bits, then shift.
static PIXELFORMATDESCRIPTOR layout(BYTE r, BYTE r_at, BYTE g, BYTE g_at, BYTE b, BYTE b_at)
{
    return {0, 0, 0, 0, 0, r, r_at, g, g_at, b, b_at, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

static const auto colour_of = [](const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); };

// How many of the 256 entries are flagged PC_NOCOLLAPSE.
static const auto uncollapsed = [](const PALETTEENTRY* entries) {
    return std::count_if(entries, entries + 256, [](PALETTEENTRY e) { return e.peFlags == PC_NOCOLLAPSE; });
};

// Every field of the 40-byte request, every other byte zero; bits without a meaning change nothing.
TEST(PalettePixelFormat, EachDisplayModeMakesItsRequest)
{
    using Row = std::tuple<int32_t, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE>;
    const BYTE SINGLE = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL, DOUBLE = SINGLE | PFD_DOUBLEBUFFER;
    const Row rows[] = {{0, SINGLE, PFD_TYPE_RGBA, 24, 0, 0, 0, 0},
        {0x4, SINGLE, PFD_TYPE_RGBA, 24, 0, 0, 0, 0},
        {0x80 | 0x400 | DISPLAY_OWN_STATIC_COLOURS | 0x7FFF0000, SINGLE, PFD_TYPE_RGBA, 24, 0, 0, 0, 0},
        {258, DOUBLE, PFD_TYPE_RGBA, 24, 0, 0, 16, 0},
        {258 | DISPLAY_INDEX | DISPLAY_ACCUM | DISPLAY_ALPHA, DOUBLE, PFD_TYPE_COLORINDEX, 8, 8, 16, 16, 0},
        {DISPLAY_DEPTH | DISPLAY_STENCIL, SINGLE, PFD_TYPE_RGBA, 24, 0, 0, 24, 4},
        {DISPLAY_DEPTH | DISPLAY_DEPTH16 | DISPLAY_ACCUM, SINGLE, PFD_TYPE_RGBA, 24, 0, 24, 16, 0},
        {DISPLAY_ACCUM | DISPLAY_ALPHA, SINGLE, PFD_TYPE_RGBA, 24, 8, 32, 0, 0},
        {DISPLAY_INDEX | DISPLAY_ACCUM, SINGLE, PFD_TYPE_COLORINDEX, 8, 0, 8, 0, 0}};
    for (auto [mode, flags, type, colour, alpha, accumulation, depth, stencil] : rows) {
        const PIXELFORMATDESCRIPTOR expected = {40, 1, flags, type, colour, 0, 0, 0, 0, 0, 0, alpha, 0,
            accumulation, 0, 0, 0, 0, depth, stencil, 0, 0, 0, 0, 0, 0};
        PIXELFORMATDESCRIPTOR request;
        std::memset(&request, 0xCD, sizeof(request));
        fill_pixel_format_request(mode, &request);
        EXPECT_EQ(std::memcmp(&request, &expected, sizeof request), 0) << "mode " << mode;
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

// Small palettes get computed entries only, whatever the static colours.
TEST_F(PaletteEntries, SmallPalettesAreComputedFromTheFields)
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
}

// 3-3-2: the 20 default colours in their slots, every other entry computed;
// the built-in colours (the same) while the stock palette cannot be read.
TEST_F(PaletteEntries, TheDefaultColoursAreFittedIntoThreeThreeTwoPalettes)
{
    PALETTEENTRY entries[256], stock[20];
    const int slots[20] = {
        0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91, 7, 56, 63, 192, 199, 248, 255};
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, stock), 20u);
    PIXELFORMATDESCRIPTOR format = layout(3, 0, 3, 3, 2, 6);
    for (bool stock_readable : {false, true}) { // the built-in ones first, as the reset left them
        SCOPED_TRACE(stock_readable ? "stock palette read" : "built-in colours");
        if (!stock_readable) standin_fail_next("GetPaletteEntries", 1);
        fill_palette_entries(&format, entries, 256);
        EXPECT_TRUE(std::equal(slots, slots + 20, default_colour_slots));
        for (int i = 0; i < 256; i++) {
            const int* slot = std::find(slots, slots + 20, i);
            bool fitted = slot != slots + 20;
            EXPECT_EQ(std::pair(colour_of(entries[i]), int{entries[i].peFlags}),
                std::pair(fitted ? colour_of(stock[slot - slots])
                                 : RGB(index_to_intensity(i, 3, 0), index_to_intensity(i, 3, 3),
                                       index_to_intensity(i, 2, 6)),
                    fitted ? 0 : PC_NOCOLLAPSE))
                << "entry " << i;
        }
    }
}

// 3-3-2 with owned static colours frees entries 0 and 255; other 8-bit layouts
// get every entry computed.
TEST_F(PaletteEntries, OwnedStaticColoursOrOtherLayoutsLeaveNoDefaultColours)
{
    PALETTEENTRY entries[256];
    PIXELFORMATDESCRIPTOR format = layout(3, 0, 3, 3, 2, 6);
    toolkit_state.owns_static_colours = 1;
    fill_palette_entries(&format, entries, 256);
    for (int i = 0; i < 256; i++) EXPECT_EQ(entries[i].peFlags, i % 255 ? PC_NOCOLLAPSE : 0) << i;
    toolkit_state.owns_static_colours = 0;
    for (PIXELFORMATDESCRIPTOR other : {layout(3, 5, 3, 2, 2, 0), layout(3, 1, 3, 3, 2, 6),
             layout(3, 0, 3, 4, 2, 6), layout(3, 0, 3, 3, 2, 5), layout(2, 0, 3, 3, 2, 6),
             layout(3, 0, 2, 3, 2, 6), layout(3, 0, 3, 3, 3, 6)}) {
        fill_palette_entries(&other, entries, 256);
        EXPECT_EQ(uncollapsed(entries), 256);
    }
}

// Exact matches first, taken or not, then the nearest free entry, ties to the lower index; marks cleared.
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
    EXPECT_EQ(uncollapsed(entries), 256);
}

TEST(PaletteFit, RegistryColoursAreThreeDecimalNumbersTheirLowEightBits)
{
    const std::tuple<const char*, bool, COLORREF> rows[] = {{"255 0 128", true, RGB(255, 0, 128)},
        {"300 20 10", true, RGB(44, 20, 10)}, {" -1 256\t511 trailing", true, RGB(255, 0, 255)},
        {"12 34", false, 7}, {"a 1 2", false, 7}, {"+2-3 9223372036854775808", true, RGB(2, 253, 0)},
        {"-9223372036854775809 1 1", true, RGB(255, 1, 1)}};
    for (auto [text, parsed, rgb] : rows) {
        COLORREF colour = 7;
        EXPECT_EQ(std::pair(parse_registry_colour(text, &colour), colour), std::pair(parsed, rgb)) << text;
    }
}
