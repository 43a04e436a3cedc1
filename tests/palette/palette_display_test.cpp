// The palette on the simulated 3-3-2 palette display: building, static colours, realisation, messages.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "palette/palette.h"
#include "platform/gl.h"
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

// A shown (so active) window and its DC, the toolkit's own; no pixel format yet.
static HDC open_palette_window(int32_t mode, bool need_system_palette = false)
{
    standin_set_palette_display(true, need_system_palette);
    toolkit_state.toolkit_window = open_test_window(DefWindowProcA, 0, 0, 0, 64, 64);
    toolkit_settings.display_mode = mode;
    return toolkit_state.toolkit_dc = GetDC(toolkit_state.toolkit_window);
}

// Whether the static colours are taken, and the system palette's use; as with them taken or given back.
static std::pair<int, UINT> static_colours()
{
    return {toolkit_state.static_colours_taken, standin_system_palette_use()};
}
static const std::pair<int, UINT> TAKEN{1, SYSPAL_NOSTATIC}, GIVEN_BACK{0, SYSPAL_STATIC};
static const COLORREF BLACK = RGB(0, 0, 0), WHITE = RGB(255, 255, 255);

// The window procedure's answer to a message, the calls it made of the operations named, and whether it
// asked for a repaint, as "1 1 paint".
static std::string handle(
    HWND window, UINT message, WPARAM wParam = 0, const char* operations = "RealizePalette")
{
    ValidateRect(window, nullptr);
    standin_journal_clear();
    std::string answer = std::to_string(window_procedure(window, message, wParam, 0)) + " ";
    return answer + journal_counts(operations) + (message_waiting(window, WM_PAINT) ? " paint" : "");
}

// Whether a refusal armed the retry timer: its message comes a moment later, and it is then stopped.
static bool retry_timer_ran_out()
{
    MSG timer = {};
    for (int i = 0; i < 5000 && !PeekMessageA(&timer, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); i++)
        usleep(1000);
    return timer.message == WM_TIMER && timer.wParam == PALETTE_RETRY_TIMER &&
        KillTimer(toolkit_state.toolkit_window, PALETTE_RETRY_TIMER) && take_waiting(WM_TIMER) == 0;
}

// Leaves digits where the next calls' buffers lie, so that a read past a value parses them.
static void __attribute__((noinline)) dirty_stack()
{
    volatile char junk[8192];
    for (volatile char& c : junk) c = '7';
}

using LogicalPalette = FreshState;

const int32_t DEMO_MODE = 258; // DISPLAY_DOUBLE | DISPLAY_DEPTH16 by value, as the demonstration asks

// None for a true-colour format, and nothing past the format checks.
TEST_F(LogicalPalette, ATrueColourFormatGetsNone)
{
    HDC dc = open_palette_window(DEMO_MODE);
    standin_set_palette_display(false, false);
    toolkit_state.owns_static_colours = 1;
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, DEMO_MODE), 1);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1) << "not past the format checks";
    EXPECT_EQ(standin_journal_count("CreatePalette"), 0);
}

