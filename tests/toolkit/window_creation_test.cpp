// Opening the toolkit window: every failure reported once and leaving no window,
// handle or hook behind; the class registered once; the geometry asked for.
#include <regex>
#include <string>
#include <vector>

#include "toolkit_testing.h"

static int reshapes = 0;
static void count_reshape(int32_t, int32_t)
{
    reshapes++;
}
static void idle() { }
static void display() { }
static int32_t key(int32_t, int32_t)
{
    return 0;
}
static int32_t mouse(int32_t, int32_t, int32_t)
{
    return 0;
}

static void fill_every_hook()
{
    set_reshape_hook(count_reshape);
    set_display_hook(display);
    set_key_down_hook(key);
    set_mouse_down_hook(mouse);
    set_mouse_up_hook(mouse);
    set_mouse_move_hook(mouse);
    set_idle_hook(idle);
}

struct FailureRow {
    const char* operation;
    const char* message; // a regular expression
};

static void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.operation;
}

class WindowCreationFailure : public testing::TestWithParam<FailureRow> { };

TEST_P(WindowCreationFailure, IsReportedOnceAndLeavesNothingBehind)
{
    fill_every_hook();
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next(GetParam().operation, 1);
    standin_journal_clear();
    EXPECT_EQ(toolkit_open_window("failing"), 0);

    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_STREQ(standin_message_box(0)->caption, "Error");
    EXPECT_TRUE(std::regex_match(standin_message_box(0)->text, std::regex(GetParam().message)))
        << standin_message_box(0)->text;
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_dc, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_context, nullptr);
    EXPECT_EQ(toolkit_state.toolkit_palette, nullptr);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_TRUE(quit_waiting());
}

INSTANTIATE_TEST_SUITE_P(EveryStepAfterTheWindowExists, WindowCreationFailure,
    testing::Values(FailureRow{"GetDC", "Could not get an HDC for window 0x[0-9A-F]{8}\n"},
        FailureRow{"ChoosePixelFormat", "Selecting a pixel format failed\n"},
        FailureRow{"SetPixelFormat", "SetPixelFormat failed\n"},
        FailureRow{"wglCreateContext", "wglCreateContext Failed\n"},
        FailureRow{"wglMakeCurrent", "wglMakeCurrent Failed\n"}),
    [](const testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.operation); });

TEST(WindowCreationFailureBeforeTheWindow, RefusedRegistrationSendsNoWindowMessage)
{
    HWND earlier = toolkit_state.toolkit_window = reinterpret_cast<HWND>(uintptr_t{0x1234});
    fill_every_hook();
    standin_fail_next("RegisterClassA", 1);
    standin_journal_clear();
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_STREQ(standin_message_box(0)->text, "Failed to register window class\n");
    EXPECT_EQ(standin_journal_count("CreateWindowExA"), 0);
    EXPECT_EQ(reshapes, 0);
    EXPECT_EQ(toolkit_state.toolkit_window, earlier);
    EXPECT_FALSE(quit_waiting());
    toolkit_state.toolkit_window = nullptr;
}

TEST(WindowCreationFailureBeforeTheWindow, FailedCreationLeavesTheHandleNullAndNoQuitRequest)
{
    standin_fail_next("CreateWindowExA", 1);
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_STREQ(standin_message_box(0)->text, "create window failed\n");
    EXPECT_EQ(toolkit_state.toolkit_window, nullptr);
    EXPECT_FALSE(quit_waiting());
}

TEST(WindowCreation, SecondOpeningRegistersTheClassOnlyOnce)
{
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(toolkit_open_window("first"), 0);
    EXPECT_EQ(toolkit_open_window("second"), 1);
    EXPECT_EQ(standin_journal_count("RegisterClassA"), 1);
    EXPECT_EQ(standin_message_box_count(), 1);
}

TEST(WindowCreation, ClientAreaLiesWhereTheSettingsPutIt)
{
    toolkit_set_position(100, 100, 600, 500);
    RECT expected = {toolkit_settings.window_x, toolkit_settings.window_y, toolkit_settings.window_x + 600,
        toolkit_settings.window_y + 500};
    AdjustWindowRect(&expected, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = open_test_window();
    ASSERT_NE(window, nullptr);
    RECT outer = {}, client = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(std::vector<LONG>({outer.left, outer.top, outer.right, outer.bottom}),
        std::vector<LONG>({expected.left, expected.top, expected.right, expected.bottom}));
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 500);
    EXPECT_NE(wglGetCurrentContext(), nullptr);
}

TEST(WindowCreation, SystemPlacedWindowLearnsItsPosition)
{
    toolkit_set_position((int32_t)CW_USEDEFAULT, 250, 640, 480);
    EXPECT_EQ(toolkit_settings.use_default_position, 1);
    EXPECT_EQ(toolkit_settings.window_x, GetSystemMetrics(SM_CXFRAME));
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    ASSERT_EQ(toolkit_open_window("placed"), 1);
    RECT outer = {};
    GetWindowRect(toolkit_state.toolkit_window, &outer);
    EXPECT_EQ(toolkit_settings.window_x, outer.left + GetSystemMetrics(SM_CXFRAME));
}
