// Translating key messages into characters, dispatching to window procedures,
// and the default window procedure.
#include "platform/standin/internal.h"
#include "platform/win32.h"

// A key-down that types a character gets a WM_CHAR (WM_SYSCHAR with Alt)
// posted behind it; Return, Escape and Space type 13, 27 and 32 as on Windows.
bool translate_message(const MSG* message)
{
    if (message == nullptr) return false;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int character = character_of_key(static_cast<int>(message->wParam));
        if (character != 0)
            post_message(message->hwnd, message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                static_cast<WPARAM>(character), message->lParam);
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return true;
    default:
        return false;
    }
}

BOOL WINAPI TranslateMessage(const MSG* message)
{
    if (!platform_call("TranslateMessage")) return FALSE;
    return translate_message(message) ? TRUE : FALSE;
}

// Thread messages (no window) and messages for dead windows go nowhere.
LRESULT dispatch_message(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr) return 0;
    return send_message(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT WINAPI DispatchMessageA(const MSG* message)
{
    if (!platform_call("DispatchMessageA")) return 0;
    return dispatch_message(message);
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!platform_call("DefWindowProcA")) return 0;
    WindowRecord* record = window_record(window);
    if (record == nullptr) return 0;
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        destroy_window(window);
        return 0;
    case WM_PAINT: {
        // As BeginPaint and EndPaint would: erase if asked, then validate.
        bool erase = record->needs_erase;
        validate_window(record);
        if (erase) {
            HDC dc = acquire_dc(window);
            send_message(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            release_dc(window, dc);
        }
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) send_message(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the window.
        if (wParam == VK_F4 && (lParam & KEY_ALT_HELD) != 0) post_message(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    default:
        return 0;
    }
}
