// show_error's text and box, and the teardown's null handling.
#include <string>

#include "toolkit_testing.h"

TEST(ShowError, PadsHandlesToEightUpperCaseDigitsInAnErrorBox)
{
    show_error("Could not get an HDC for window 0x%08lX\n", (unsigned long)0xabcUL);
    ASSERT_EQ(standin_message_box_count(), 1);
    const StandinMessageBox* box = standin_message_box(0);
    EXPECT_STREQ(box->text, "Could not get an HDC for window 0x00000ABC\n");
    EXPECT_STREQ(box->caption, "Error");
    EXPECT_EQ(box->style, (UINT)MB_OK);
    EXPECT_EQ(box->owner, GetFocus());
}

TEST(ShowError, CutsALongTextAt255Characters)
{
    std::string long_text(300, 'x');
    show_error("%s!", long_text.c_str());
    ASSERT_EQ(standin_message_box_count(), 1);
    EXPECT_EQ(std::string(standin_message_box(0)->text), std::string(255, 'x'));
}

TEST(Teardown, WithNothingOpenOnlyEmptiesTheHooks)
{
    set_idle_hook([] {});
    set_key_down_hook([](int32_t, int32_t) { return 1; });
    standin_journal_clear();
    release_window_resources();
    destroy_toolkit_window(nullptr);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_TRUE(all_hooks_empty());
}

TEST(Teardown, ReleasesTheContextsOnceAndForgetsThem)
{
    open_test_window();
    standin_journal_clear();
    destroy_toolkit_window(toolkit_state.toolkit_window);
    EXPECT_EQ(standin_journal_count("wglDeleteContext"), 1);
    EXPECT_EQ(standin_journal_count("ReleaseDC"), 1);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(toolkit_state.toolkit_context, nullptr);
    EXPECT_TRUE(quit_waiting());
}
