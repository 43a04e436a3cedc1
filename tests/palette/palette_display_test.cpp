// On the simulated palette display (8-bit 3-3-2 formats that need a palette):
// the logical palette, the static colours, realisation, and the palette through
// the toolkit window's messages.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

namespace {

// A shown (so active) window and its DC, known to the toolkit as its own; no
// pixel format is set yet.
HDC open_palette_window(int32_t mode, bool need_system_palette = false)
{
    standin_set_palette_display(true, need_system_palette);
    toolkit_state.toolkit_window = open_test_window(DefWindowProcA, 0, 0, 0, 64, 64);
    toolkit_settings.display_mode = mode;
    return toolkit_state.toolkit_dc = GetDC(toolkit_state.toolkit_window);
}

int calls_of(std::initializer_list<const char*> operations)
{
    int count = 0;
    for (const char* operation : operations) count += standin_journal_count(operation);
    return count;
}

const char* const REGISTRY_NAMES[SYSTEM_COLOUR_ROWS] = {"Scrollbar", "Background", "ActiveTitle",
    "InactiveTitle", "Menu", "Window", "WindowFrame", "MenuText", "WindowText", "TitleText", "ActiveBorder",
    "InactiveBorder", "AppWorkspace", "Hilight", "HilightText", "ButtonFace", "ButtonShadow", "GrayText",
    "ButtonText", "InactiveTitleText", "ButtonHilight", "ButtonDkShadow", "ButtonLight", "InfoText",
    "InfoWindow"};
const char TAKEOVER[] = "WBBWWWBBBWWWWBWWBBBBBBWBW"; // each system colour's black or white

// Whether a refusal armed the retry timer: it runs out a moment later (its
// message comes) and is then stopped.
bool retry_timer_ran_out()
{
    MSG timer = {};
    for (int i = 0; i < 5000 && !PeekMessageA(&timer, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); i++)
        usleep(1000);
    return timer.message == WM_TIMER && timer.wParam == PALETTE_RETRY_TIMER &&
        KillTimer(toolkit_state.toolkit_window, PALETTE_RETRY_TIMER) && take_waiting(WM_TIMER) == 0;
}

} // namespace

using LogicalPalette = FreshState;

// Built once, from descriptions that are freed, after a flush of the system
// palette by a palette that is deleted; realised without touching the system
// colours when it does not own them.
TEST_F(LogicalPalette, AThreeThreeTwoFormatGetsItsPaletteOnce)
{
    HDC dc = open_palette_window(258);
    toolkit_state.owns_static_colours = 1; // recomputed by the build
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_EQ(
        std::pair(toolkit_state.owns_static_colours, toolkit_state.static_colours_taken), std::pair(0, 0));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    EXPECT_EQ(std::vector<int>({standin_journal_count("LocalAlloc"), standin_journal_count("LocalFree"),
                  standin_journal_count("CreatePalette"), standin_journal_count("DeleteObject"),
                  standin_journal_count("RealizePalette"), standin_message_box_count()}),
        std::vector<int>({2, 2, 2, 1, 2, 0}));
    EXPECT_EQ(SelectPalette(dc, palette, FALSE), palette) << "selected in the foreground";
    standin_journal_clear();
    EXPECT_EQ(build_logical_palette(dc), palette);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_GE(realise_palette(dc, palette, 1) + realise_palette(dc, palette, 0), 0);
    EXPECT_EQ(calls_of({"UnrealizeObject", "SetSystemPaletteUse", "SetSysColors"}), 0);
    // Only a full palette flushes the system palette, with a block to describe it in.
    standin_journal_clear();
    reset_system_palette(dc, 16);
    EXPECT_EQ(standin_journal_length(), 0);
    standin_fail_next("LocalAlloc", 1);
    reset_system_palette(dc, 256);
    EXPECT_EQ(calls_of({"CreatePalette", "RealizePalette"}), 0);
}

TEST_F(LogicalPalette, NoneForATrueColourFormatOrAFailedCreation)
{
    HDC dc = open_palette_window(258, true);
    standin_set_palette_display(false, false);
    toolkit_state.owns_static_colours = 1;
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1) << "not past the format checks";
    EXPECT_EQ(standin_journal_count("CreatePalette"), 0);
    standin_set_palette_display(true, true); // the format now asks for the system palette too
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(standin_journal_count("LocalFree"), standin_journal_count("LocalAlloc"));
    EXPECT_EQ(standin_journal_count("RealizePalette"), 0);
    toolkit_state.owns_static_colours = 0;
    standin_fail_next("LocalAlloc", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1) << "decided before the allocation";
    EXPECT_EQ(standin_message_box_count(), 0);
    // Built while another window is active, it is realised in the background.
    open_test_window(DefWindowProcA, 0, 100, 100, 64, 64);
    ASSERT_NE(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
}

