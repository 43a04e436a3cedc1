// Opening the toolkit window: class, window, device context, pixel format (and
// palette), rendering context. Every failure is reported once and leaves no
// window behind.
#include <cstdint>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static const char CLASS_NAME[] = "ToolkitWindowClass";
static const DWORD WINDOW_STYLE = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// Windows NT 3.5 and 3.51 have 21 system colours; everything else 25.
static int32_t count_system_colours()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    BOOL known = GetVersionExA(&version);
    if (known && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 3 &&
        (version.dwMinorVersion == 5 || version.dwMinorVersion == 51)) {
        return 21;
    }
    return 25;
}

static bool register_window_class(HINSTANCE instance)
{
    if (toolkit_state.window_class_registered) {
        return true;
    }
    WNDCLASSA window_class = {};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_procedure;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = CLASS_NAME;
    toolkit_state.window_class_registered = RegisterClassA(&window_class) != 0;
    return toolkit_state.window_class_registered;
}

static HWND create_window(const char* title, HINSTANCE instance)
{
    RECT outer;
    outer.left = toolkit_settings.window_x;
    outer.top = toolkit_settings.window_y;
    outer.right = toolkit_settings.window_x + toolkit_settings.window_width;
    outer.bottom = toolkit_settings.window_y + toolkit_settings.window_height;
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    int x = outer.left;
    int y = outer.top;
    if (toolkit_settings.use_default_position) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }
    return CreateWindowExA(0, CLASS_NAME, title, WINDOW_STYLE, x, y, outer.right - outer.left,
        outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
}

// Where the system placed the window.
static void learn_system_position()
{
    RECT outer = {};
    GetWindowRect(toolkit_state.toolkit_window, &outer);
    estimate_client_origin(outer.left, outer.top);
}

// Everything after the window exists; false when it has to be destroyed again.
static bool prepare_window()
{
    if (toolkit_settings.use_default_position) {
        learn_system_position();
    }
    toolkit_state.toolkit_dc = GetDC(toolkit_state.toolkit_window);
    if (toolkit_state.toolkit_dc == nullptr) {
        show_error("Could not get an HDC for window 0x%08lX\n",
            static_cast<unsigned long>(reinterpret_cast<uintptr_t>(toolkit_state.toolkit_window)));
        return false;
    }
    ShowWindow(toolkit_state.toolkit_window, SW_SHOWDEFAULT);
    if (select_pixel_format(toolkit_state.toolkit_dc, toolkit_settings.display_mode) == 0) {
        return false;
    }
    toolkit_state.toolkit_context = wglCreateContext(toolkit_state.toolkit_dc);
    if (toolkit_state.toolkit_context == nullptr) {
        show_error("wglCreateContext Failed\n");
        return false;
    }
    if (!wglMakeCurrent(toolkit_state.toolkit_dc, toolkit_state.toolkit_context)) {
        show_error("wglMakeCurrent Failed\n");
        return false;
    }
    return true;
}

int32_t toolkit_open_window(const char* title)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    toolkit_settings.system_colour_count = count_system_colours();
    if (!register_window_class(instance)) {
        show_error("Failed to register window class\n");
        return 0;
    }
    toolkit_state.toolkit_window = create_window(title, instance);
    if (toolkit_state.toolkit_window == nullptr) {
        show_error("create window failed\n");
        return 0;
    }
    if (!prepare_window()) {
        destroy_toolkit_window(toolkit_state.toolkit_window);
        return 0;
    }
    return 1;
}
