// Kernel, registry and system colours, with no window and no driver.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/standin/testing.h"
#include "platform/win32.h"

static LSTATUS open_colours(HKEY* key)
{
    return RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, key);
}

static std::string query_string(HKEY key, const char* name)
{
    char data[64] = {};
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "";
    return std::string(data, size - 1);
}

TEST(Kernel, VersionIsAModernNtByDefaultAndCanBeSet)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(version.dwMajorVersion, 10u);

    standin_set_version(VER_PLATFORM_WIN32_NT, 3, 51);
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwMajorVersion, 3u);
    EXPECT_EQ(version.dwMinorVersion, 51u);

    OSVERSIONINFOA unsized = {};
    EXPECT_FALSE(GetVersionExA(&unsized)); // the size field must name the structure
}

TEST(Kernel, ModuleHandleAndLocalMemory)
{
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA("nosuch.dll"), nullptr);

    unsigned char* zeroed = static_cast<unsigned char*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, 4096));
    ASSERT_NE(zeroed, nullptr);
    for (int i = 0; i < 4096; i++) ASSERT_EQ(zeroed[i], 0);
    EXPECT_EQ(LocalFree(zeroed), nullptr);
}

TEST(Registry, ColoursKeyHoldsTheStandardSchemeAsStringsMatchingTheSystemColours)
{
    HKEY key = nullptr;
    ASSERT_EQ(open_colours(&key), ERROR_SUCCESS);
    EXPECT_EQ(query_string(key, "Window"), "255 255 255");
    EXPECT_EQ(query_string(key, "WindowText"), "0 0 0");
    const char* names[] = {"Scrollbar", "Background", "ActiveTitle", "Hilight", "ButtonFace", "InfoWindow"};
    const int indices[] = {
        COLOR_SCROLLBAR, COLOR_BACKGROUND, COLOR_ACTIVECAPTION, COLOR_HIGHLIGHT, COLOR_BTNFACE, COLOR_INFOBK};
    for (int i = 0; i < 6; i++) {
        unsigned red = 0, green = 0, blue = 0;
        ASSERT_EQ(std::sscanf(query_string(key, names[i]).c_str(), "%u %u %u", &red, &green, &blue), 3)
            << names[i];
        EXPECT_EQ(RGB(red, green, blue), GetSysColor(indices[i])) << names[i];
    }
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST(Registry, QueriesReportTypeAndSizeAndRefuseSmallBuffers)
{
    HKEY key = nullptr;
    ASSERT_EQ(open_colours(&key), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Window", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 12u); // "255 255 255" and its terminating zero

    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Window", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(small[0], 'x');

    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "NoSuchColour", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
        ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, "Window", nullptr, &type, reinterpret_cast<BYTE*>(small), nullptr),
        ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(key, "Window", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST(Registry, TestControlsChangeValuesTypesAndTheKeyItself)
{
    standin_registry_set_string("Window", "1 2 3");
    standin_registry_set_dword("Menu", 7);
    standin_registry_delete_value("Scrollbar");
    HKEY key = nullptr;
    ASSERT_EQ(open_colours(&key), ERROR_SUCCESS);
    EXPECT_EQ(query_string(key, "Window"), "1 2 3");
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(
        RegQueryValueExA(key, "Menu", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 7u);
    size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, "Scrollbar", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    standin_registry_delete_colours_key();
    EXPECT_NE(RegQueryValueExA(key, "Window", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    HKEY again = nullptr;
    EXPECT_EQ(open_colours(&again), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &again),
        ERROR_FILE_NOT_FOUND);
}

TEST(SystemColours, SetThenGetRoundTripsAndKeepsOnlyTheRgbBytes)
{
    INT indices[] = {COLOR_WINDOW, COLOR_BTNFACE, 99};
    COLORREF colours[] = {RGB(1, 2, 3), 0x02FFFFFF, RGB(9, 9, 9)};
    ASSERT_TRUE(SetSysColors(3, indices, colours));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(1, 2, 3));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_FALSE(SetSysColors(1, nullptr, colours));
}
