// Stock objects and logical palettes: the default palette's colours, deletion
// rules, and entry copying.
#include <gtest/gtest.h>

#include <vector>

#include "platform/standin/testing.h"
#include "platform/win32.h"
#include "tests/standin/gdi/gdi_test_window.h"

static HPALETTE make_palette(const std::vector<PALETTEENTRY>& entries)
{
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * entries.size());
    LOGPALETTE* description = reinterpret_cast<LOGPALETTE*>(block.data());
    description->palVersion = 0x300;
    description->palNumEntries = static_cast<WORD>(entries.size());
    for (size_t i = 0; i < entries.size(); i++) description->palPalEntry[i] = entries[i];
    return CreatePalette(description);
}

TEST(StockObjects, DefaultPaletteHoldsTheTwentyStandardColoursInOrder)
{
    const BYTE expected[20][3] = {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
        {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}, {255, 251, 240},
        {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255},
        {0, 255, 255}, {255, 255, 255}};
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
    PALETTEENTRY entries[32] = {};
    ASSERT_EQ(GetPaletteEntries(stock, 0, 32, entries), 20u);
    for (int i = 0; i < 20; i++) {
        EXPECT_EQ(entries[i].peRed, expected[i][0]) << i;
        EXPECT_EQ(entries[i].peGreen, expected[i][1]) << i;
        EXPECT_EQ(entries[i].peBlue, expected[i][2]) << i;
    }
}

TEST(StockObjects, DeletingStockObjectsSucceedsAndKeepsThem)
{
    HGDIOBJ stock = GetStockObject(DEFAULT_PALETTE);
    HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
    ASSERT_NE(brush, nullptr);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetStockObject(DEFAULT_PALETTE), stock);
    EXPECT_EQ(GetPaletteEntries(static_cast<HPALETTE>(stock), 0, 0, nullptr), 20u);
    EXPECT_TRUE(UnrealizeObject(stock));
}

TEST(LogicalPalettes, EntriesAreCopiedAndReadBackWithinBounds)
{
    std::vector<PALETTEENTRY> colours = {{1, 2, 3, PC_NOCOLLAPSE}, {4, 5, 6, 0}, {7, 8, 9, PC_RESERVED}};
    HPALETTE palette = make_palette(colours);
    ASSERT_NE(palette, nullptr);
    colours[0].peRed = 99; // the palette keeps its own copy
    PALETTEENTRY read[3] = {};
    EXPECT_EQ(GetPaletteEntries(palette, 1, 10, read), 2u);
    EXPECT_EQ(read[0].peBlue, 6);
    EXPECT_EQ(read[1].peFlags, PC_RESERVED);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 1, read), 1u);
    EXPECT_EQ(read[0].peRed, 1);
    EXPECT_EQ(GetPaletteEntries(palette, 3, 1, read), 0u);
    EXPECT_TRUE(DeleteObject(palette));
    EXPECT_FALSE(DeleteObject(palette));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 1, read), 0u);
}

TEST(LogicalPalettes, CreatePaletteRefusesAnEmptyDescription)
{
    LOGPALETTE empty = {0x300, 0, {}};
    EXPECT_EQ(CreatePalette(&empty), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST(LogicalPalettes, APaletteSelectedIntoAContextIsNotDeleted)
{
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    HPALETTE palette = make_palette({{10, 20, 30, 0}});
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    EXPECT_FALSE(DeleteObject(palette));
    EXPECT_EQ(SelectPalette(dc, previous, FALSE), palette);
    EXPECT_TRUE(DeleteObject(palette));
}

TEST(LogicalPalettes, InjectedFaultsFailWithWindowsResults)
{
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(make_palette({{1, 1, 1, 0}}), nullptr);
    EXPECT_NE(make_palette({{1, 1, 1, 0}}), nullptr);
    standin_fail_next("GetStockObject", 1);
    EXPECT_EQ(GetStockObject(DEFAULT_PALETTE), nullptr);
    HDC dc = GetDC(open_gdi_test_window(64, 64));
    standin_fail_next("RealizePalette", 1);
    EXPECT_EQ(RealizePalette(dc), GDI_ERROR);
    standin_journal_clear();
    GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 0, nullptr);
    EXPECT_EQ(standin_journal_count("GetPaletteEntries"), 1);
}
