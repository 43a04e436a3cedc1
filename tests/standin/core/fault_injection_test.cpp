// Fault injection and the journal, over every USER32, KERNEL32 and ADVAPI32
// operation the system calls: an injected fault makes exactly the next call
// fail with Windows' failure result, and every call is journalled by name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/standin/testing.h"
#include "tests/standin/core/recording_window.h"
#include "tests/standin/operation_table.h"

static HWND window;
static HKEY colours_key;

// Each makes its call where it would succeed and says whether it failed.
static bool register_fails()
{
    static int serial = 0;
    std::string name = "FaultClass" + std::to_string(serial++);
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = name.c_str();
    return RegisterClassA(&window_class) == 0;
}

static bool show_fails()
{
    HWND hidden = create_recording_window();
    size_t before = received_of(WM_SHOWWINDOW).size();
    ShowWindow(hidden, SW_SHOW);
    return received_of(WM_SHOWWINDOW).size() == before;
}

static bool destroy_fails()
{
    HWND doomed = create_recording_window();
    return !DestroyWindow(doomed) && IsWindow(doomed);
}

static bool adjust_fails()
{
    RECT rect = {10, 10, 20, 20};
    return !AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE) && rect.left == 10;
}

static bool peek_fails()
{
    PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    bool failed = !PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
    if (failed) GetMessageA(&message, nullptr, WM_USER, WM_USER);
    return failed;
}

static bool get_fails()
{
    PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    bool failed = GetMessageA(&message, nullptr, WM_USER, WM_USER) == -1;
    if (failed) PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
    return failed;
}

