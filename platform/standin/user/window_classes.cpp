// Window classes and the stock icons and cursors a class names.
#include <strings.h>

#include <cstring>

#include "platform/standin/user/user_state.h"

static const ATOM FIRST_CLASS_ATOM = 0xC000; // where Windows numbers registered classes

// Class names compare without regard to case, as on Windows.
const WNDCLASSA* find_window_class(const char* name)
{
    if (name == nullptr) return nullptr;
    for (int i = 0; i < user_state.class_count; i++)
        if (strcasecmp(user_state.classes[i].name, name) == 0) return &user_state.classes[i].description;
    return nullptr;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* window_class)
{
    if (!platform_call("RegisterClassA")) return 0;
    if (window_class == nullptr || window_class->lpszClassName == nullptr ||
        window_class->lpfnWndProc == nullptr)
        return 0;
    if (window_class->cbClsExtra < 0 || window_class->cbWndExtra < 0) return 0;
    size_t length = std::strlen(window_class->lpszClassName);
    if (length == 0 || length >= CLASS_NAME_SIZE) return 0;
    int& count = user_state.class_count;
    if (find_window_class(window_class->lpszClassName) != nullptr || count == MAX_CLASSES) return 0;
    WindowClass& added = user_state.classes[count];
    std::memcpy(added.name, window_class->lpszClassName, length + 1);
    added.description = *window_class;
    added.description.lpszClassName = added.name;
    added.description.lpszMenuName = nullptr;
    count++;
    return static_cast<ATOM>(FIRST_CLASS_ATOM + count - 1);
}

// Stock resources are numbered 32512 upward; their handles are fixed small
// values in the user handle range, as Windows' shared icons are.
static const ULONG_PTR FIRST_STOCK_ID = 32512;
static const ULONG_PTR LAST_STOCK_ICON_ID = 32518;
static const ULONG_PTR LAST_STOCK_CURSOR_ID = 32651;
static const ULONG_PTR STOCK_ICON_BASE = 0x00010000;
static const ULONG_PTR STOCK_CURSOR_BASE = 0x00011000;

static ULONG_PTR stock_id(HINSTANCE instance, LPCSTR name, ULONG_PTR last)
{
    ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
    if (instance != nullptr || id < FIRST_STOCK_ID || id > last) return 0;
    return id;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name)
{
    if (!platform_call("LoadIconA")) return nullptr;
    ULONG_PTR id = stock_id(instance, name, LAST_STOCK_ICON_ID);
    if (id == 0) return nullptr;
    return reinterpret_cast<HICON>(STOCK_ICON_BASE + (id - FIRST_STOCK_ID) * 4 + 0x50);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (!platform_call("LoadCursorA")) return nullptr;
    ULONG_PTR id = stock_id(instance, name, LAST_STOCK_CURSOR_ID);
    if (id == 0) return nullptr;
    return reinterpret_cast<HCURSOR>(STOCK_CURSOR_BASE + (id - FIRST_STOCK_ID) * 4 + 0x48);
}
