// show_error's text and box, and the teardown with nothing to release.
#include <string>

#include "toolkit_testing.h"

TEST(ShowError, PadsHandlesInAnErrorBoxAndCutsLongTextAt255Characters)
{
    show_error("Could not get an HDC for window 0x%08lX\n", (unsigned long)0xabcUL);
    show_error("%s!", std::string(300, 'x').c_str());
    ASSERT_EQ(standin_message_box_count(), 2);
    const StandinMessageBox* box = standin_message_box(0);
    EXPECT_STREQ(box->text, "Could not get an HDC for window 0x00000ABC\n");
    EXPECT_STREQ(box->caption, "Error");
    EXPECT_EQ(box->style, (UINT)MB_OK);
    EXPECT_EQ(std::string(standin_message_box(1)->text), std::string(255, 'x'));
}

TEST(Teardown, WithNothingOpenMakesNoPlatformCallAndEmptiesTheHooks)
{
    set_idle_hook([] {});
    set_key_down_hook([](int32_t, int32_t) { return 1; });
    standin_journal_clear();
    release_window_resources();
    destroy_toolkit_window(nullptr);
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_TRUE(all_hooks_empty());
}