// 3-3-2 gets one once, from freed descriptions, after a flush; not owning the
// static colours, it realises without touching them. Asked before there is a
// format: an error box.
TEST_F(LogicalPalette, AThreeThreeTwoFormatGetsItsPaletteOnce)
{
    HDC dc = open_palette_window(DEMO_MODE);
    EXPECT_EQ(build_logical_palette(dc), nullptr) << "no format yet";
    ASSERT_EQ(standin_message_box_count(), 1);
    char text[64];
    std::snprintf(text, sizeof text, "Error: Could not get pixel format for Dc 0x%08lX\n",
        static_cast<unsigned long>(reinterpret_cast<uintptr_t>(dc)));
    EXPECT_EQ(std::string(standin_message_box(0)->caption) + ": " + standin_message_box(0)->text, text);
    standin_journal_clear();
    ASSERT_EQ(select_pixel_format(dc, DEMO_MODE), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_EQ(
        std::pair(toolkit_state.owns_static_colours, toolkit_state.static_colours_taken), std::pair(0, 0));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 256u);
    EXPECT_EQ(journal_counts("LocalAlloc LocalFree CreatePalette DeleteObject RealizePalette"), "2 2 2 1 2");
    EXPECT_EQ(SelectPalette(dc, palette, FALSE), palette) << "selected in the foreground";
    standin_journal_clear();
    EXPECT_EQ(build_logical_palette(dc), palette);
    reset_system_palette(dc, 16); // only a full palette flushes the system palette
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_GE(realise_palette(dc, palette, 1) + realise_palette(dc, palette, 0), 0);
    EXPECT_EQ(journal_counts("UnrealizeObject SetSystemPaletteUse SetSysColors"), "0 0 0") << "not owned";
    standin_fail_next("LocalAlloc", 1);
    standin_journal_clear();
    reset_system_palette(dc, 256);
    EXPECT_EQ(journal_counts("CreatePalette RealizePalette"), "0 0");
}

// A failed build leaves none; ownership of the static colours is decided
// before the allocation; a palette built while inactive takes nothing.
TEST_F(LogicalPalette, AFailedBuildLeavesNone)
{
    HDC dc = open_palette_window(DEMO_MODE);
    ASSERT_EQ(select_pixel_format(dc, DEMO_MODE), 1);
    toolkit_state.toolkit_palette = nullptr;
    standin_set_palette_display(true, true);
    standin_journal_clear();
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_EQ(journal_counts("LocalFree RealizePalette"), journal_counts("LocalAlloc") + " 0");
    toolkit_state.owns_static_colours = 0;
    standin_fail_next("LocalAlloc", 1);
    EXPECT_EQ(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.owns_static_colours, 1) << "decided before the allocation";
    open_test_window(DefWindowProcA, 0, 100, 100, 64, 64); // built while inactive: realised in the background
    ASSERT_NE(build_logical_palette(dc), nullptr);
    EXPECT_EQ(toolkit_state.static_colours_taken, 0);
}

// A format that cannot be described is boxed, the next call gives its number.
TEST_F(LogicalPalette, AFormatThatCannotBeDescribedIsBoxed)
{
    HDC dc = open_palette_window(DEMO_MODE);
    ASSERT_EQ(select_pixel_format(dc, DEMO_MODE), 1);
    int number = GetPixelFormat(dc);
    PIXELFORMATDESCRIPTOR format;
    standin_fail_next("DescribePixelFormat", 1);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), 0);
    EXPECT_EQ(describe_current_pixel_format(dc, &format), number);
    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_EQ(std::string(standin_message_box(0)->caption) + ": " + standin_message_box(0)->text,
        "Error: Could not get a description of pixel format " + std::to_string(number) + "\n");
}

using StaticColours = FreshState;

static const char* const REGISTRY_NAMES[SYSTEM_COLOUR_ROWS] = {"Scrollbar", "Background", "ActiveTitle",
    "InactiveTitle", "Menu", "Window", "WindowFrame", "MenuText", "WindowText", "TitleText", "ActiveBorder",
    "InactiveBorder", "AppWorkspace", "Hilight", "HilightText", "ButtonFace", "ButtonShadow", "GrayText",
    "ButtonText", "InactiveTitleText", "ButtonHilight", "ButtonDkShadow", "ButtonLight", "InfoText",
    "InfoWindow"};
static const char TAKEOVER[] = "WBBWWWBBBWWWWBWWBBBBBBWBW"; // each system colour's black or white

