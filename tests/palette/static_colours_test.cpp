// Taking the static colours over and giving them back, with the user's colours
// read from the registry, and the deferred retry when the system refuses.
#include <gtest/gtest.h>

#include <cstring>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/palette/palette_test_window.h"
#include "toolkit/toolkit.h"

static void save_colours(COLORREF* colours)
{
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) colours[i] = GetSysColor(i);
}

// A palette display window whose palette owns the static colours, not yet realised.
static HDC owning_window()
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258 | DISPLAY_OWN_STATIC_COLOURS, true);
    toolkit_state.owns_static_colours = 1;
    return dc;
}

TEST(StaticColours, TakeoverSavesSetsAndAnnouncesOnce)
{
    HDC dc = owning_window();
    COLORREF before[SYSTEM_COLOUR_ROWS];
    save_colours(before);
    ASSERT_EQ(take_static_colours(dc), 1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_NOSTATIC);
    // Window text black, window background white.
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(take_waiting_messages(WM_SYSCOLORCHANGE), 1);

    // Already taken: nothing is saved, set or posted again.
    standin_journal_clear();
    EXPECT_EQ(take_static_colours(dc), 1);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_EQ(take_waiting_messages(WM_SYSCOLORCHANGE), 0);

    // Nothing in the registry differs from the standard scheme: the give-back
    // restores what was there.
    ASSERT_EQ(restore_static_colours(dc), 1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
    EXPECT_EQ(take_waiting_messages(WM_SYSCOLORCHANGE), 1);
}

TEST(StaticColours, GiveBackUsesTheUsersRegistryColours)
{
    HDC dc = owning_window();
    COLORREF before[SYSTEM_COLOUR_ROWS];
    save_colours(before);
    standin_registry_set_string("Window", "255 0 128");
    standin_registry_set_string("Menu", "300 20 10");
    standin_registry_set_dword("Scrollbar", 0x00112233);
    standin_registry_set_string("ActiveTitle", "12 34");
    standin_registry_delete_value("Background");
    const unsigned char binary[3] = {1, 2, 3};
    standin_registry_set_binary("MenuText", binary, sizeof(binary));
    ASSERT_EQ(take_static_colours(dc), 1);
    ASSERT_EQ(restore_static_colours(dc), 1);

    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x008000FFu);
    EXPECT_EQ(GetRValue(GetSysColor(COLOR_MENU)), 44);
    EXPECT_EQ(GetGValue(GetSysColor(COLOR_MENU)), 20);
    EXPECT_EQ(GetBValue(GetSysColor(COLOR_MENU)), 10);
    // Not a string, fewer than three numbers, missing: the saved colour.
    EXPECT_EQ(GetSysColor(COLOR_SCROLLBAR), before[COLOR_SCROLLBAR]);
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), before[COLOR_ACTIVECAPTION]);
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), before[COLOR_BACKGROUND]);
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), before[COLOR_MENUTEXT]);
}

TEST(StaticColours, UnterminatedFullLengthStringIsReadWithinItsBuffer)
{
    COLORREF colours[SYSTEM_COLOUR_ROWS] = {};
    // 64 bytes, the last number ending in the last byte, no terminating zero.
    char text[64];
    std::memset(text, ' ', sizeof(text));
    std::memcpy(text, "10 20", 5);
    std::memcpy(text + 62, "33", 2);
    standin_registry_set_raw("Scrollbar", REG_SZ, text, sizeof(text));
    ASSERT_TRUE(load_user_colours(colours, SYSTEM_COLOUR_ROWS));
    EXPECT_EQ(colours[COLOR_SCROLLBAR], 0x0021140Au);

    // Not a string: ignored even when it reads as one.
    standin_registry_set_binary("Menu", "1 2 3", 6);
    standin_registry_set_raw("Window", REG_DWORD, "4 5 6", 6);
    std::memset(colours, 0, sizeof(colours));
    ASSERT_TRUE(load_user_colours(colours, SYSTEM_COLOUR_ROWS));
    EXPECT_EQ(colours[COLOR_MENU], 0u);
    EXPECT_EQ(colours[COLOR_WINDOW], 0u);
}

TEST(StaticColours, TooLongValueKeepsTheSavedColour)
{
    COLORREF colours[SYSTEM_COLOUR_ROWS];
    for (COLORREF& colour : colours) colour = 0x00ABCDEF;
    char text[80];
    std::memset(text, ' ', sizeof(text));
    std::memcpy(text, "1 2 3", 5);
    text[79] = '\0';
    standin_registry_set_string("Window", text);
    ASSERT_TRUE(load_user_colours(colours, SYSTEM_COLOUR_ROWS));
    EXPECT_EQ(colours[COLOR_WINDOW], 0x00ABCDEFu);
}