// A device context without a format, or a format that cannot be described: one
// error box each, and no palette.
TEST_F(LogicalPalette, AFormatThatCannotBeReadIsReportedInOneErrorBox)
{
    HDC dc = open_palette_window(258);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    ASSERT_EQ(select_pixel_format(dc, 258), 1);
    int number = GetPixelFormat(dc);
    PIXELFORMATDESCRIPTOR format;
    standin_fail_next("DescribePixelFormat", 1);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), 0);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), number);
    char texts[2][64];
    std::snprintf(texts[0], 64, "Could not get pixel format for Dc 0x%08lX\n",
        static_cast<unsigned long>(reinterpret_cast<uintptr_t>(dc)));
    std::snprintf(texts[1], 64, "Could not get a description of pixel format %d\n", number);
    ASSERT_EQ(standin_message_box_count(), 2);
    for (int i = 0; i < 2; i++) {
        EXPECT_STREQ(standin_message_box(i)->text, texts[i]);
        EXPECT_STREQ(standin_message_box(i)->caption, "Error");
    }
}

using StaticColours = FreshState;

// The takeover saves the colours, sets each row to black or white and tells
// every window once; the give-back sets each row from its own registry value.
// NT 3.51 has 21 system colours: the other four are never touched.
TEST_F(StaticColours, EachRowIsTakenOverAndGivenBackFromItsOwnRegistryValue)
{
    for (int32_t rows : {25, 21}) {
        reset_everything();
        HDC dc = open_palette_window(258 | DISPLAY_OWN_STATIC_COLOURS);
        toolkit_settings.system_colour_count = rows;
        COLORREF before[SYSTEM_COLOUR_ROWS];
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) {
            before[i] = GetSysColor(i);
            char text[32];
            std::snprintf(text, sizeof text, "%d %d %d", i, 100 + i, 200 + i);
            standin_registry_set_string(REGISTRY_NAMES[i], text);
        }
        ASSERT_EQ(take_static_colours(dc), 1);
        EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
            std::pair(1, UINT{SYSPAL_NOSTATIC}));
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++)
            EXPECT_EQ(GetSysColor(i),
                i >= rows                ? before[i]
                    : TAKEOVER[i] == 'W' ? RGB(255, 255, 255)
                                         : 0)
                << "row " << i;
        EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
        standin_journal_clear();
        EXPECT_EQ(take_static_colours(dc), 1) << "already taken";
        EXPECT_EQ(standin_journal_length(), 0);
        ASSERT_EQ(restore_static_colours(dc), 1);
        EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
            std::pair(0, UINT{SYSPAL_STATIC}));
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++)
            EXPECT_EQ(GetSysColor(i), i >= rows ? before[i] : RGB(i, 100 + i, 200 + i)) << "row " << i;
        EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
        standin_journal_clear();
        EXPECT_EQ(restore_static_colours(dc), 0) << "nothing taken";
        EXPECT_EQ(standin_journal_length(), 0);
    }
}

// Leaves digits where the next calls' buffers lie, so that a read past a value parses them.
static void __attribute__((noinline)) dirty_stack()
{
    volatile char junk[8192];
    for (volatile char& c : junk) c = '7';
}

// A value that cannot be read as three numbers gives back the colour saved at
// the takeover; without the key every saved colour comes back.
TEST_F(StaticColours, UnreadableValuesGiveBackTheSavedColour)
{
    HDC dc = open_palette_window(258 | DISPLAY_OWN_STATIC_COLOURS);
    COLORREF before[SYSTEM_COLOUR_ROWS];
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) before[i] = GetSysColor(i);
    // 64 bytes, the last number ending in the last byte, no terminating zero.
    char text[80];
    std::memset(text, ' ', sizeof(text));
    std::memcpy(text, "10 20", 5);
    std::memcpy(text + 62, "33", 2);
    standin_registry_set_raw("Scrollbar", REG_SZ, text, 64);
    text[79] = '\0';
    standin_registry_set_string("HilightText", text); // too long
    standin_registry_set_raw("Hilight", REG_DWORD, "4 5 6", 6);
    standin_registry_set_binary("MenuText", "1 2 3", 6);
    standin_registry_set_string("ActiveTitle", "12 34");
    standin_registry_delete_value("Background");
    for (int round = 0; round < 2; round++) {
        ASSERT_EQ(take_static_colours(dc), 1);
        dirty_stack();
        ASSERT_EQ(restore_static_colours(dc), 1);
        before[COLOR_SCROLLBAR] = 0x0021140A;
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
        standin_registry_delete_colours_key();
    }
    EXPECT_FALSE(load_user_colours(before, SYSTEM_COLOUR_ROWS));
}

