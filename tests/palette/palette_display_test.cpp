// Pixel format selection, the logical palette and the static colours on the
// simulated palette display (8-bit 3-3-2 formats that need a palette).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

// A shown (so active) window and its DC, known to the toolkit as its own; no
// pixel format is set yet.
static HDC open_window(int32_t mode, bool need_system_palette = false)
{
    standin_set_palette_display(true, need_system_palette);
    WNDCLASSA window_class = {
        0, DefWindowProcA, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "PaletteTest"};
    RegisterClassA(&window_class);
    toolkit_state.toolkit_window = CreateWindowExA(
        0, "PaletteTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(toolkit_state.toolkit_window, SW_SHOWNORMAL);
    toolkit_settings.display_mode = mode;
    return toolkit_state.toolkit_dc = GetDC(toolkit_state.toolkit_window);
}

// Leaves digits where the next calls' buffers lie, so that a read past a value parses them.
static void __attribute__((noinline)) dirty_stack()
{
    volatile char junk[8192];
    for (volatile char& c : junk) c = '7';
}

// Removes and counts the waiting messages of one kind, broadcasts included.
static int take_waiting(UINT message)
{
    int count = 0;
    MSG waiting;
    while (PeekMessageA(&waiting, nullptr, message, message, PM_REMOVE)) count++;
    return count;
}

TEST(LogicalPalette, ThreeThreeTwoFormatCarriesTheDefaultColoursAndIsBuiltOnce)
{
    HDC dc = open_window(258);
    toolkit_state.owns_static_colours = 1; // recomputed by the build
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_EQ(toolkit_state.owns_static_colours, 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    const int slots[20] = {
        0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91, 7, 56, 63, 192, 199, 248, 255};
    EXPECT_TRUE(std::equal(slots, slots + 20, default_colour_slots));
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(toolkit_state.toolkit_palette, 0, 256, entries), 256u);
    for (int i = 0; i < 256; i++) {
        bool slot = std::count(slots, slots + 20, i) != 0;
        EXPECT_EQ(entries[i].peFlags, slot ? 0 : PC_NOCOLLAPSE) << i;
        if (slot) continue;
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue),
            RGB(index_to_intensity(i, 3, 0), index_to_intensity(i, 3, 3), index_to_intensity(i, 2, 6)))
            << i;
    }
    // A near match takes the default colour, not the computed one.
    EXPECT_EQ(RGB(entries[3].peRed, entries[3].peGreen, entries[3].peBlue), RGB(128, 0, 0));
    EXPECT_EQ(RGB(entries[173].peRed, entries[173].peGreen, entries[173].peBlue), RGB(192, 192, 192));
    // Both descriptions freed, the palette that flushed the system palette
    // deleted, and the new one realised.
    EXPECT_EQ(standin_journal_count("LocalAlloc"), 2);
    EXPECT_EQ(standin_journal_count("LocalFree"), 2);
    EXPECT_EQ(standin_journal_count("CreatePalette"), 2);
    EXPECT_EQ(standin_journal_count("DeleteObject"), 1);
    EXPECT_EQ(standin_journal_count("RealizePalette"), 2);
    EXPECT_EQ(standin_message_box_count(), 0);
    // Built once; without ownership realising never touches the system colours.
    HPALETTE palette = toolkit_state.toolkit_palette;
    standin_journal_clear();
    EXPECT_EQ(build_logical_palette(dc), palette);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_GE(realise_palette(dc, palette, 0), 0);
    for (const char* call : {"UnrealizeObject", "SetSystemPaletteUse", "SetSysColors"})
        EXPECT_EQ(standin_journal_count(call), 0) << call;
    // Only a full palette flushes the system palette, and the flush keeps the
    // new palette selected.
    standin_journal_clear();
    reset_system_palette(dc, 16);
    EXPECT_EQ(standin_journal_length(), 0);
    reset_system_palette(dc, 256);
    EXPECT_EQ(SelectPalette(dc, palette, FALSE), palette);
}

TEST(LogicalPalette, NoneForATrueColourFormatOrAFailedCreation)
{
    HDC dc = open_window(258, true);
    standin_set_palette_display(false, false);
    toolkit_state.owns_static_colours = 1;
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1); // not past the format checks
    EXPECT_EQ(standin_journal_count("CreatePalette"), 0);
    // The same format on a palette display whose formats ask for the system palette.
    standin_set_palette_display(true, true);
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(standin_journal_count("LocalFree"), standin_journal_count("LocalAlloc"));
    EXPECT_EQ(standin_journal_count("RealizePalette"), 0);
    toolkit_state.owns_static_colours = 0;
    standin_fail_next("LocalAlloc", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1); // decided before the allocation
    EXPECT_EQ(standin_message_box_count(), 0);
}

