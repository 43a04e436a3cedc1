// Palette entries from the format's bit fields, and the fit of the 20 default
// colours into a 3-3-2 palette. No platform call is made here.
#include <gtest/gtest.h>

#include <cstring>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static const PALETTEENTRY standard_colours[20] = {
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

static const int standard_slots[20] = {
    0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91, 7, 56, 63, 192, 199, 248, 255};

static PIXELFORMATDESCRIPTOR layout(
    int red_bits, int red_shift, int green_bits, int green_shift, int blue_bits, int blue_shift)
{
    PIXELFORMATDESCRIPTOR format;
    std::memset(&format, 0, sizeof(format));
    format.cRedBits = static_cast<BYTE>(red_bits);
    format.cRedShift = static_cast<BYTE>(red_shift);
    format.cGreenBits = static_cast<BYTE>(green_bits);
    format.cGreenShift = static_cast<BYTE>(green_shift);
    format.cBlueBits = static_cast<BYTE>(blue_bits);
    format.cBlueShift = static_cast<BYTE>(blue_shift);
    return format;
}

static void computed_332(PALETTEENTRY* entries)
{
    for (int i = 0; i < 256; i++) {
        entries[i].peRed = index_to_intensity(i, 3, 0);
        entries[i].peGreen = index_to_intensity(i, 3, 3);
        entries[i].peBlue = index_to_intensity(i, 2, 6);
        entries[i].peFlags = 0x7F;
    }
}

TEST(IndexToIntensity, FieldsOfOneToThreeBitsUseTheTables)
{
    EXPECT_EQ(index_to_intensity(1, 1, 0), 255);
    EXPECT_EQ(index_to_intensity(2, 1, 0), 0);
    const BYTE two[4] = {0, 116, 191, 255};
    for (int v = 0; v < 4; v++) EXPECT_EQ(index_to_intensity(v << 6, 2, 6), two[v]);
    const BYTE three[8] = {0, 63, 104, 139, 171, 200, 229, 255};
    for (int v = 0; v < 8; v++) EXPECT_EQ(index_to_intensity((v << 3) | 0xC7, 3, 3), three[v]);
}

TEST(IndexToIntensity, OtherWidthsGiveTheLowBitsOfTheShiftedIndex)
{
    EXPECT_EQ(index_to_intensity(37, 5, 0), 37);
    EXPECT_EQ(index_to_intensity(0xAB, 4, 4), 0x0A);
    EXPECT_EQ(index_to_intensity(300, 0, 0), 44);
    EXPECT_EQ(index_to_intensity(300, 9, 0), 44);
}

TEST(IndexToIntensity, AShiftPastTheIndexGivesZero)
{
    EXPECT_EQ(index_to_intensity(255, 3, 31), 0);
    EXPECT_EQ(index_to_intensity(255, 8, 32), 0);
    EXPECT_EQ(index_to_intensity(255, 8, 200), 0);
}

TEST(DefaultColourFit, StandardColoursLandOnTheirSlotsIn332)
{
    PALETTEENTRY entries[256];
    computed_332(entries);
    PALETTEENTRY colours[20];
    std::memcpy(colours, standard_colours, sizeof(colours));
    colours[5].peFlags = 1; // stale marks do not count
    int slots[20];
    match_default_colours(entries, colours, slots);
    for (int k = 0; k < 20; k++) EXPECT_EQ(slots[k], standard_slots[k]) << "colour " << k;
    for (int k = 0; k < 20; k++) EXPECT_EQ(colours[k].peFlags, 0);
    for (int i = 0; i < 256; i++) EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE);
    // The fit chooses slots; the entries keep their computed colours.
    EXPECT_EQ(entries[3].peRed, 139);
}

TEST(DefaultColourFit, NearestMatchesSkipTakenEntriesAndTiesKeepTheLowerIndex)
{
    PALETTEENTRY entries[256];
    for (int i = 0; i < 256; i++) entries[i] = {200, 200, 200, 0};
    entries[10] = {10, 10, 10, 0};
    entries[20] = {10, 10, 12, 0}; // as near to (10, 10, 11) as entry 10
    entries[30] = {10, 10, 10, 0}; // the same colour, later
    PALETTEENTRY colours[20];
    for (int k = 0; k < 20; k++) colours[k] = {200, 200, 200, 0};
    colours[0] = {10, 10, 11, 0};
    colours[1] = {10, 10, 10, 0};
    int slots[20];
    match_default_colours(entries, colours, slots);
    EXPECT_EQ(slots[1], 10); // exact, taken before any nearest match
    EXPECT_EQ(slots[0], 20); // 10 is taken; 20 and 30 are equally near, the lower wins
    // The 18 grey colours all match entry 0 exactly: the exact pass ignores what is taken.
    for (int k = 2; k < 20; k++) EXPECT_EQ(slots[k], 0);
}

TEST(FillPaletteEntries, FourBitFormatGetsSixteenComputedEntries)
{
    PIXELFORMATDESCRIPTOR format = layout(1, 0, 2, 1, 1, 3);
    PALETTEENTRY entries[17];
    std::memset(entries, 0xEE, sizeof(entries));
    fill_palette_entries(&format, entries, 16);
    for (int i = 0; i < 16; i++) {
        EXPECT_EQ(entries[i].peRed, (i & 1) ? 255 : 0);
        EXPECT_EQ(entries[i].peBlue, (i & 8) ? 255 : 0);
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE);
    }
    EXPECT_EQ(entries[4].peGreen, 191);   // green field (4 >> 1) & 3 = 2
    EXPECT_EQ(entries[16].peFlags, 0xEE); // nothing past the count
}

TEST(FillPaletteEntries, OtherEightBitLayoutsKeepEveryComputedEntry)
{
    toolkit_state.owns_static_colours = 0;
    PIXELFORMATDESCRIPTOR format = layout(3, 5, 3, 2, 2, 0);
    PALETTEENTRY entries[256];
    fill_palette_entries(&format, entries, 256);
    for (int i = 0; i < 256; i++) {
        EXPECT_EQ(entries[i].peRed, index_to_intensity(i, 3, 5));
        EXPECT_EQ(entries[i].peGreen, index_to_intensity(i, 3, 2));
        EXPECT_EQ(entries[i].peBlue, index_to_intensity(i, 2, 0));
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE);
    }
}

TEST(FillPaletteEntries, OwnedStaticColoursLeaveTheEndsFreeAndPlaceNoDefaults)
{
    toolkit_state.owns_static_colours = 1;
    PIXELFORMATDESCRIPTOR format = layout(3, 0, 3, 3, 2, 6);
    PALETTEENTRY entries[256];
    fill_palette_entries(&format, entries, 256);
    EXPECT_EQ(entries[0].peFlags, 0);
    EXPECT_EQ(entries[255].peFlags, 0);
    for (int i = 1; i < 255; i++) EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
    EXPECT_EQ(entries[3].peRed, 139); // not the default colour 128
    EXPECT_EQ(entries[3].peGreen, 0);
}

TEST(FillPaletteEntries, FiveBitFieldIsTheIndexItself)
{
    toolkit_state.owns_static_colours = 0;
    PIXELFORMATDESCRIPTOR format = layout(5, 0, 0, 0, 0, 0);
    PALETTEENTRY entries[64];
    fill_palette_entries(&format, entries, 64);
    EXPECT_EQ(entries[37].peRed, 37);
    EXPECT_EQ(entries[37].peGreen, 37); // no bits: the low 8 bits of the index
}