using PaletteRealisation = FreshState;

TEST_F(PaletteRealisation, ForegroundTakesOverBackgroundGivesBackARefusalRetriesLater)
{
    HDC dc = open_palette_window(258 | DISPLAY_OWN_STATIC_COLOURS);
    ASSERT_EQ(select_pixel_format(dc, 258 | DISPLAY_OWN_STATIC_COLOURS), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(SelectPalette(dc, palette, TRUE), palette) << "selected in the background";
    standin_fail_next("UnrealizeObject", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    standin_fail_next("SelectPalette", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_GE(realise_palette(dc, stock, 1), 0); // the teardown's give-back
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
        std::pair(0, UINT{SYSPAL_STATIC}));
    // Nothing taken: still unrealised, selected and realised.
    standin_journal_clear();
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    EXPECT_EQ(
        std::vector<int>({standin_journal_count("UnrealizeObject"), standin_journal_count("SelectPalette"),
            standin_journal_count("RealizePalette"), standin_journal_count("SetSysColors")}),
        std::vector<int>({1, 1, 1, 0}));
    // Someone else has the system palette: nothing is selected, and two
    // refusals leave one retry waiting.
    take_waiting(WM_SYSCOLORCHANGE);
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    standin_journal_clear();
    EXPECT_EQ(realise_palette(dc, palette, 0) + realise_palette(dc, palette, 0), -2);
    EXPECT_EQ(standin_journal_count("Sleep"), 2);
    EXPECT_EQ(calls_of({"SetSysColors", "SelectPalette", "RealizePalette"}), 0);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
    EXPECT_EQ(std::pair(take_waiting(WM_USER), take_waiting(WM_SYSCOLORCHANGE)), std::pair(0, 0))
        << "at once";
    EXPECT_TRUE(retry_timer_ran_out());
    // A failed call counts as a refusal too; without a window no retry is queued.
    standin_set_system_palette_use(SYSPAL_STATIC);
    standin_fail_next("SetSystemPaletteUse", 1);
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_TRUE(retry_timer_ran_out());
    toolkit_state.toolkit_window = nullptr;
    standin_journal_clear();
    queue_palette_retry();
    EXPECT_EQ(standin_journal_count("SetTimer") + take_waiting(WM_USER), 0);
}

using PaletteMessages = FreshState;

// Deactivation gives the static colours back, for good (the rebuild its own
// colour change causes does not take them again); activation takes them,
// repaints and answers 1; a minimised window or one without a palette is left
// to DefWindowProcA. The takeover's own colour change is no refusal.
TEST_F(PaletteMessages, ActivationTakesTheStaticColoursAndDeactivationGivesThemBack)
{
    standin_set_palette_display(true, true);
    HWND window = open_toolkit_window();
    EXPECT_EQ(std::vector<int>({toolkit_state.static_colours_taken, standin_journal_count("SetSysColors"),
                  standin_journal_count("Sleep"), message_waiting(nullptr, WM_USER)}),
        std::vector<int>({1, 1, 0, 0}));
    EXPECT_EQ(window_procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0), 0);
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, GetSysColor(COLOR_WINDOW)),
        std::pair(0, RGB(255, 255, 255)));
    standin_focus(window, false);
    pump_messages();
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
        std::pair(0, UINT{SYSPAL_STATIC}));
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0), 0) << "minimised";
    EXPECT_EQ(standin_journal_count("SetSystemPaletteUse"), 0);
    ValidateRect(window, nullptr);
    EXPECT_EQ(window_procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0), 1);
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
        std::pair(1, UINT{SYSPAL_NOSTATIC}));
    EXPECT_TRUE(message_waiting(window, WM_PAINT));
    toolkit_state.toolkit_palette = nullptr;
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0), 0);
    EXPECT_EQ(window_procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0), 0);
    EXPECT_EQ(std::pair(standin_journal_count("RealizePalette"), standin_journal_count("DefWindowProcA")),
        std::pair(0, 2));
}

// While another window keeps the system palette, every retry is refused, yet
// frames go on between the retries.
TEST_F(PaletteMessages, RefusedRetriesLeaveTheFramesGoingOn)
{
    standin_set_palette_display(true, true);
    HWND window = open_toolkit_window();
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    toolkit_state.static_colours_taken = 0;
    PostMessageA(window, WM_USER, 0, 0);
    static int frames;
    frames = 0;
    set_idle_hook([] {
        if (++frames == 3) PostQuitMessage(0);
    });
    alarm(20); // a loop that never idles ends this test process only
    run_message_loop();
    alarm(0);
    EXPECT_EQ(frames, 3);
}