TEST(StaticColours, MissingKeyRestoresTheSavedColoursUnchanged)
{
    HDC dc = owning_window();
    COLORREF before[SYSTEM_COLOUR_ROWS];
    save_colours(before);
    standin_registry_delete_colours_key();
    COLORREF probe[SYSTEM_COLOUR_ROWS] = {};
    EXPECT_FALSE(load_user_colours(probe, SYSTEM_COLOUR_ROWS));
    ASSERT_EQ(take_static_colours(dc), 1);
    ASSERT_EQ(restore_static_colours(dc), 1);
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
}

TEST(StaticColours, TwentyOneRowsLeaveTheLastFourAlone)
{
    HDC dc = owning_window();
    toolkit_settings.system_colour_count = 21;
    COLORREF before[SYSTEM_COLOUR_ROWS];
    save_colours(before);
    standin_registry_set_string("InfoWindow", "1 2 3");
    standin_registry_set_string("ButtonHilight", "4 5 6");
    ASSERT_EQ(take_static_colours(dc), 1);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF, 0u);
    for (int i = 21; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
    ASSERT_EQ(restore_static_colours(dc), 1);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), 0x00060504u);
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), before[COLOR_INFOBK]);
}

TEST(StaticColours, GiveBackWithNothingTakenDoesNothing)
{
    HDC dc = owning_window();
    standin_journal_clear();
    EXPECT_EQ(restore_static_colours(dc), 0);
    EXPECT_EQ(standin_journal_length(), 0);
}

TEST(StaticColours, RefusalQueuesOneRetryAtATime)
{
    HDC dc = owning_window();
    standin_set_system_palette_use(SYSPAL_NOSTATIC); // someone else has it
    COLORREF before[SYSTEM_COLOUR_ROWS];
    save_colours(before);
    standin_journal_clear();
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_EQ(standin_journal_count("Sleep"), 2);
    EXPECT_EQ(standin_journal_count("SetSysColors"), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(take_waiting_messages(WM_USER), 1);
    EXPECT_EQ(take_waiting_messages(WM_SYSCOLORCHANGE), 0);

    // A failed call counts as a refusal too.
    standin_set_system_palette_use(SYSPAL_STATIC);
    standin_fail_next("SetSystemPaletteUse", 1);
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_EQ(take_waiting_messages(WM_USER), 1);
    EXPECT_EQ(take_static_colours(dc), 1);
}

TEST(PaletteRealisation, RefusedForegroundRealisationSelectsNothing)
{
    HDC dc = owning_window();
    HPALETTE palette = build_logical_palette(dc); // takes the colours over
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(restore_static_colours(dc), 1);
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    standin_journal_clear();
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(standin_journal_count("SelectPalette"), 0);
    EXPECT_EQ(standin_journal_count("RealizePalette"), 0);
    EXPECT_EQ(take_waiting_messages(WM_USER), 1);
}

TEST(PaletteRealisation, ForegroundTakesOverAndBackgroundGivesBack)
{
    HDC dc = owning_window();
    HPALETTE palette = build_logical_palette(dc);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);
    EXPECT_GE(realise_palette(dc, palette, 0), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);

    // The teardown's give-back: the stock palette in the background.
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);

    // Nothing taken: still unrealised, selected and realised.
    standin_journal_clear();
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    EXPECT_EQ(standin_journal_count("UnrealizeObject"), 1);
    EXPECT_EQ(standin_journal_count("SelectPalette"), 1);
    EXPECT_EQ(standin_journal_count("RealizePalette"), 1);
    EXPECT_EQ(standin_journal_count("SetSysColors"), 0);
}

TEST(PaletteRealisation, FailuresAfterTheTakeoverAreReportedButNotUndone)
{
    HDC dc = owning_window();
    HPALETTE palette = build_logical_palette(dc);
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(restore_static_colours(dc), 1);
    standin_fail_next("UnrealizeObject", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    standin_fail_next("SelectPalette", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
}

TEST(PaletteRealisation, WithoutOwnershipTheSystemColoursAreNeverTouched)
{
    standin_set_palette_display(true, false);
    HDC dc = open_palette_test_window(258, true);
    HPALETTE palette = build_logical_palette(dc);
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(toolkit_state.owns_static_colours, 0);
    standin_journal_clear();
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_GE(realise_palette(dc, palette, 0), 0);
    EXPECT_EQ(standin_journal_count("UnrealizeObject"), 0);
    EXPECT_EQ(standin_journal_count("SetSystemPaletteUse"), 0);
    EXPECT_EQ(standin_journal_count("SetSysColors"), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
}