// The takeover saves each row and sets it black or white, the give-back sets it
// from its registry value; both tell every window once. NT 3.51 has 21 rows.
TEST_F(StaticColours, EachRowIsTakenOverAndGivenBackFromItsOwnRegistryValue)
{
    HDC dc = open_palette_window(DISPLAY_DOUBLE);
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++)
        standin_registry_set_string(REGISTRY_NAMES[i],
            (std::to_string(i) + " " + std::to_string(100 + i) + " " + std::to_string(200 + i)).c_str());
    COLORREF before[SYSTEM_COLOUR_ROWS];
    for (int32_t rows : {21, 25}) {
        toolkit_settings.system_colour_count = rows;
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) before[i] = GetSysColor(i);
        ASSERT_EQ(take_static_colours(dc), 1);
        EXPECT_EQ(static_colours(), TAKEN);
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++)
            EXPECT_EQ(GetSysColor(i),
                i >= rows                ? before[i]
                    : TAKEOVER[i] == 'W' ? WHITE
                                         : BLACK)
                << "row " << i;
        EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
        standin_journal_clear();
        EXPECT_EQ(take_static_colours(dc), 1) << "already taken";
        EXPECT_EQ(standin_journal_length(), 0);
        ASSERT_EQ(restore_static_colours(dc), 1);
        EXPECT_EQ(static_colours(), GIVEN_BACK);
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++)
            EXPECT_EQ(GetSysColor(i), i >= rows ? before[i] : RGB(i, 100 + i, 200 + i)) << "row " << i;
        EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 1);
        standin_journal_clear();
        EXPECT_EQ(restore_static_colours(dc), 0) << "nothing taken";
        EXPECT_EQ(standin_journal_length(), 0);
    }
}

// A row whose value is unreadable gets its saved colour back: 64 bytes, the
// last number ending in the last byte, no terminating zero (read); the same too
// long, another type, two numbers, a missing value; every row, the key gone.
TEST_F(StaticColours, ARowWhoseValueIsUnreadableGetsItsSavedColourBack)
{
    HDC dc = open_palette_window(DISPLAY_DOUBLE);
    COLORREF before[SYSTEM_COLOUR_ROWS];
    for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) before[i] = GetSysColor(i);
    std::string text = "10 20" + std::string(57, ' ') + "33" + std::string(15, ' ');
    standin_registry_set_raw("Scrollbar", REG_SZ, text.data(), 64);
    standin_registry_set_string("HilightText", text.c_str());
    standin_registry_set_raw("Hilight", REG_DWORD, "4 5 6", 6);
    standin_registry_set_binary("MenuText", "1 2 3", 6);
    standin_registry_set_string("ActiveTitle", "12 34");
    standin_registry_delete_value("Background");
    for (int round = 0; round < 2; round++) {
        ASSERT_EQ(take_static_colours(dc), 1);
        dirty_stack();
        ASSERT_EQ(restore_static_colours(dc), 1);
        before[COLOR_SCROLLBAR] = RGB(10, 20, 33);
        for (int i = 0; i < SYSTEM_COLOUR_ROWS; i++) EXPECT_EQ(GetSysColor(i), before[i]) << "row " << i;
        standin_registry_delete_colours_key();
    }
    EXPECT_FALSE(load_user_colours(before, SYSTEM_COLOUR_ROWS));
}

