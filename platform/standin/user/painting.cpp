// Update regions and painting. A window's update region is kept as one
// bounding rectangle; while it is not empty the queue yields WM_PAINT for the
// window, again and again until something validates it, as on Windows.
#include "platform/standin/internal.h"
#include "platform/win32.h"

static bool is_empty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

static RECT client_area(const WindowRecord* record)
{
    return RECT{0, 0, record->client_rect.right - record->client_rect.left,
        record->client_rect.bottom - record->client_rect.top};
}

void invalidate_window(WindowRecord* record, const RECT* rect, bool erase)
{
    if (record == nullptr) return;
    RECT area = client_area(record);
    if (rect != nullptr) {
        area.left = rect->left > area.left ? rect->left : area.left;
        area.top = rect->top > area.top ? rect->top : area.top;
        area.right = rect->right < area.right ? rect->right : area.right;
        area.bottom = rect->bottom < area.bottom ? rect->bottom : area.bottom;
    }
    if (is_empty(area)) return;
    if (record->needs_paint) {
        RECT& update = record->update_rect;
        update.left = area.left < update.left ? area.left : update.left;
        update.top = area.top < update.top ? area.top : update.top;
        update.right = area.right > update.right ? area.right : update.right;
        update.bottom = area.bottom > update.bottom ? area.bottom : update.bottom;
    } else {
        record->update_rect = area;
    }
    record->needs_paint = true;
    record->needs_erase = record->needs_erase || erase;
}

void validate_window(WindowRecord* record)
{
    record->needs_paint = false;
    record->needs_erase = false;
    record->update_rect = RECT{0, 0, 0, 0};
}

HWND window_needing_paint(HWND filter)
{
    if (filter == WINDOWLESS_MESSAGES) return nullptr;
    for (int i = 0; WindowRecord* record = window_record_at(i); i++)
        if (record->needs_paint && record->visible && !record->destroying &&
            (filter == nullptr || filter == record->handle))
            return record->handle;
    return nullptr;
}

// A null window invalidates every window, as on Windows.
BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    if (!platform_call("InvalidateRect")) return FALSE;
    if (window == nullptr) {
        for (int i = 0; WindowRecord* record = window_record_at(i); i++)
            invalidate_window(record, nullptr, erase != FALSE);
        return TRUE;
    }
    WindowRecord* record = window_record(window);
    if (record == nullptr) return FALSE;
    invalidate_window(record, rect, erase != FALSE);
    return TRUE;
}

// A rectangle validates only when it covers the whole update region; a part
// of it cannot be cut out of a single bounding rectangle.
BOOL WINAPI ValidateRect(HWND window, const RECT* rect)
{
    if (!platform_call("ValidateRect")) return FALSE;
    WindowRecord* record = window_record(window);
    if (record == nullptr) return FALSE;
    const RECT& update = record->update_rect;
    if (rect == nullptr ||
        (rect->left <= update.left && rect->top <= update.top && rect->right >= update.right &&
            rect->bottom >= update.bottom))
        validate_window(record);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint)
{
    if (!platform_call("BeginPaint")) return nullptr;
    WindowRecord* record = window_record(window);
    if (record == nullptr || paint == nullptr) return nullptr;
    HDC dc = acquire_dc(window);
    if (dc == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->rcPaint = record->needs_paint ? record->update_rect : RECT{0, 0, 0, 0};
    bool erase = record->needs_erase;
    validate_window(record);
    if (erase)
        paint->fErase =
            send_message(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0 ? TRUE : FALSE;
    return dc;
}

// Gives back the context BeginPaint handed out.
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    if (!platform_call("EndPaint")) return FALSE;
    if (paint != nullptr) release_dc(window, paint->hdc);
    return TRUE;
}