TEST(PixelFormatFailures, EachIsReportedInOneErrorBox)
{
    HDC dc = open_window(258);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    standin_fail_next("ChoosePixelFormat", 1);
    EXPECT_EQ(select_pixel_format(dc, 258), 0);
    standin_fail_next("SetPixelFormat", 1);
    EXPECT_EQ(select_pixel_format(dc, 258), 0);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    int number = GetPixelFormat(dc);
    PIXELFORMATDESCRIPTOR format;
    standin_fail_next("DescribePixelFormat", 1);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), 0);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), number);
    char texts[4][64] = {"", "Selecting a pixel format failed\n", "SetPixelFormat failed\n", ""};
    std::snprintf(texts[0], 64, "Could not get pixel format for Dc 0x%08lX\n", (unsigned long)(uintptr_t)dc);
    std::snprintf(texts[3], 64, "Could not get a description of pixel format %d\n", number);
    EXPECT_EQ(std::strlen(texts[0]), std::strlen("Could not get pixel format for Dc 0x12345678\n"));
    ASSERT_EQ(standin_message_box_count(), 4);
    for (int i = 0; i < 4; i++) {
        EXPECT_STREQ(standin_message_box(i)->text, texts[i]);
        EXPECT_STREQ(standin_message_box(i)->caption, "Error");
    }
}

TEST(StaticColours, TakeoverAndGiveBackWithTheUsersRegistryColours)
{
    HDC dc = open_window(258 | DISPLAY_OWN_STATIC_COLOURS);
    COLORREF before[SYSTEM_COLOUR_ROWS];
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) before[i] = GetSysColor(i);
    standin_registry_set_string("Window", "255 0 128");
    standin_registry_set_string("Menu", "300 20 10");
    standin_registry_set_string("AppWorkspace", " -1 256\t511 trailing");
    // 64 bytes, the last number ending in the last byte, no terminating zero.
    char text[80];
    std::memset(text, ' ', sizeof(text));
    std::memcpy(text, "10 20", 5);
    std::memcpy(text + 62, "33", 2);
    standin_registry_set_raw("Scrollbar", REG_SZ, text, 64);
    // Too long, not a string, fewer than three numbers, missing: the saved colour.
    text[79] = '\0';
    standin_registry_set_string("HilightText", text);
    standin_registry_set_raw("Hilight", REG_DWORD, "4 5 6", 6);
    standin_registry_set_binary("MenuText", "1 2 3", 6);
    standin_registry_set_string("ActiveTitle", "12 34");
    standin_registry_delete_value("Background");
    ASSERT_EQ(take_static_colours(dc), 1);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
    dirty_stack();
    ASSERT_EQ(restore_static_colours(dc), 1);
    EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
    before[COLOR_WINDOW] = 0x008000FF;
    before[COLOR_MENU] = RGB(44, 20, 10);
    before[COLOR_APPWORKSPACE] = 0x00FF00FF;
    before[COLOR_SCROLLBAR] = 0x0021140A;
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
    standin_registry_delete_colours_key();
    EXPECT_FALSE(load_user_colours(before, SYSTEM_COLOUR_ROWS));
}

TEST(PaletteRealisation, ForegroundTakesOverBackgroundGivesBackARefusalRetriesLater)
{
    HDC dc = open_window(258 | DISPLAY_OWN_STATIC_COLOURS);
    ASSERT_EQ(select_pixel_format(dc, 258 | DISPLAY_OWN_STATIC_COLOURS), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    standin_fail_next("UnrealizeObject", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    standin_fail_next("SelectPalette", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    // The teardown's give-back: the stock palette in the background.
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);
    // Nothing taken: still unrealised, selected and realised.
    standin_journal_clear();
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    for (const char* call : {"UnrealizeObject", "SelectPalette", "RealizePalette"})
        EXPECT_EQ(standin_journal_count(call), 1) << call;
    EXPECT_EQ(standin_journal_count("SetSysColors"), 0);
    // Someone else has the system palette: nothing is selected, and two
    // refusals leave one retry waiting.
    take_waiting(WM_SYSCOLORCHANGE);
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    standin_journal_clear();
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(standin_journal_count("Sleep"), 2);
    for (const char* call : {"SetSysColors", "SelectPalette", "RealizePalette"})
        EXPECT_EQ(standin_journal_count(call), 0) << call;
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(take_waiting(WM_USER), 1);
    EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 0);
    // A failed call counts as a refusal too.
    standin_set_system_palette_use(SYSPAL_STATIC);
    standin_fail_next("SetSystemPaletteUse", 1);
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_EQ(take_waiting(WM_USER), 1);
    EXPECT_EQ(take_static_colours(dc), 1);
}
