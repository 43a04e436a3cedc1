// The stand-in's KERNEL32 and registry side: the version reported and the
// colours key, as at start after the reset whatever a test changed.
#include "platform/standin/testing.h"
#include "platform/win32.h"
#include "tests/support/fresh_state.h"

using Kernel = FreshState;

TEST_F(Kernel, TheResetGivesBackTheColoursKeyAndTheVersion)
{
    standin_registry_delete_colours_key();
    standin_set_version(VER_PLATFORM_WIN32_WINDOWS, 4, 0);
    standin_reset();
    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    EXPECT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwPlatformId, DWORD{VER_PLATFORM_WIN32_NT});
    EXPECT_EQ(version.dwMajorVersion, 10u);
}
