// The palette as the toolkit window gets it: opened on a palette display whose
// formats ask for the system palette, and given back by the teardown.
#include <gtest/gtest.h>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "toolkit/toolkit.h"

TEST(ToolkitPalette, TeardownGivesTheTwentyOneColoursOfNT351Back)
{
    standin_set_version(VER_PLATFORM_WIN32_NT, 3, 51);
    standin_set_palette_display(true, true);
    COLORREF before[SYSTEM_COLOUR_ROWS];
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) before[i] = GetSysColor(i);
    standin_registry_set_string("Window", "255 0 128");

    toolkit_set_display_mode(258);
    ASSERT_EQ(toolkit_open_window("palette"), 1);
    EXPECT_EQ(standin_message_box_count(), 0);
    EXPECT_EQ(toolkit_settings.system_colour_count, 21);
    EXPECT_NE(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1);
    ASSERT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF, 0u);
    for (int i = 21; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;

    // Still the focus window when it goes.
    HWND window = toolkit_state.toolkit_window;
    EXPECT_EQ(GetFocus(), window);
    destroy_toolkit_window(window);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);
    before[COLOR_WINDOW] = 0x008000FF;
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
}

static void dispatch_waiting_messages()
{
    MSG message;
    for (int i = 0; i < 100 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); i++) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The give-back announces the colour change; the window's rebuild must not
// take the colours over again while another window is in front.
TEST(ToolkitPalette, DeactivationGivesTheColoursBackForGood)
{
    standin_set_palette_display(true, true);
    toolkit_set_display_mode(258);
    ASSERT_EQ(toolkit_open_window("palette"), 1);
    HWND window = toolkit_state.toolkit_window;
    dispatch_waiting_messages();
    ASSERT_EQ(toolkit_state.static_colours_taken, 1);

    standin_focus(window, false);
    dispatch_waiting_messages();
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_STATIC);
    EXPECT_NE(toolkit_state.toolkit_palette, nullptr);

    standin_focus(window, true);
    dispatch_waiting_messages();
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_EQ(standin_system_palette_use(), (UINT)SYSPAL_NOSTATIC);
}

// SetSysColors tells every window before it returns; the takeover announces
// itself afterwards, and only that announcement rebuilds the palette, which
// then finds the colours taken: no refusal, no retry, one change of colours.
TEST(ToolkitPalette, TakeoverIsNotMistakenForARefusalByItsOwnColourChange)
{
    standin_set_palette_display(true, true);
    toolkit_set_display_mode(258);
    standin_journal_clear();
    ASSERT_EQ(toolkit_open_window("palette"), 1);
    dispatch_waiting_messages();
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_EQ(standin_journal_count("SetSysColors"), 1);
    EXPECT_EQ(standin_journal_count("Sleep"), 0);
    MSG retry;
    EXPECT_FALSE(PeekMessageA(&retry, nullptr, WM_USER, WM_USER, PM_NOREMOVE));
}

// A system colour change from elsewhere rebuilds the palette from the format in
// force: a new palette replaces the old one, which is deleted, and the window
// is repainted; a rebuild that fails keeps the old palette.
TEST(ToolkitPalette, SystemColourChangeRebuildsThePaletteAndAFailedRebuildKeepsTheOld)
{
    standin_set_palette_display(true, false);
    toolkit_set_display_mode(258);
    ASSERT_EQ(toolkit_open_window("palette"), 1);
    HWND window = toolkit_state.toolkit_window;
    dispatch_waiting_messages();
    HPALETTE first = toolkit_state.toolkit_palette;
    ASSERT_NE(first, nullptr);

    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    HPALETTE second = toolkit_state.toolkit_palette;
    EXPECT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(DeleteObject(first)) << "the old palette was not deleted";
    MSG paint;
    EXPECT_TRUE(PeekMessageA(&paint, window, WM_PAINT, WM_PAINT, PM_NOREMOVE));

    standin_fail_next("CreatePalette", 1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(toolkit_state.toolkit_palette, second);
}
