// Pixel format selection and the logical palette on the simulated palette
// display (8-bit 3-3-2 formats that need a palette).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/palette/palette_test_window.h"
#include "toolkit/toolkit.h"

static const int standard_slots[20] = {
    0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91, 7, 56, 63, 192, 199, 248, 255};

static void read_entries(HPALETTE palette, PALETTEENTRY* entries)
{
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
}

static bool is_slot(int index)
{
    for (int slot : standard_slots) {
        if (slot == index) return true;
    }
    return false;
}

static std::string last_message_box_text()
{
    int count = standin_message_box_count();
    if (count == 0) return "";
    return standin_message_box(count - 1)->text;
}

TEST(LogicalPalette, ThreeThreeTwoFormatCarriesTheDefaultColours)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, false);
    toolkit_state.owns_static_colours = 1; // recomputed by the build
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_EQ(toolkit_state.owns_static_colours, 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);

    PALETTEENTRY entries[256];
    read_entries(toolkit_state.toolkit_palette, entries);
    for (int k = 0; k < 20; k++) EXPECT_EQ(default_colour_slots[k], standard_slots[k]) << "colour " << k;
    for (int i = 0; i < 256; i++) {
        if (is_slot(i)) {
            EXPECT_EQ(entries[i].peFlags, 0) << i;
        } else {
            EXPECT_EQ(entries[i].peRed, index_to_intensity(i, 3, 0)) << i;
            EXPECT_EQ(entries[i].peGreen, index_to_intensity(i, 3, 3)) << i;
            EXPECT_EQ(entries[i].peBlue, index_to_intensity(i, 2, 6)) << i;
            EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
        }
    }
    // A near match takes the default colour, not the computed one.
    EXPECT_EQ(entries[3].peRed, 128);
    EXPECT_EQ(entries[173].peRed, 192);
    EXPECT_EQ(entries[173].peGreen, 192);
    EXPECT_EQ(entries[173].peBlue, 192);
    EXPECT_EQ(entries[255].peRed, 255);

    // Both description blocks are given back, the throw-away palette deleted,
    // and the new palette realised and left selected.
    EXPECT_EQ(standin_journal_count("LocalAlloc"), 2);
    EXPECT_EQ(standin_journal_count("LocalFree"), 2);
    EXPECT_EQ(standin_journal_count("CreatePalette"), 2);
    EXPECT_EQ(standin_journal_count("DeleteObject"), 1);
    EXPECT_EQ(standin_journal_count("RealizePalette"), 2);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(SelectPalette(dc, stock, FALSE), toolkit_state.toolkit_palette);
    EXPECT_EQ(standin_message_box_count(), 0);
}

TEST(LogicalPalette, OwnedStaticColoursLeaveBlackAndWhiteToTheSystem)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258 | DISPLAY_OWN_STATIC_COLOURS, false);
    ASSERT_EQ(select_pixel_format(dc, 258 | DISPLAY_OWN_STATIC_COLOURS), 1);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1);
    PALETTEENTRY entries[256];
    read_entries(toolkit_state.toolkit_palette, entries);
    EXPECT_EQ(entries[0].peFlags, 0);
    EXPECT_EQ(entries[255].peFlags, 0);
    for (int i = 1; i < 255; i++) EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
    EXPECT_EQ(entries[3].peRed, 139);
    // The foreground realisation has taken the static colours over.
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_NOSTATIC);
}

TEST(LogicalPalette, FormatAskingForTheSystemPaletteOwnsTheStaticColours)
{
    standin_set_palette_display(true, true);
    HDC dc = open_palette_test_window(258, false);
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_NE(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1);
}

TEST(LogicalPalette, TrueColourDisplayGetsNoPalette)
{
    standin_set_palette_display(false, false);
    HDC dc = open_palette_test_window(258, false);
    toolkit_state.owns_static_colours = 1;
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1); // not past the format checks
    EXPECT_EQ(standin_journal_count("CreatePalette"), 0);
    EXPECT_EQ(standin_message_box_count(), 0);
}