// A mode changed after opening changes nothing the open window owns: a
// rebuild still takes the static colours, and deactivation gives them back.
TEST_F(PaletteMessages, ChangingTheModeAfterOpeningKeepsWhatTheWindowOwns)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window(DISPLAY_DOUBLE | DISPLAY_OWN_STATIC_COLOURS);
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1);
    standin_focus(window, false);
    pump_messages();
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
        std::pair(0, UINT{SYSPAL_STATIC}));
}

// Another window's palette change is followed in the background, without a
// repaint; one this window caused, or one while the colours are taken, is not.
// A retry (posted when the retry timer runs out) realises in the foreground
// and repaints when that mapped entries, but waits for the next activation
// while the window is inactive.
TEST_F(PaletteMessages, APaletteChangeIsFollowedAndARetryRealisesAgain)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window();
    HWND other = open_test_window(DefWindowProcA, 0, 300, 300, 32, 32);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
             palette = toolkit_state.toolkit_palette;
    for (int row = 0; row < 3; row++) {
        toolkit_state.static_colours_taken = row == 2;
        ValidateRect(window, nullptr);
        SelectPalette(toolkit_state.toolkit_dc, stock, FALSE);
        standin_journal_clear();
        EXPECT_EQ(window_procedure(
                      window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(row == 1 ? window : other), 0),
            0);
        EXPECT_EQ(standin_journal_count("RealizePalette"), row == 0 ? 1 : 0) << row;
        EXPECT_EQ(SelectPalette(toolkit_state.toolkit_dc, palette, TRUE) == palette, row == 0) << row;
        EXPECT_FALSE(message_waiting(window, WM_PAINT));
    }
    toolkit_state.static_colours_taken = 0;
    standin_journal_clear();
    EXPECT_EQ(window_procedure(window, WM_USER, 0, 0), 0);
    EXPECT_EQ(standin_journal_count("RealizePalette"), 0) << "inactive";
    standin_focus(window, true);
    pump_messages();
    ValidateRect(window, nullptr);
    EXPECT_EQ(window_procedure(window, WM_USER, 0, 0), 0);
    EXPECT_FALSE(message_waiting(window, WM_PAINT)) << "nothing changed";
    alignas(LOGPALETTE) BYTE block[sizeof(LOGPALETTE) + 63 * sizeof(PALETTEENTRY)];
    LOGPALETTE* description = reinterpret_cast<LOGPALETTE*>(block);
    *description = {0x300, 64, {}};
    for (int i = 0; i < 64; i++)
        description->palPalEntry[i] = {static_cast<BYTE>(3 + i), 1, 2, PC_NOCOLLAPSE};
    HDC other_dc = GetDC(other);
    SelectPalette(other_dc, CreatePalette(description), FALSE);
    RealizePalette(other_dc);
    pump_messages();
    ValidateRect(window, nullptr);
    SetTimer(window, PALETTE_RETRY_TIMER, 10, nullptr);
    EXPECT_EQ(window_procedure(window, WM_TIMER, PALETTE_RETRY_TIMER, 0), 0);
    EXPECT_EQ(std::pair(take_waiting(WM_USER), KillTimer(window, PALETTE_RETRY_TIMER)), std::pair(1, FALSE));
    EXPECT_EQ(window_procedure(window, WM_USER, 0, 0), 0);
    EXPECT_TRUE(message_waiting(window, WM_PAINT));
}

// A system colour change from elsewhere rebuilds the palette from the format
// in force: a new palette replaces the old, which is deleted, and the window
// is repainted; a failed rebuild keeps the old; no palette, nothing to rebuild.
TEST_F(PaletteMessages, SystemColourChangeRebuildsThePaletteAndAFailedRebuildKeepsTheOld)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window();
    HPALETTE first = toolkit_state.toolkit_palette;
    ValidateRect(window, nullptr);
    standin_journal_clear();
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    HPALETTE second = toolkit_state.toolkit_palette;
    EXPECT_TRUE(second != nullptr && second != first);
    EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u) << "the old palette was not deleted";
    EXPECT_TRUE(message_waiting(window, WM_PAINT));
    EXPECT_EQ(standin_journal_count("DefWindowProcA"), 1) << "the message goes on to DefWindowProcA";
    standin_fail_next("CreatePalette", 1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(toolkit_state.toolkit_palette, second);
    standin_journal_clear();
    toolkit_state.toolkit_palette = nullptr;
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    toolkit_state.toolkit_palette = second;
    standin_fail_next("GetPixelFormat", 1);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(std::pair(standin_journal_count("CreatePalette"), toolkit_state.toolkit_palette),
        std::pair(0, second));
}
