// The toolkit window's life: every failure of its opening reported once and
// leaving nothing behind; the settings and geometry; show_error; the teardown.
#include <algorithm>
#include <cctype>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

namespace {

struct FailureRow {
    const char* operation;
    const char* message; // '#' stands for an upper-case hexadecimal digit
};

class WindowCreationFailure : public FreshState, public testing::WithParamInterface<FailureRow> { };

std::vector<LONG> outer_rect()
{
    RECT r = {};
    GetWindowRect(toolkit_state.toolkit_window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool all_handles_empty()
{
    const ToolkitState& s = toolkit_state;
    return !s.toolkit_window && !s.toolkit_dc && !s.toolkit_context && !s.toolkit_palette;
}

} // namespace

TEST_P(WindowCreationFailure, IsReportedOnceAndLeavesNothingBehindButAQuitRequest)
{
    record_every_hook();
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next(GetParam().operation, 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 1);
    const StandinMessageBox* box = standin_message_box(0);
    EXPECT_EQ(std::pair(std::string(box->caption), box->style), std::pair(std::string("Error"), UINT{MB_OK}));
    std::string text = box->text, pattern = GetParam().message;
    for (size_t i = 0; i < text.size() && i < pattern.size(); i++)
        if (pattern[i] == '#' && std::isxdigit(text[i]) && !std::islower(text[i])) text[i] = '#';
    EXPECT_EQ(text, pattern);
    EXPECT_TRUE(all_handles_empty() && all_hooks_empty() && !wglGetCurrentContext());
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    EXPECT_TRUE(message_waiting(nullptr, WM_QUIT));
}

INSTANTIATE_TEST_SUITE_P(EveryStepAfterTheWindowExists, WindowCreationFailure,
    testing::Values(FailureRow{"GetDC", "Could not get an HDC for window 0x########\n"},
        FailureRow{"ChoosePixelFormat", "Selecting a pixel format failed\n"},
        FailureRow{"SetPixelFormat", "SetPixelFormat failed\n"},
        FailureRow{"wglCreateContext", "wglCreateContext Failed\n"},
        FailureRow{"wglMakeCurrent", "wglMakeCurrent Failed\n"}),
    [](const testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.operation); });

using WindowCreation = FreshState;

TEST_F(WindowCreation, FailureBeforeTheWindowExistsSendsNoMessageAndLeavesNoQuitRequest)
{
    record_every_hook();
    standin_fail_next("RegisterClassA", 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    EXPECT_EQ(standin_journal_count("CreateWindowExA"), 0);
    standin_fail_next("CreateWindowExA", 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 2);
    EXPECT_STREQ(standin_message_box(0)->text, "Failed to register window class\n");
    EXPECT_STREQ(standin_message_box(1)->text, "create window failed\n");
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(message_waiting(nullptr, WM_QUIT));
}

// The settings start as a system-placed 100 x 100 colour-index window; the
// position set is the client's corner estimated from the outer one; a window
// placed by the system learns where it went; the class is registered once.
TEST_F(WindowCreation, TheClientAreaLiesWhereTheSettingsPutIt)
{
    const ToolkitSettings& s = toolkit_settings;
    auto settings = [&s] {
        return std::vector<int32_t>({s.window_x, s.window_y, s.window_width, s.window_height, s.display_mode,
            s.use_default_position, s.system_colour_count});
    };
    EXPECT_EQ(settings(), std::vector<int32_t>({0, 0, 100, 100, DISPLAY_INDEX, 1, 25}));
    toolkit_set_position(static_cast<int32_t>(CW_USEDEFAULT), 250, 640, 480);
    toolkit_set_display_mode(0x4);
    EXPECT_EQ(settings(), std::vector<int32_t>({4, 22, 640, 480, 0x4, 1, 25}));
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    ASSERT_EQ(toolkit_open_window("placed"), 1);
    EXPECT_EQ(outer_rect(), std::vector<LONG>({0, 0, 648, 507})); // the system puts it in the corner
    EXPECT_EQ(std::pair(s.window_x, s.window_y), std::pair(4, 23));
    destroy_toolkit_window(toolkit_state.toolkit_window);
    pump_messages();
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    pump_messages();
    ASSERT_NE(open_toolkit_window(), nullptr);
    EXPECT_EQ(std::pair(s.window_x, s.window_y), std::pair(104, 122));
    EXPECT_EQ(outer_rect(), std::vector<LONG>({100, 99, 708, 626})); // a 4-pixel frame, a 19-pixel caption
    EXPECT_EQ(standin_journal_count("RegisterClassA"), 1);
    EXPECT_EQ(GetFocus(), toolkit_state.toolkit_window) << "shown and active";
    EXPECT_EQ(wglGetCurrentDC(), toolkit_state.toolkit_dc);
}

// NT 3.5 and 3.51 have 21 system colours, everything else (a failed query too) 25.
TEST_F(WindowCreation, TheSystemVersionDecidesHowManySystemColoursThereAre)
{
    struct Version {
        DWORD platform, major, minor;
        int32_t colours;
    };
    for (Version v : {Version{VER_PLATFORM_WIN32_NT, 3, 51, 21}, Version{VER_PLATFORM_WIN32_NT, 3, 5, 21},
             Version{VER_PLATFORM_WIN32_NT, 3, 10, 25}, Version{VER_PLATFORM_WIN32_NT, 4, 51, 25},
             Version{1, 3, 51, 25}, Version{VER_PLATFORM_WIN32_NT, 3, 0, 0}}) {
        reset_everything();
        standin_set_version(v.platform, v.major, v.minor);
        if (v.colours == 0) standin_fail_next("GetVersionExA", 1);
        toolkit_settings.system_colour_count = 0;
        toolkit_open_window("version");
        EXPECT_EQ(toolkit_settings.system_colour_count, v.colours ? v.colours : 25)
            << v.major << "." << v.minor;
    }
}

TEST_F(WindowCreation, ShowErrorPadsHandlesInABoxOwnedByTheFocusAndCutsAt255Characters)
{
    HWND window = open_toolkit_window();
    show_error("Could not get an HDC for window 0x%08lX\n", 0xabcUL);
    show_error("%s!", std::string(300, 'x').c_str());
    ASSERT_EQ(standin_message_box_count(), 2);
    EXPECT_STREQ(standin_message_box(0)->text, "Could not get an HDC for window 0x00000ABC\n");
    EXPECT_EQ(std::pair(standin_message_box(0)->owner, standin_message_box(0)->style),
        std::pair(window, UINT{MB_OK}));
    EXPECT_EQ(std::string(standin_message_box(1)->text), std::string(255, 'x'));
}

// Run directly while the window is active and its palette holds the static
// colours: the colours and static use go back, the palette goes, the context
// is made not current and deleted, the device context is given back, in that
// order; every handle and hook is forgotten. With nothing open it calls nothing.
TEST_F(WindowCreation, TheTeardownGivesEverythingBackInOrder)
{
    record_every_hook();
    standin_journal_clear();
    release_window_resources();
    destroy_toolkit_window(nullptr);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_TRUE(all_hooks_empty());

    standin_set_palette_display(true, true);
    HWND window = open_toolkit_window();
    ASSERT_EQ(toolkit_state.static_colours_taken, 1);
    HDC dc = toolkit_state.toolkit_dc;
    HGLRC context = toolkit_state.toolkit_context;
    HPALETTE palette = toolkit_state.toolkit_palette;
    record_every_hook();
    standin_journal_clear();
    release_window_resources();
    std::vector<int> order; // where each step stands in the journal
    for (const char* call :
        {"SetSystemPaletteUse", "DeleteObject", "wglMakeCurrent", "wglDeleteContext", "ReleaseDC"}) {
        int i = 0;
        while (i < standin_journal_length() && std::string(standin_journal_entry(i)) != call) i++;
        order.push_back(i);
    }
    EXPECT_EQ(std::pair(toolkit_state.static_colours_taken, standin_system_palette_use()),
        std::pair(0, UINT{SYSPAL_STATIC}));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 0u) << "the palette was not deleted";
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(wglDeleteContext(context)) << "the context was not deleted";
    EXPECT_EQ(GetPixelFormat(dc), 0) << "the device context was not given back";
    EXPECT_TRUE(order[4] < standin_journal_length() && std::is_sorted(order.begin(), order.end()))
        << "steps out of order";
    EXPECT_TRUE(all_handles_empty() && all_hooks_empty());
    EXPECT_EQ(toolkit_state.owns_static_colours, 1) << "left as it was";
    DestroyWindow(window);

    // Without the static colours, the stock palette is selected so that the
    // window's own can go; the colours are not touched.
    reset_everything();
    standin_set_palette_display(true, false);
    open_toolkit_window();
    palette = toolkit_state.toolkit_palette;
    standin_journal_clear();
    release_window_resources();
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 0u) << "the palette was not deleted";
    EXPECT_EQ(standin_journal_count("SetSysColors") + standin_journal_count("RealizePalette"), 0);
}