static bool translate_fails()
{
    MSG key = {window, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    return !TranslateMessage(&key);
}

static bool dispatch_fails()
{
    MSG message = {window, WM_USER + 9, 0, 0, 0, {0, 0}};
    size_t before = received_of(WM_USER + 9).size();
    DispatchMessageA(&message);
    return received_of(WM_USER + 9).size() == before;
}

static bool post_fails()
{
    bool failed = !PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
    return failed;
}

static bool post_quit_fails()
{
    PostQuitMessage(1);
    MSG message;
    return !(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message == WM_QUIT);
}

static bool begin_paint_fails()
{
    PAINTSTRUCT paint;
    return BeginPaint(window, &paint) == nullptr;
}

static bool end_paint_fails()
{
    PAINTSTRUCT paint = {};
    return !EndPaint(window, &paint);
}

static bool set_capture_fails()
{
    ReleaseCapture();
    SetCapture(window);
    return GetCapture() != window;
}

static bool cursor_fails()
{
    POINT point;
    return !GetCursorPos(&point);
}

static bool set_colours_fails()
{
    INT index = COLOR_WINDOW;
    COLORREF colour = RGB(255, 255, 255);
    return !SetSysColors(1, &index, &colour);
}

static bool local_alloc_fails()
{
    HLOCAL memory = LocalAlloc(LMEM_FIXED, 16);
    LocalFree(memory);
    return memory == nullptr;
}

static bool local_free_fails()
{
    HLOCAL memory = LocalAlloc(LMEM_FIXED, 16);
    if (LocalFree(memory) == nullptr) return false;
    LocalFree(memory);
    return true;
}

static bool open_key_fails()
{
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return status != ERROR_SUCCESS;
}

static bool query_fails()
{
    char data[64];
    DWORD size = sizeof data;
    return RegQueryValueExA(colours_key, "Window", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS;
}

static bool close_key_fails()
{
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key);
    if (RegCloseKey(key) == ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

static const Operation OPERATIONS[] = {
    {"RegisterClassA", register_fails},
    {"CreateWindowExA", [] { return create_recording_window() == nullptr; }},
    {"AdjustWindowRect", adjust_fails},
    {"GetWindowRect",
        [] {
            RECT rect;
            return !GetWindowRect(window, &rect);
        }},
    {"GetClientRect",
        [] {
            RECT rect;
            return !GetClientRect(window, &rect);
        }},
    {"ShowWindow", show_fails},
    {"DestroyWindow", destroy_fails},
    {"GetSystemMetrics", [] { return GetSystemMetrics(SM_CXFRAME) == 0; }},
    {"GetModuleHandleA", [] { return GetModuleHandleA(nullptr) == nullptr; }},
    {"GetVersionExA",
        [] {
            OSVERSIONINFOA version = {};
            version.dwOSVersionInfoSize = sizeof version;
            return !GetVersionExA(&version);
        }},
    {"LoadIconA", [] { return LoadIconA(nullptr, IDI_APPLICATION) == nullptr; }},
    {"LoadCursorA", [] { return LoadCursorA(nullptr, IDC_ARROW) == nullptr; }},
    {"PeekMessageA", peek_fails},
    {"GetMessageA", get_fails},
    {"TranslateMessage", translate_fails},
    {"DispatchMessageA", dispatch_fails},
    {"PostMessageA", post_fails},
    {"PostQuitMessage", post_quit_fails},
    {"DefWindowProcA", [] { return DefWindowProcA(window, WM_NCCREATE, 0, 0) == 0; }},
    {"BeginPaint", begin_paint_fails},
    {"EndPaint", end_paint_fails},
    {"InvalidateRect", [] { return !InvalidateRect(window, nullptr, FALSE); }},
    {"SetCapture", set_capture_fails},
    {"ReleaseCapture", [] { return !ReleaseCapture(); }},
    {"GetCursorPos", cursor_fails},
    {"GetKeyState", [] { return GetKeyState(VK_SHIFT) >= 0; }},
    {"MessageBoxA", [] { return MessageBoxA(window, "text", "caption", MB_OK) == 0; }},
    {"GetFocus", [] { return GetFocus() == nullptr; }},
    {"GetSysColor", [] { return GetSysColor(COLOR_WINDOW) == 0; }},
    {"SetSysColors", set_colours_fails},
    {"LocalAlloc", local_alloc_fails},
    {"LocalFree", local_free_fails},
    {"RegOpenKeyExA", open_key_fails},
    {"RegQueryValueExA", query_fails},
    {"RegCloseKey", close_key_fails},
};

class EveryOperation : public testing::Test {
protected:
    void SetUp() override
    {
        window = open_recording_window();
        standin_key(window, VK_SHIFT, true);
        pump_messages();
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &colours_key),
            ERROR_SUCCESS);
    }
};

TEST_F(EveryOperation, AnInjectedFaultFailsTheNextCallOnly)
{
    expect_one_injected_failure_each(OPERATIONS);
}

TEST(FaultInjection, CountsTheCallsToFailAndOnlyThoseOfItsOperation)
{
    standin_fail_next("GetSystemMetrics", 2);
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 0);
    EXPECT_NE(GetSystemMetrics(SM_CXFRAME), 0);
    standin_fail_next("GetSystemMetrics", 5);
    standin_fail_next("GetSystemMetrics", 0); // a new count replaces the old
    EXPECT_NE(GetSystemMetrics(SM_CXFRAME), 0);
}

TEST_F(EveryOperation, EachCallIsJournalledByItsName)
{
    expect_each_journalled(OPERATIONS);
    standin_journal_clear();
    Sleep(0);
    EXPECT_EQ(standin_journal_count("Sleep"), 1);
    EXPECT_STREQ(standin_journal_entry(0), "Sleep");
}

TEST(Journal, KeepsTheOrderOfCallsAndForgetsOnClear)
{
    standin_journal_clear();
    GetSystemMetrics(SM_CXFRAME);
    GetModuleHandleA(nullptr);
    GetSystemMetrics(SM_CYFRAME);
    ASSERT_EQ(standin_journal_length(), 3);
    EXPECT_STREQ(standin_journal_entry(0), "GetSystemMetrics");
    EXPECT_STREQ(standin_journal_entry(1), "GetModuleHandleA");
    EXPECT_EQ(standin_journal_count("GetSystemMetrics"), 2);
    EXPECT_EQ(standin_journal_entry(3), nullptr);
    standin_journal_clear();
    EXPECT_EQ(standin_journal_length(), 0);
    EXPECT_EQ(standin_journal_count("GetSystemMetrics"), 0);
}
