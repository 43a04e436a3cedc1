// The toolkit window's message handler: window messages become hook calls, the
// stored client position and size stay current, the mouse is captured while a
// button is down, the palette stays realised, and destruction runs the teardown.
#include "palette/palette.h"
#include "toolkit/toolkit.h"

// One repaint however many events ask for it before the paint arrives.
void request_redraw(HWND window)
{
    MSG waiting;
    if (PeekMessageA(&waiting, window, WM_PAINT, WM_PAINT, PM_NOREMOVE) == 0) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

static void redraw_if(HWND window, int32_t hook_result)
{
    if (hook_result != 0) {
        request_redraw(window);
    }
}

// Realises the toolkit palette, in the background when asked, and redraws
// when that changed any entry of the system palette.
static void realise_then_redraw(HWND window, int background)
{
    if (realise_palette(toolkit_state.toolkit_dc, toolkit_state.toolkit_palette, background) > 0) {
        request_redraw(window);
    }
}

// Positions are signed words, so a drag past the left or top edge is negative.
static int32_t word_x(LPARAM lParam)
{
    return GET_X_LPARAM(lParam);
}

static int32_t word_y(LPARAM lParam)
{
    return GET_Y_LPARAM(lParam);
}

// GetKeyState's high bit: the key is down.
static const int KEY_DOWN_BIT = 0x8000;

static bool held(int virtual_key)
{
    return (GetKeyState(virtual_key) & KEY_DOWN_BIT) != 0;
}

static bool accepted_virtual_key(WPARAM key)
{
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

static bool accepted_character(WPARAM character)
{
    return (character >= '0' && character <= '9') || (character >= 'a' && character <= 'z') ||
        (character >= 'A' && character <= 'Z');
}

static void pass_key(HWND window, int32_t key)
{
    if (toolkit_state.key_down_hook == nullptr) {
        return;
    }
    int32_t modifiers = 0;
    if (held(VK_CONTROL)) {
        modifiers |= KEY_CONTROL;
    }
    if (held(VK_SHIFT)) {
        modifiers |= KEY_SHIFT;
    }
    redraw_if(window, toolkit_state.key_down_hook(key, modifiers));
}

// The button a button message is about, as the toolkit's mask names it.
static int32_t button_of(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return MOUSE_LEFT;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MOUSE_RIGHT;
    default:
        return MOUSE_MIDDLE;
    }
}

static void on_button_down(HWND window, LPARAM lParam, int32_t button)
{
    SetCapture(window);
    if (toolkit_state.mouse_down_hook != nullptr) {
        redraw_if(window, toolkit_state.mouse_down_hook(word_x(lParam), word_y(lParam), button));
    }
}

static void on_button_up(HWND window, LPARAM lParam, int32_t button)
{
    ReleaseCapture();
    if (toolkit_state.mouse_up_hook != nullptr) {
        redraw_if(window, toolkit_state.mouse_up_hook(word_x(lParam), word_y(lParam), button));
    }
}

static void on_mouse_move(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (toolkit_state.mouse_move_hook == nullptr) {
        return;
    }
    int32_t buttons = 0;
    if (wParam & MK_LBUTTON) {
        buttons |= MOUSE_LEFT;
    }
    if (wParam & MK_RBUTTON) {
        buttons |= MOUSE_RIGHT;
    }
    if (wParam & MK_MBUTTON) {
        buttons |= MOUSE_MIDDLE;
    }
    redraw_if(window, toolkit_state.mouse_move_hook(word_x(lParam), word_y(lParam), buttons));
}

static void on_size(HWND window, LPARAM lParam)
{
    toolkit_settings.window_width = LOWORD(lParam);
    toolkit_settings.window_height = HIWORD(lParam);
    if (toolkit_state.reshape_hook != nullptr) {
        toolkit_state.reshape_hook(toolkit_settings.window_width, toolkit_settings.window_height);
        request_redraw(window);
    }
}

static void on_paint()
{
    PAINTSTRUCT paint;
    BeginPaint(toolkit_state.toolkit_window, &paint);
    if (toolkit_state.display_hook != nullptr) {
        toolkit_state.display_hook();
    }
    EndPaint(toolkit_state.toolkit_window, &paint);
}

// Foreground realisation on activation, background on deactivation.
static LRESULT on_activate(HWND window, WPARAM wParam, LPARAM lParam)
{
    bool activated = LOWORD(wParam) != WA_INACTIVE;
    bool minimised = HIWORD(wParam) != 0;
    if (!activated) {
        if (toolkit_state.toolkit_palette != nullptr) {
            realise_then_redraw(window, 1);
        }
        return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
    }
    if (minimised || toolkit_state.toolkit_palette == nullptr) {
        return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
    }
    realise_then_redraw(window, 0);
    return 1;
}

// Another window changed the system palette: take what is left, in the background.
static void on_palette_changed(HWND window, WPARAM changed_by)
{
    if (reinterpret_cast<HWND>(changed_by) == window || toolkit_state.static_colours_taken ||
        toolkit_state.toolkit_palette == nullptr) {
        return;
    }
    if (SelectPalette(toolkit_state.toolkit_dc, toolkit_state.toolkit_palette, TRUE) != nullptr) {
        RealizePalette(toolkit_state.toolkit_dc);
    }
}

// A palette built from the system colours is built again when they change;
// a failed rebuild keeps the old one.
static void on_system_colours_changed(HWND window)
{
    if (toolkit_state.toolkit_dc == nullptr || toolkit_state.toolkit_palette == nullptr) {
        return;
    }
    PIXELFORMATDESCRIPTOR format = {};
    if (describe_current_pixel_format(toolkit_state.toolkit_dc, &format) == 0 ||
        !(format.dwFlags & PFD_NEED_PALETTE) || format.iPixelType != PFD_TYPE_RGBA) {
        return;
    }
    HPALETTE old_palette = toolkit_state.toolkit_palette;
    toolkit_state.toolkit_palette = nullptr;
    if (build_logical_palette(toolkit_state.toolkit_dc) != nullptr) {
        DeleteObject(old_palette);
        request_redraw(window);
    } else {
        toolkit_state.toolkit_palette = old_palette;
    }
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        release_window_resources();
        PostQuitMessage(1);
        return 0;
    case WM_MOVE:
        toolkit_settings.window_x = word_x(lParam);
        toolkit_settings.window_y = word_y(lParam);
        return 0;
    case WM_SIZE:
        on_size(window, lParam);
        return 0;
    case WM_ACTIVATE:
        return on_activate(window, wParam, lParam);
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_CLOSE:
        DestroyWindow(toolkit_state.toolkit_window);
        return 0;
    case WM_SYSCOLORCHANGE:
        if (!system_colours_being_set()) on_system_colours_changed(window);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN:
        if (accepted_virtual_key(wParam)) {
            pass_key(window, static_cast<int32_t>(wParam));
        }
        return 0;
    case WM_CHAR:
        if (accepted_character(wParam)) {
            pass_key(window, static_cast<int32_t>(wParam));
        }
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(window, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        on_button_down(window, lParam, button_of(message));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        on_button_up(window, lParam, button_of(message));
        return 0;
    case WM_QUERYNEWPALETTE:
        return 1;
    case WM_PALETTECHANGED:
        on_palette_changed(window, wParam);
        return 0;
    case WM_TIMER:
        // Only the palette retry timer is the toolkit's.
        if (wParam != PALETTE_RETRY_TIMER) return DefWindowProcA(window, message, wParam, lParam);
        KillTimer(window, PALETTE_RETRY_TIMER);
        PostMessageA(window, WM_PALETTE_RETRY, 0, 0);
        return 0;
    case WM_PALETTE_RETRY:
        // An inactive window realises in the foreground when it is activated
        // again: taking the colours now would only give them straight back.
        if (GetActiveWindow() == window) {
            realise_then_redraw(window, 0);
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