TEST(LogicalPalette, ASecondBuildReturnsThePaletteItHasAndDoesNothingElse)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, true);
    HPALETTE first = build_logical_palette(dc);
    ASSERT_NE(first, nullptr);
    standin_journal_clear();
    EXPECT_EQ(build_logical_palette(dc), first);
    EXPECT_EQ(standin_journal_length(), 0);
}

TEST(LogicalPalette, AFailedCreationHoldsNoPalette)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, true);
    standin_journal_clear();
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(standin_journal_count("LocalFree"), standin_journal_count("LocalAlloc"));
    EXPECT_EQ(standin_journal_count("RealizePalette"), 0);
    EXPECT_EQ(standin_message_box_count(), 0);
}

TEST(LogicalPalette, NoMemoryForTheDescriptionMeansNoPalette)
{
    standin_set_palette_display(true, true);
    HDC dc = open_palette_test_window(258, true);
    standin_fail_next("LocalAlloc", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1); // already decided
    EXPECT_EQ(standin_message_box_count(), 0);
}

TEST(LogicalPalette, NoMemoryToFlushTheSystemPaletteSkipsTheFlush)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, false);
    standin_fail_next("LocalAlloc", 1);
    reset_system_palette(dc, 256);
    EXPECT_EQ(standin_journal_count("CreatePalette"), 0);
}

TEST(LogicalPalette, ResettingTheSystemPaletteKeepsTheSelectedPalette)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, true);
    HPALETTE palette = build_logical_palette(dc);
    ASSERT_NE(palette, nullptr);
    reset_system_palette(dc, 256);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(SelectPalette(dc, stock, FALSE), palette);
    EXPECT_EQ(standin_journal_count("LocalFree"), standin_journal_count("LocalAlloc"));

    // Only a 256-entry palette flushes the system palette.
    standin_journal_clear();
    reset_system_palette(dc, 16);
    EXPECT_EQ(standin_journal_length(), 0);
}

TEST(PixelFormatFailures, NoFormatFoundIsReportedAndBuildsNothing)
{
    HDC dc = open_palette_test_window(258, false);
    standin_fail_next("ChoosePixelFormat", 1);
    EXPECT_EQ(select_pixel_format(dc, 258), 0);
    EXPECT_EQ(last_message_box_text(), "Selecting a pixel format failed\n");
    EXPECT_STREQ(standin_message_box(0)->caption, "Error");
    EXPECT_EQ(GetPixelFormat(dc), 0);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
}

TEST(PixelFormatFailures, RefusedFormatIsReportedAndBuildsNothing)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, false);
    standin_fail_next("SetPixelFormat", 1);
    EXPECT_EQ(select_pixel_format(dc, 258), 0);
    EXPECT_EQ(last_message_box_text(), "SetPixelFormat failed\n");
    EXPECT_EQ(standin_message_box_count(), 1);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
}

TEST(PixelFormatFailures, ADeviceContextWithoutFormatIsNamedInEightHexDigits)
{
    HDC dc = open_palette_test_window(258, false);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    char expected[64];
    std::snprintf(expected, sizeof(expected), "Could not get pixel format for Dc 0x%08lX\n",
        (unsigned long)(uintptr_t)dc);
    EXPECT_EQ(last_message_box_text(), expected);
    // Eight digits, whatever the handle's value.
    EXPECT_EQ(last_message_box_text().size(), std::strlen("Could not get pixel format for Dc 0x12345678\n"));
}

TEST(PixelFormatFailures, AnUndescribableFormatIsNamedByNumber)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, true);
    int number = GetPixelFormat(dc);
    standin_fail_next("DescribePixelFormat", 1);
    PIXELFORMATDESCRIPTOR format;
    EXPECT_EQ(describe_current_pixel_format(dc, &format), 0);
    char expected[64];
    std::snprintf(expected, sizeof(expected), "Could not get a description of pixel format %d\n", number);
    EXPECT_EQ(last_message_box_text(), expected);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), number);
    EXPECT_TRUE(format.dwFlags & PFD_NEED_PALETTE);
}