// Realisation takes them in the foreground and gives them back in the
// background, owned by the mode the format was selected with; the teardown's
// stock palette gives them back, and touches nothing with none taken.
TEST_F(StaticColours, RealisationTakesThemInTheForegroundAndGivesThemBackInTheBackground)
{
    HDC dc = open_palette_window(DISPLAY_DOUBLE);
    ASSERT_EQ(select_pixel_format(dc, DISPLAY_DOUBLE | DISPLAY_OWN_STATIC_COLOURS), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    EXPECT_GE(realise_palette(dc, palette, 1), 0);
    EXPECT_EQ(SelectPalette(dc, palette, TRUE), palette) << "selected in the background";
    standin_fail_next("UnrealizeObject", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    EXPECT_EQ(toolkit_state.static_colours_taken, 1);
    standin_fail_next("SelectPalette", 1);
    EXPECT_EQ(realise_palette(dc, palette, 0), -1);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_GE(realise_palette(dc, stock, 1), 0); // the teardown's give-back
    EXPECT_EQ(static_colours(), GIVEN_BACK);
    standin_journal_clear();
    EXPECT_GE(realise_palette(dc, stock, 1), 0);
    EXPECT_EQ(journal_counts("UnrealizeObject SelectPalette RealizePalette SetSysColors"), "1 1 1 0")
        << "none taken";
}

// Someone else has the system palette: nothing is selected, and two refusals
// leave one retry waiting. A failed call counts as a refusal too; without a
// window no retry is queued.
TEST_F(StaticColours, RefusalsLeaveOneRetryWaiting)
{
    HDC dc = open_palette_window(DISPLAY_DOUBLE);
    ASSERT_EQ(select_pixel_format(dc, DISPLAY_DOUBLE | DISPLAY_OWN_STATIC_COLOURS), 1);
    HPALETTE palette = toolkit_state.toolkit_palette;
    ASSERT_EQ(restore_static_colours(dc), 1);
    take_waiting(WM_SYSCOLORCHANGE);
    standin_set_system_palette_use(SYSPAL_NOSTATIC);
    standin_journal_clear();
    EXPECT_EQ(realise_palette(dc, palette, 0) + realise_palette(dc, palette, 0), -2);
    EXPECT_EQ(journal_counts("Sleep SetSysColors SelectPalette RealizePalette"), "2 0 0 0");
    EXPECT_EQ(take_waiting(WM_PALETTE_RETRY), 0) << "a retry at once";
    EXPECT_EQ(take_waiting(WM_SYSCOLORCHANGE), 0);
    EXPECT_TRUE(retry_timer_ran_out());
    standin_set_system_palette_use(SYSPAL_STATIC);
    standin_fail_next("SetSystemPaletteUse", 1);
    EXPECT_EQ(take_static_colours(dc), 0);
    EXPECT_TRUE(retry_timer_ran_out());
    toolkit_state.toolkit_window = nullptr;
    standin_journal_clear();
    queue_palette_retry();
    EXPECT_EQ(standin_journal_count("SetTimer"), 0);
    EXPECT_EQ(take_waiting(WM_PALETTE_RETRY), 0);
}

using PaletteMessages = FreshState;

// Deactivation gives the static colours back for good, activation takes them and repaints (minimised or
// without a palette: DefWindowProcA). Neither the takeover's colour change nor refused retries stop frames.
TEST_F(PaletteMessages, ActivationTakesTheStaticColoursAndDeactivationGivesThemBack)
{
    standin_set_palette_display(true, true);
    HWND window = open_toolkit_window();
    EXPECT_EQ(static_colours(), TAKEN);
    EXPECT_EQ(journal_counts("SetSysColors Sleep"), "1 0");
    EXPECT_FALSE(message_waiting(nullptr, WM_PALETTE_RETRY));
    EXPECT_EQ(handle(window, WM_ACTIVATE, WA_INACTIVE), "0 1");
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    standin_focus(window, false);
    pump_messages();
    EXPECT_EQ(static_colours(), GIVEN_BACK);
    EXPECT_EQ(handle(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1)), "0 0") << "minimised";
    EXPECT_EQ(handle(window, WM_ACTIVATE, WA_CLICKACTIVE), "1 1 paint");
    EXPECT_EQ(static_colours(), TAKEN);
    standin_focus(window, true);
    pump_messages();
    toolkit_state.static_colours_taken = 0; // another window keeps the system palette
    PostMessageA(window, WM_PALETTE_RETRY, 0, 0);
    static int frames;
    frames = 0;
    set_idle_hook([] {
        if (++frames == 3) PostQuitMessage(0);
    });
    alarm(20); // a loop that never idles ends this test process only
    run_message_loop();
    alarm(0);
    EXPECT_EQ(frames, 3);
    toolkit_state.toolkit_palette = nullptr;
    for (WPARAM state : {WA_ACTIVE, WA_INACTIVE})
        EXPECT_EQ(handle(window, WM_ACTIVATE, state, "RealizePalette DefWindowProcA"), "0 0 1");
}

// A system colour change rebuilds the palette, deletes the old and repaints; a failed rebuild keeps the old.
TEST_F(PaletteMessages, ASystemColourChangeRebuildsThePalette)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window(DISPLAY_DOUBLE);
    HPALETTE first = toolkit_state.toolkit_palette;
    EXPECT_EQ(handle(window, WM_SYSCOLORCHANGE, 0, "RealizePalette DefWindowProcA"), "0 2 1 paint");
    HPALETTE palette = toolkit_state.toolkit_palette;
    EXPECT_NE(palette, nullptr);
    EXPECT_NE(palette, first) << "not rebuilt";
    EXPECT_EQ(GetPaletteEntries(first, 0, 0, nullptr), 0u) << "the old palette was not deleted";
    standin_fail_next("CreatePalette", 1);
    EXPECT_EQ(handle(window, WM_SYSCOLORCHANGE), "0 0");
    EXPECT_EQ(toolkit_state.toolkit_palette, palette);
    toolkit_state.toolkit_palette = nullptr;
    EXPECT_EQ(handle(window, WM_SYSCOLORCHANGE), "0 0");
    toolkit_state.toolkit_palette = palette;
    standin_fail_next("GetPixelFormat", 1);
    EXPECT_EQ(handle(window, WM_SYSCOLORCHANGE), "0 0");
    EXPECT_EQ(toolkit_state.toolkit_palette, palette);
}

