// The pixel format request of each DisplayMode, and palette entries from the
// format's bit fields. No platform call is made here.
#include <gtest/gtest.h>

#include <cstring>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static PIXELFORMATDESCRIPTOR request_for(int32_t mode)
{
    PIXELFORMATDESCRIPTOR request;
    std::memset(&request, 0xCD, sizeof(request)); // every byte must be written
    fill_pixel_format_request(mode, &request);
    return request;
}

TEST(PixelFormatRequest, WholeDescriptorForTheMainModesThenTheFieldOfEachFlag)
{
    auto same = [](PIXELFORMATDESCRIPTOR a, PIXELFORMATDESCRIPTOR b) {
        return !std::memcmp(&a, &b, sizeof a);
    };
    PIXELFORMATDESCRIPTOR expected = {};
    expected.nSize = 40;
    expected.nVersion = 1;
    expected.dwFlags = 0x24;
    expected.iPixelType = PFD_TYPE_RGBA;
    expected.cColorBits = 24;
    expected.iLayerType = PFD_MAIN_PLANE;
    // Bits without meaning change nothing.
    for (int32_t mode : {0, 0x4, 0x80, 0x84, 0x400, int32_t{DISPLAY_OWN_STATIC_COLOURS}, 0x7FFF0000})
        EXPECT_TRUE(same(request_for(mode), expected)) << "mode " << mode;
    expected.dwFlags = 0x25;
    expected.cDepthBits = 16;
    EXPECT_TRUE(same(request_for(258), expected));
    expected.iPixelType = PFD_TYPE_COLORINDEX;
    expected.cColorBits = 8;
    expected.cAlphaBits = 8;
    expected.cAccumBits = 16;
    EXPECT_TRUE(same(request_for(258 | DISPLAY_INDEX | DISPLAY_ACCUM | DISPLAY_ALPHA), expected));
    EXPECT_EQ(request_for(DISPLAY_DEPTH).cDepthBits, 24);
    EXPECT_EQ(request_for(DISPLAY_DEPTH | DISPLAY_DEPTH16).cDepthBits, 16);
    EXPECT_EQ(request_for(DISPLAY_STENCIL).cStencilBits, 4);
    EXPECT_EQ(request_for(DISPLAY_ACCUM).cAccumBits, 24);
    EXPECT_EQ(request_for(DISPLAY_ACCUM | DISPLAY_ALPHA).cAccumBits, 32);
    EXPECT_EQ(request_for(DISPLAY_INDEX | DISPLAY_ACCUM).cAccumBits, 8);
    EXPECT_EQ(request_for(DISPLAY_ALPHA).cAccumBits, 0);
}

TEST(IndexToIntensity, LevelTablesUpToThreeBitsOtherwiseTheLowBitsAndZeroPastTheIndex)
{
    EXPECT_EQ(index_to_intensity(1 << 6, 2, 6), 116);
    EXPECT_EQ(index_to_intensity((5 << 3) | 0xC7, 3, 3), 200);
    EXPECT_EQ(index_to_intensity(0xAB, 4, 4), 0x0A);
    EXPECT_EQ(index_to_intensity(300, 9, 0), 44);
    for (int shift : {31, 32, 200}) EXPECT_EQ(index_to_intensity(255, 3, shift), 0) << shift;
}

TEST(DefaultColourFit, ExactMatchesFirstThenTheNearestFreeEntryWithTiesToTheLowerIndex)
{
    PALETTEENTRY entries[256], colours[20];
    for (PALETTEENTRY& entry : entries) entry = {200, 200, 200, 0};
    for (PALETTEENTRY& colour : colours) colour = {200, 200, 200, 0};
    entries[10] = entries[30] = {10, 10, 10, 0};
    entries[20] = {10, 10, 12, 0}; // as near to (10, 10, 11) as entries 10 and 30
    colours[0] = {10, 10, 11, 0};
    colours[1] = {10, 10, 10, 1}; // a stale flag does not count
    int slots[20];
    match_default_colours(entries, colours, slots);
    EXPECT_EQ(slots[1], 10);
    EXPECT_EQ(slots[0], 20);
    // The exact pass ignores what is taken: every grey gets entry 0.
    for (int k = 2; k < 20; k++) EXPECT_EQ(slots[k], 0);
    for (PALETTEENTRY& colour : colours) EXPECT_EQ(colour.peFlags, 0);
    for (PALETTEENTRY& entry : entries) EXPECT_EQ(entry.peFlags, PC_NOCOLLAPSE);
}

// Red, green and blue: bits, then shift.
static PIXELFORMATDESCRIPTOR layout(BYTE r, BYTE r_at, BYTE g, BYTE g_at, BYTE b, BYTE b_at)
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

TEST(FillPaletteEntries, FourAndFiveBitFormatsFillOnlyTheirEntries)
{
    toolkit_state.owns_static_colours = 1; // frees the ends of 256-entry palettes only
    PIXELFORMATDESCRIPTOR format = layout(1, 0, 2, 1, 1, 3);
    PALETTEENTRY entries[65];
    std::memset(entries, 0xEE, sizeof(entries));
    fill_palette_entries(&format, entries, 16);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(RGB(entries[i].peRed, 0, entries[i].peBlue), RGB(i & 1 ? 255 : 0, 0, i & 8 ? 255 : 0));
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE);
    }
    EXPECT_EQ(entries[4].peGreen, 191);
    EXPECT_EQ(entries[16].peFlags, 0xEE);
    format = layout(5, 0, 0, 0, 0, 0);
    fill_palette_entries(&format, entries, 64);
    EXPECT_EQ(entries[37].peRed, 37);
    EXPECT_EQ(entries[37].peGreen, 37); // no bits: the low 8 bits of the index
    EXPECT_EQ(entries[64].peFlags, 0xEE);
}

TEST(FillPaletteEntries, OtherEightBitLayoutsAndOwnedStaticColoursGetNoDefaults)
{
    PIXELFORMATDESCRIPTOR format = layout(3, 5, 3, 2, 2, 0);
    PALETTEENTRY entries[256];
    fill_palette_entries(&format, entries, 256);
    for (int i = 0; i < 256; i++) EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
    EXPECT_EQ(RGB(entries[0xB5].peRed, entries[0xB5].peGreen, entries[0xB5].peBlue), RGB(200, 200, 116));
    // Owned: entries 0 and 255 are left free for the system's black and white.
    toolkit_state.owns_static_colours = 1;
    format = layout(3, 0, 3, 3, 2, 6);
    fill_palette_entries(&format, entries, 256);
    for (int i = 0; i < 256; i++) EXPECT_EQ(entries[i].peFlags, i % 255 ? PC_NOCOLLAPSE : 0) << i;
    EXPECT_EQ(RGB(entries[3].peRed, entries[3].peGreen, entries[3].peBlue), RGB(139, 0, 0)); // not 128
}
