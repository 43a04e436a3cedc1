// Opening the toolkit window: every failure reported once and leaving no window,
// handle or hook behind; the class registered once; the geometry asked for;
// show_error's box and the teardown with nothing open.

#include "toolkit_testing.h"

struct FailureRow {
    const char* operation;
    const char* message; // '#' stands for one upper-case hexadecimal digit
};

static void PrintTo(const FailureRow& row, std::ostream* out)
{
    *out << row.operation;
}

static bool matches(const char* text, const char* pattern)
{
    for (; *pattern != '\0'; text++, pattern++) {
        bool hex_digit = (*text >= '0' && *text <= '9') || (*text >= 'A' && *text <= 'F');
        if (*pattern == '#' ? !hex_digit : *text != *pattern) return false;
    }
    return *text == '\0';
}

class WindowCreationFailure : public testing::TestWithParam<FailureRow> { };

TEST_P(WindowCreationFailure, IsReportedOnceAndLeavesNothingBehindButAQuitRequest)
{
    record_every_hook();
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next(GetParam().operation, 1);
    standin_journal_clear();
    EXPECT_EQ(toolkit_open_window("failing"), 0);
    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_STREQ(standin_message_box(0)->caption, "Error");
    EXPECT_TRUE(matches(standin_message_box(0)->text, GetParam().message)) << standin_message_box(0)->text;
    EXPECT_EQ(standin_journal_count("DestroyWindow"), 1);
    const ToolkitState& s = toolkit_state;
    EXPECT_TRUE(!s.toolkit_window && !s.toolkit_dc && !s.toolkit_context && !s.toolkit_palette);
    EXPECT_TRUE(all_hooks_empty());
    EXPECT_TRUE(quit_waiting());
}

INSTANTIATE_TEST_SUITE_P(EveryStepAfterTheWindowExists, WindowCreationFailure,
    testing::Values(FailureRow{"GetDC", "Could not get an HDC for window 0x########\n"},
        FailureRow{"ChoosePixelFormat", "Selecting a pixel format failed\n"},
        FailureRow{"SetPixelFormat", "SetPixelFormat failed\n"},
        FailureRow{"wglCreateContext", "wglCreateContext Failed\n"},
        FailureRow{"wglMakeCurrent", "wglMakeCurrent Failed\n"}),
    [](const testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.operation); });

TEST(WindowCreation, FailureBeforeTheWindowExistsSendsNoMessageAndLeavesNoQuitRequest)
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
    EXPECT_FALSE(quit_waiting());
}

static std::vector<LONG> outer_rect()
{
    RECT r = {};
    GetWindowRect(toolkit_state.toolkit_window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(WindowCreation, ClientAreaLiesWhereTheSettingsPutItAndTheClassIsRegisteredOnce)
{
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    standin_fail_next("wglCreateContext", 1);
    EXPECT_EQ(toolkit_open_window("first"), 0);
    ASSERT_NE(open_test_window(), nullptr);
    EXPECT_EQ(standin_journal_count("RegisterClassA"), 1);
    // A 4-pixel frame and a 19-pixel caption around a 600 x 500 client area.
    EXPECT_EQ(outer_rect(), std::vector<LONG>({100, 99, 708, 626}));
    EXPECT_NE(wglGetCurrentContext(), nullptr);
}

TEST(WindowCreation, SystemPlacedWindowLearnsItsPosition)
{
    toolkit_set_position((int32_t)CW_USEDEFAULT, 250, 640, 480);
    toolkit_set_display_mode(DISPLAY_DOUBLE);
    ASSERT_EQ(toolkit_open_window("placed"), 1);
    EXPECT_EQ(outer_rect(), std::vector<LONG>({0, 0, 648, 507})); // the system puts it in the corner
    EXPECT_EQ(toolkit_settings.window_x, 4);
    EXPECT_EQ(toolkit_settings.window_y, 23);
}

TEST(ShowError, PadsHandlesInAnErrorBoxAndCutsLongTextAt255Characters)
{
    show_error("Could not get an HDC for window 0x%08lX\n", (unsigned long)0xabcUL);
    show_error("%s!", std::string(300, 'x').c_str());
    ASSERT_EQ(standin_message_box_count(), 2);
    EXPECT_STREQ(standin_message_box(0)->text, "Could not get an HDC for window 0x00000ABC\n");
    EXPECT_STREQ(standin_message_box(0)->caption, "Error");
    EXPECT_EQ(std::string(standin_message_box(1)->text), std::string(255, 'x'));
}

TEST(Teardown, WithNothingOpenMakesNoPlatformCallAndEmptiesTheHooks)
{
    record_every_hook();
    standin_journal_clear();
    release_window_resources();
    destroy_toolkit_window(nullptr);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_TRUE(all_hooks_empty());
}