// Another window's palette change is followed in the background, unless the colours are taken. A retry
// (posted by the timer) waits for activation, realises and repaints when that mapped entries.
TEST_F(PaletteMessages, AnotherWindowsPaletteChangeAndARetryRealiseAgain)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window(DISPLAY_DOUBLE);
    HPALETTE palette = toolkit_state.toolkit_palette;
    HWND other = open_test_window(DefWindowProcA, 0, 300, 300, 32, 32);
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    for (int row = 0; row < 3; row++) {
        toolkit_state.static_colours_taken = row == 2;
        SelectPalette(toolkit_state.toolkit_dc, stock, FALSE);
        WPARAM changed_by = reinterpret_cast<WPARAM>(row == 1 ? window : other);
        EXPECT_EQ(handle(window, WM_PALETTECHANGED, changed_by), row == 0 ? "0 1" : "0 0") << row;
        EXPECT_EQ(SelectPalette(toolkit_state.toolkit_dc, palette, TRUE) == palette, row == 0) << row;
    }
    toolkit_state.static_colours_taken = 0;
    EXPECT_EQ(handle(window, WM_PALETTE_RETRY), "0 0") << "inactive";
    standin_focus(window, true);
    pump_messages();
    EXPECT_EQ(handle(window, WM_PALETTE_RETRY), "0 1") << "nothing changed";
    reset_system_palette(GetDC(other), 256); // another window's palette takes the system palette's entries
    pump_messages();
    SetTimer(window, PALETTE_RETRY_TIMER, 10, nullptr);
    EXPECT_EQ(handle(window, WM_TIMER, PALETTE_RETRY_TIMER), "0 0");
    EXPECT_EQ(std::pair(take_waiting(WM_PALETTE_RETRY), KillTimer(window, PALETTE_RETRY_TIMER)),
        std::pair(1, FALSE));
    EXPECT_EQ(handle(window, WM_PALETTE_RETRY), "0 1 paint");
}

