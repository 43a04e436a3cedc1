// The toolkit window's life: failed openings, settings and geometry, show_error, teardown.
#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <tuple>

#include "palette/palette.h"
#include "platform/standin/testing.h"
#include "tests/support/recording.h"
#include "tests/support/windows.h"

// The outer rectangle, then the client area's corner as the settings hold it.
static std::vector<LONG> placement()
{
    RECT r = {};
    GetWindowRect(toolkit_state.toolkit_window, &r);
    return {r.left, r.top, r.right, r.bottom, toolkit_settings.window_x, toolkit_settings.window_y};
}

static bool all_handles_empty()
{
    const ToolkitState& s = toolkit_state;
    return !s.toolkit_window && !s.toolkit_dc && !s.toolkit_context && !s.toolkit_palette;
}

// Whether the text is the pattern, each '#' in it an upper-case hexadecimal digit.
static bool matches(std::string_view text, std::string_view pattern)
{
    return std::equal(text.begin(), text.end(), pattern.begin(), pattern.end(), [](char t, char p) {
        return p == '#' ? std::isxdigit(static_cast<unsigned char>(t)) && !std::islower(t) : t == p;
    });
}

// Rows: the operation failing, its box's text ('#' a hexadecimal digit), and
// whether the window existed by then.
using FailedOpening = FreshStateWith<const char*, bool>;

// One error box per failure. Before the window exists no message is sent and
// no quit asked for; after, the window is destroyed once, leaving a quit request.
TEST_P(FailedOpening, IsReportedOnceAndLeavesNothingBehind)
{
    auto [operation, message, window_existed] = GetParam();
    record_every_hook();
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next(operation, 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 1);
    const StandinMessageBox* box = standin_message_box(0);
    EXPECT_EQ(std::pair(std::string(box->caption), box->style), std::pair(std::string("Error"), UINT{MB_OK}));
    EXPECT_TRUE(matches(box->text, message)) << box->text;
    EXPECT_TRUE(all_handles_empty());
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(std::vector<int>({all_hooks_empty(), standin_journal_count("DestroyWindow"),
                  message_waiting(nullptr, WM_QUIT)}),
        std::vector<int>(3, window_existed));
    EXPECT_EQ(standin_journal_count("CreateWindowExA"), std::string(operation) != "RegisterClassA");
    EXPECT_TRUE(window_existed || calls.empty()) << "a hook was called without a window";
}

INSTANTIATE_TEST_SUITE_P(WindowCreation, FailedOpening,
    testing::ValuesIn(FailedOpening::Rows{{"RegisterClassA", "Failed to register window class\n", false},
        {"CreateWindowExA", "create window failed\n", false},
        {"GetDC", "Could not get an HDC for window 0x########\n", true},
        {"ChoosePixelFormat", "Selecting a pixel format failed\n", true},
        {"SetPixelFormat", "SetPixelFormat failed\n", true},
        {"wglCreateContext", "wglCreateContext Failed\n", true},
        {"wglMakeCurrent", "wglMakeCurrent Failed\n", true}}),
    ROW_NAME);

using WindowCreation = FreshState;

// The settings start as a system-placed 100 x 100 colour-index window; the
// position set is the client's corner estimated from the outer one; a window
// placed by the system learns where it went; the class is registered once;
// show_error pads handles, cuts at 255 characters, in a box the focus owns.
TEST_F(WindowCreation, TheClientAreaLiesWhereTheSettingsPutItAndErrorsAreShown)
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
    EXPECT_EQ(placement(), std::vector<LONG>({0, 0, 648, 507, 4, 23})); // the system puts it in the corner
    destroy_toolkit_window(toolkit_state.toolkit_window);
    pump_messages();
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    pump_messages();
    HWND window = open_toolkit_window();
    // A 4-pixel frame and a 19-pixel caption; registered once, shown and active, the context current.
    EXPECT_EQ(placement(), std::vector<LONG>({100, 99, 708, 626, 104, 122}));
    EXPECT_EQ(standin_journal_count("RegisterClassA"), 1);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_EQ(wglGetCurrentDC(), toolkit_state.toolkit_dc);
    show_error("Could not get an HDC for window 0x%08lX\n", 0xabcUL);
    show_error("%s!", std::string(300, 'x').c_str());
    ASSERT_EQ(standin_message_box_count(), 3);
    const StandinMessageBox* box = standin_message_box(1);
    EXPECT_EQ(std::tuple(std::string(box->text), box->owner, box->style),
        std::tuple(std::string("Could not get an HDC for window 0x00000ABC\n"), window, UINT{MB_OK}));
    EXPECT_EQ(std::string(standin_message_box(2)->text), std::string(255, 'x'));
}

