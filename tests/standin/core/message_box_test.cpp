// Message boxes and driver choice.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/standin/testing.h"
#include "tests/standin/core/recording_window.h"

TEST(MessageBox, NullDriverAnswersOkAtOnceAndRecordsTheBox)
{
    HWND window = open_recording_window();
    EXPECT_EQ(MessageBoxA(window, "Failed to register window class\n", "Error", MB_OK), IDOK);
    ASSERT_EQ(standin_message_box_count(), 1);
    const StandinMessageBox* box = standin_message_box(0);
    EXPECT_EQ(box->owner, window);
    EXPECT_STREQ(box->caption, "Error");
    EXPECT_STREQ(box->text, "Failed to register window class\n");
    EXPECT_EQ(standin_message_box(1), nullptr);
}

TEST(MessageBox, PendingQuitSurvivesTheBox)
{
    open_recording_window();
    PostQuitMessage(1);
    MessageBoxA(nullptr, "text", "Warning", MB_OK);
    MSG message;
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
}

TEST(DriverChoice, WithoutDisplayOrRequestNoWindowOpensAndBoxesGoToStderr)
{
    unsetenv("ROLLBOX_DRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(create_recording_window(), nullptr);
    EXPECT_EQ(standin_driver_name(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "create window failed\n", "Error", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: create window failed\n");
}

TEST(DriverChoice, EnvironmentSelectsTheNullDriverAndATestCannotSwitchLater)
{
    ASSERT_NE(create_recording_window(), nullptr);
    EXPECT_STREQ(standin_driver_name(), "null");
    EXPECT_TRUE(standin_select_driver("null"));
    EXPECT_FALSE(standin_select_driver("x11"));
}
