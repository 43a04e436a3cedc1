// Selecting and realising palettes into the 256-entry system palette, and the
// system palette's static / no-static use.
#include <gtest/gtest.h>

#include <vector>

#include "platform/standin/testing.h"
#include "platform/win32.h"
#include "tests/standin/gdi/gdi_test_window.h"

static HPALETTE make_palette(int count, BYTE flags, BYTE (*colour)(int index, int channel))
{
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    LOGPALETTE* description = reinterpret_cast<LOGPALETTE*>(block.data());
    description->palVersion = 0x300;
    description->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; i++)
        description->palPalEntry[i] = {colour(i, 0), colour(i, 1), colour(i, 2), flags};
    return CreatePalette(description);
}

// Colours the standard palette does not hold.
static BYTE bluish(int index, int channel)
{
    return static_cast<BYTE>(channel == 2 ? 200 : 10 + index);
}
static BYTE reddish(int index, int channel)
{
    return static_cast<BYTE>(channel == 0 ? 200 : 10 + index);
}
static BYTE black(int, int)
{
    return 0;
}

static PALETTEENTRY system_entry(int index)
{
    PALETTEENTRY entries[256];
    standin_system_palette(entries);
    return entries[index];
}

TEST(SelectPalette, ReturnsThePreviousPaletteStartingWithTheDefault)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    HPALETTE first = make_palette(2, 0, bluish);
    HPALETTE second = make_palette(2, 0, reddish);
    EXPECT_EQ(SelectPalette(dc, first, FALSE), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(SelectPalette(dc, second, TRUE), first);
    EXPECT_EQ(SelectPalette(dc, reinterpret_cast<HPALETTE>(dc), FALSE), nullptr);
    EXPECT_EQ(SelectPalette(nullptr, first, FALSE), nullptr);
    EXPECT_EQ(SelectPalette(dc, first, FALSE), second);
}

TEST(RealizePalette, ForegroundMapsNewColoursOnceAndTellsEveryWindow)
{
    HWND window = open_gdi_test_window(64, 64);
    open_gdi_test_window(64, 64);
    HDC dc = GetDC(window);
    SelectPalette(dc, make_palette(3, PC_NOCOLLAPSE, bluish), FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(system_entry(10).peRed, 10);
    EXPECT_EQ(system_entry(12).peBlue, 200);
    EXPECT_EQ(palette_changed_count(), 2);
    EXPECT_EQ(last_palette_changed_window(), reinterpret_cast<WPARAM>(window));

    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_EQ(palette_changed_count(), 2);
}

TEST(RealizePalette, StandardColoursMapToTheStaticEntries)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_EQ(palette_changed_count(), 0);
}

TEST(RealizePalette, BackgroundReusesColoursAndTellsNoOne)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    SelectPalette(dc, make_palette(3, PC_NOCOLLAPSE, bluish), FALSE);
    RealizePalette(dc);
    int told = palette_changed_count();
    // Four entries, the first three already in the system palette.
    SelectPalette(dc, make_palette(4, PC_NOCOLLAPSE, bluish), TRUE);
    EXPECT_EQ(RealizePalette(dc), 1u);
    EXPECT_EQ(system_entry(13).peRed, 13);
    EXPECT_EQ(palette_changed_count(), told);
}

TEST(RealizePalette, AnUnrealizedPaletteTakesItsEntriesBackInTheForeground)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    HPALETTE blue = make_palette(3, PC_NOCOLLAPSE, bluish);
    SelectPalette(dc, blue, FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    SelectPalette(dc, make_palette(3, PC_NOCOLLAPSE, reddish), FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(system_entry(10).peRed, 200);
    EXPECT_TRUE(UnrealizeObject(blue));
    SelectPalette(dc, blue, FALSE);
    EXPECT_EQ(RealizePalette(dc), 3u);
    EXPECT_EQ(system_entry(10).peBlue, 200);
}

TEST(RealizePalette, AReservedBlackPaletteClearsAllButTheStaticColours)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    SelectPalette(dc, make_palette(5, PC_NOCOLLAPSE, bluish), FALSE);
    RealizePalette(dc);
    SelectPalette(dc, make_palette(256, PC_RESERVED | PC_NOCOLLAPSE, black), FALSE);
    EXPECT_EQ(RealizePalette(dc), 5u);
    PALETTEENTRY entries[256];
    standin_system_palette(entries);
    for (int i = 10; i < 246; i++)
        EXPECT_EQ(entries[i].peRed + entries[i].peGreen + entries[i].peBlue, 0) << i;
    EXPECT_EQ(entries[1].peRed, 128);
    EXPECT_EQ(entries[255].peBlue, 255);
}

TEST(SystemPaletteUse, SetReturnsThePreviousUse)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    EXPECT_EQ(GetSystemPaletteUse(dc), static_cast<UINT>(SYSPAL_STATIC));
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
    EXPECT_EQ(standin_system_palette_use(), static_cast<UINT>(SYSPAL_STATIC));
}

TEST(SystemPaletteUse, RefusalsLeaveTheUseAlone)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    standin_fail_next("SetSystemPaletteUse", 1);
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_ERROR));
    EXPECT_EQ(SetSystemPaletteUse(dc, 7), static_cast<UINT>(SYSPAL_ERROR));
    EXPECT_EQ(SetSystemPaletteUse(nullptr, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_ERROR));
    EXPECT_EQ(standin_system_palette_use(), static_cast<UINT>(SYSPAL_STATIC));
    // Another program holding the palette: the toolkit sees a use other than static.
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
}

TEST(SystemPaletteUse, NoStaticLeavesOnlyBlackAndWhiteAndStaticPutsTheColoursBack)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    ASSERT_EQ(SetSystemPaletteUse(dc, SYSPAL_NOSTATIC), static_cast<UINT>(SYSPAL_STATIC));
    HPALETTE ramp = make_palette(256, PC_NOCOLLAPSE, [](int index, int) { return static_cast<BYTE>(index); });
    SelectPalette(dc, ramp, FALSE);
    EXPECT_EQ(RealizePalette(dc), 254u);
    EXPECT_EQ(system_entry(0).peRed, 0);
    EXPECT_EQ(system_entry(1).peRed, 0);
    EXPECT_EQ(system_entry(254).peRed, 253);
    EXPECT_EQ(system_entry(255).peRed, 255);

    EXPECT_EQ(SetSystemPaletteUse(dc, SYSPAL_STATIC), static_cast<UINT>(SYSPAL_NOSTATIC));
    EXPECT_EQ(system_entry(1).peRed, 128);
    EXPECT_EQ(system_entry(246).peGreen, 251);
    EXPECT_EQ(system_entry(10).peRed, 9);
}