// Rows: platform, major and minor version, and the colours (0: the query fails).
using SystemVersion = FreshStateWith<DWORD, DWORD, DWORD, int32_t>;

// NT 3.5 and 3.51 have 21 system colours, everything else (a failed query too) 25.
TEST_P(SystemVersion, DecidesHowManySystemColoursThereAre)
{
    auto [name, platform, major, minor, colours] = GetParam();
    standin_set_version(platform, major, minor);
    if (colours == 0) standin_fail_next("GetVersionExA", 1);
    toolkit_settings.system_colour_count = 0;
    toolkit_open_window("version");
    EXPECT_EQ(toolkit_settings.system_colour_count, colours ? colours : 25);
}

const DWORD NT = VER_PLATFORM_WIN32_NT;
INSTANTIATE_TEST_SUITE_P(WindowCreation, SystemVersion,
    testing::ValuesIn(SystemVersion::Rows{{"NT351", NT, 3, 51, 21}, {"NT35", NT, 3, 5, 21},
        {"NT310", NT, 3, 10, 25}, {"NT451", NT, 4, 51, 25},
        {"Windows351", VER_PLATFORM_WIN32_WINDOWS, 3, 51, 25}, {"QueryFailed", NT, 3, 0, 0}}),
    ROW_NAME);

// Every handle and hook emptied, each resource gone; the colours touched only
// when the static colours were taken.
static void release_and_expect_everything_given_back()
{
    HDC dc = toolkit_state.toolkit_dc;
    HGLRC context = toolkit_state.toolkit_context;
    HPALETTE palette = toolkit_state.toolkit_palette;
    bool static_colours = toolkit_state.static_colours_taken;
    record_every_hook();
    standin_journal_clear();
    release_window_resources();
    EXPECT_TRUE(all_handles_empty());
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_EQ(
        std::vector<int64_t>({GetPaletteEntries(palette, 0, 0, nullptr), wglGetCurrentContext() != nullptr,
            wglDeleteContext(context), GetPixelFormat(dc), toolkit_state.static_colours_taken}),
        std::vector<int64_t>(5, 0));
    EXPECT_EQ(journal_counts("SetSysColors RealizePalette") != "0 0", static_colours);
}

// With the static colours taken: colours and static use given back, then the
// palette deleted, the context made not current and deleted, the device
// context given back, in that order; ownership left as it was.
TEST_F(WindowCreation, TheTeardownGivesEverythingBackInOrder)
{
    standin_set_palette_display(true, true);
    open_toolkit_window();
    ASSERT_EQ(toolkit_state.static_colours_taken, 1);
    release_and_expect_everything_given_back();
    std::vector<int> order; // where each step stands in the journal
    for (const char* call :
        {"SetSystemPaletteUse", "DeleteObject", "wglMakeCurrent", "wglDeleteContext", "ReleaseDC"}) {
        int i = 0;
        while (i < standin_journal_length() && std::string(standin_journal_entry(i)) != call) i++;
        order.push_back(i);
    }
    EXPECT_LT(order[4], standin_journal_length()) << "ReleaseDC not called";
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << testing::PrintToString(order);
    EXPECT_EQ(std::vector<int64_t>({standin_system_palette_use(), GetSysColor(COLOR_WINDOW),
                  toolkit_state.owns_static_colours}),
        std::vector<int64_t>({SYSPAL_STATIC, RGB(255, 255, 255), 1}));
}

// Run directly with nothing open it calls nothing; without the static colours
// taken, the colours are not touched.
TEST_F(WindowCreation, TheTeardownTouchesOnlyWhatThereIs)
{
    record_every_hook();
    standin_journal_clear();
    release_window_resources();
    destroy_toolkit_window(nullptr);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_TRUE(all_hooks_empty());
    standin_set_palette_display(true, false);
    open_toolkit_window();
    ASSERT_EQ(toolkit_state.static_colours_taken, 0);
    release_and_expect_everything_given_back();
}
