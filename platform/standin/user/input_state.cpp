// Keyboard and mouse state. Two views of the keyboard, as Windows keeps them:
// the state as the driver reports it ("now", which decides the character a key
// types and the flags of mouse messages), and the state as of the last input
// message taken from the queue, which GetKeyState reports. Bit 0x80: held;
// bit 0x01: toggled (flips at each press).
#include "platform/standin/user/user_state.h"

static const BYTE HELD = 0x80;
static const BYTE TOGGLED = 0x01;

// The side-specific keys also move the generic key: VK_SHIFT is held while
// either Shift is.
static int generic_key(int virtual_key)
{
    switch (virtual_key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return 0;
    }
}

static void set_key(BYTE* keys, int virtual_key, bool down)
{
    if (virtual_key <= 0 || virtual_key >= KEY_COUNT) return;
    BYTE& state = keys[virtual_key];
    if (down && (state & HELD) == 0) state ^= TOGGLED;
    state = static_cast<BYTE>(down ? state | HELD : state & ~HELD);
}

static void apply_key(BYTE* keys, int virtual_key, bool down)
{
    set_key(keys, virtual_key, down);
    int generic = generic_key(virtual_key);
    if (generic == 0) return;
    bool either = false;
    for (int side = 0; side < KEY_COUNT; side++)
        if (generic_key(side) == generic && (keys[side] & HELD) != 0) either = true;
    set_key(keys, generic, either);
}

bool key_is_down_now(int virtual_key)
{
    return virtual_key > 0 && virtual_key < KEY_COUNT && (user_state.keys_now[virtual_key] & HELD) != 0;
}

bool key_is_toggled_now(int virtual_key)
{
    return virtual_key > 0 && virtual_key < KEY_COUNT && (user_state.keys_now[virtual_key] & TOGGLED) != 0;
}

void note_key_now(int virtual_key, bool down)
{
    apply_key(user_state.keys_now, virtual_key, down);
}

WPARAM mouse_key_flags_now()
{
    WPARAM flags = 0;
    if (key_is_down_now(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (key_is_down_now(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (key_is_down_now(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (key_is_down_now(VK_SHIFT)) flags |= MK_SHIFT;
    if (key_is_down_now(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

void note_retrieved_input(const MSG* message, int character)
{
    int virtual_key = static_cast<int>(message->wParam);
    BYTE* keys_retrieved = user_state.keys_retrieved;
    switch (message->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        apply_key(keys_retrieved, virtual_key, true);
        if (virtual_key > 0 && virtual_key < KEY_COUNT) user_state.key_characters[virtual_key] = character;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        apply_key(keys_retrieved, virtual_key, false);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        apply_key(keys_retrieved, VK_LBUTTON, message->message == WM_LBUTTONDOWN);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        apply_key(keys_retrieved, VK_RBUTTON, message->message == WM_RBUTTONDOWN);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        apply_key(keys_retrieved, VK_MBUTTON, message->message == WM_MBUTTONDOWN);
        break;
    default:
        break;
    }
}

int character_of_key(int virtual_key)
{
    return virtual_key > 0 && virtual_key < KEY_COUNT ? user_state.key_characters[virtual_key] : 0;
}

HWND capture_window()
{
    return is_live_window(user_state.capture) ? user_state.capture : nullptr;
}

void forget_capture(HWND window)
{
    if (user_state.capture == window) user_state.capture = nullptr;
}

SHORT WINAPI GetKeyState(int virtual_key)
{
    if (!platform_call("GetKeyState")) return 0;
    if (virtual_key <= 0 || virtual_key >= KEY_COUNT) return 0;
    BYTE state = user_state.keys_retrieved[virtual_key];
    return static_cast<SHORT>(((state & HELD) != 0 ? 0xFF80 : 0) | (state & TOGGLED));
}

HWND WINAPI SetCapture(HWND window)
{
    if (!platform_call("SetCapture")) return nullptr;
    HWND previous = capture_window();
    if (!is_live_window(window)) return nullptr;
    user_state.capture = window;
    if (previous != nullptr && previous != window)
        send_message(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

// Succeeds also when nothing is captured, as on Windows.
BOOL WINAPI ReleaseCapture()
{
    if (!platform_call("ReleaseCapture")) return FALSE;
    HWND previous = capture_window();
    user_state.capture = nullptr;
    if (previous != nullptr) send_message(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture()
{
    if (!platform_call("GetCapture")) return nullptr;
    return capture_window();
}

BOOL WINAPI GetCursorPos(LPPOINT point)
{
    if (!platform_call("GetCursorPos")) return FALSE;
    const DisplayDriver* driver = current_driver();
    int x = 0;
    int y = 0;
    if (point == nullptr || driver == nullptr || !driver->get_cursor_pos(&x, &y)) return FALSE;
    *point = POINT{bounded_coordinate(x), bounded_coordinate(y)};
    return TRUE;
}