// A solid frame of the colour given, as the palette display shows it.
static std::vector<int> shown(HWND window, HDC dc, std::vector<float> colour)
{
    glClearColor(colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
    return pixel(window, 0, 0);
}

using PaletteDisplay = FreshState;

// Each pixel's 3-3-2 value shows the system entry the last realisation gave it: a colour of the palette
// exactly, any other as its 3-3-2 colour. A gradient shows only colours of the system palette, the right way
// up, whatever the program's settings, which stay.
TEST_F(PaletteDisplay, TheFrameShowsTheSystemEntriesTheRealisationGaveItsPixelValues)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window();
    HDC dc = toolkit_state.toolkit_dc;
    EXPECT_EQ(shown(window, dc, {63, 255, 116}), (std::vector<int>{63, 255, 116}));
    EXPECT_EQ(shown(window, dc, {100, 150, 200}), (std::vector<int>{139, 171, 255}));
    glBegin(GL_QUADS);
    for (float corner : {0.0f, 1.0f, 2.0f, 3.0f}) {
        glColor3f(corner == 1, corner == 2, corner > 1);
        glVertex2f(corner == 1 || corner == 2 ? 1 : -1, corner < 2 ? -1 : 1);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 5);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_PACK_ALIGNMENT, 2);
    glReadBuffer(GL_FRONT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    SwapBuffers(dc);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    const GLenum settings[] = {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT, GL_READ_BUFFER, GL_TEXTURE_BINDING_2D};
    std::vector<GLint> kept(4);
    for (int i = 0; i < 4; i++) glGetIntegerv(settings[i], &kept[i]);
    EXPECT_EQ(kept, (std::vector<GLint>{8, 2, GL_FRONT, 5}));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    std::vector<unsigned char> frame(600 * 500 * 4);
    ASSERT_TRUE(standin_read_pixels(window, 0, 0, 600, 500, frame.data()));
    PALETTEENTRY entries[256];
    standin_system_palette(entries);
    std::set<COLORREF> palette, seen;
    for (const PALETTEENTRY& entry : entries) palette.insert(RGB(entry.peRed, entry.peGreen, entry.peBlue));
    for (size_t i = 0; i < frame.size(); i += 4) seen.insert(RGB(frame[i], frame[i + 1], frame[i + 2]));
    EXPECT_TRUE(std::includes(palette.begin(), palette.end(), seen.begin(), seen.end()));
    EXPECT_GT(seen.size(), 40u);
    EXPECT_EQ(std::vector<int>(&frame[599 * 4], &frame[599 * 4 + 3]), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(
        std::vector<int>(&frame[499 * 600 * 4], &frame[499 * 600 * 4 + 3]), (std::vector<int>{0, 0, 255}));
}

// Only the nearest is left after another palette came in front; past a short palette's end the nearest
// entry's (an explicit one's named entry); with no realisation the nearest static colour. Windows of any
// size down to a pixel are shown so; an empty one is left.
TEST_F(PaletteDisplay, AnotherPaletteInFrontOrAShortOneLeavesTheNearestEntries)
{
    standin_set_palette_display(true, false);
    HWND window = open_toolkit_window();
    HWND other = open_test_window(DefWindowProcA, 0, 300, 300, 32, 32);
    reset_system_palette(GetDC(other), 256); // black in every entry not static
    pump_messages();
    EXPECT_EQ(shown(window, toolkit_state.toolkit_dc, {63, 255, 116}), (std::vector<int>{0, 255, 0}));
    HDC short_dc = GetDC(other);
    ASSERT_NE(make_gl_current(short_dc), nullptr);
    EXPECT_EQ(shown(other, short_dc, {255, 255, 170}), (std::vector<int>{255, 251, 240}));
    struct {
        WORD version, count;
        PALETTEENTRY entries[2];
    } two = {0x300, 2, {{251, 0, 0, PC_EXPLICIT}, {10, 20, 30, PC_NOCOLLAPSE}}}; // 251: the static yellow
    SelectPalette(short_dc, CreatePalette(reinterpret_cast<LOGPALETTE*>(&two)), FALSE);
    RealizePalette(short_dc);
    EXPECT_EQ(shown(other, short_dc, {200, 200, 50}), (std::vector<int>{255, 255, 0}));
    standin_resize(other, 512, 600, false); // bands that fill the buffer exactly
    EXPECT_EQ(shown(other, short_dc, {64, 0, 0}), (std::vector<int>{10, 20, 30}));
    standin_resize(other, 1, 1, false);
    EXPECT_EQ(shown(other, short_dc, {64, 0, 0}), (std::vector<int>{10, 20, 30}));
    standin_resize(other, 0, 64, false);
    SwapBuffers(short_dc); // nothing to show, and no fault
}
