// Window geometry: the frame a style puts around the client area, the window
// and client rectangles, and the system metrics that describe the frame. The
// numbers are the ones Windows' classic frame has (and Wine reports): a 4-pixel
// sizing frame, a 19-pixel caption, 1-pixel borders.
#include "platform/standin/internal.h"
#include "platform/win32.h"

static const int FRAME_WIDTH = 4;
static const int DIALOG_FRAME_WIDTH = 3;
static const int BORDER_WIDTH = 1;
static const int CAPTION_HEIGHT = 19;
static const int MENU_HEIGHT = 19;
static const int FALLBACK_SCREEN_WIDTH = 1024;
static const int FALLBACK_SCREEN_HEIGHT = 768;

void frame_of_style(DWORD style, RECT* frame)
{
    int width = 0;
    if (style & WS_THICKFRAME)
        width = FRAME_WIDTH;
    else if (style & WS_DLGFRAME)
        width = DIALOG_FRAME_WIDTH;
    else if (style & WS_BORDER)
        width = BORDER_WIDTH;
    frame->left = width;
    frame->right = width;
    frame->bottom = width;
    frame->top = width + ((style & WS_CAPTION) == WS_CAPTION ? CAPTION_HEIGHT : 0);
}

void set_client_rect(WindowRecord* record, int screen_x, int screen_y, int width, int height)
{
    RECT frame;
    frame_of_style(record->style, &frame);
    record->client_rect = RECT{screen_x, screen_y, screen_x + width, screen_y + height};
    record->window_rect = RECT{screen_x - frame.left, screen_y - frame.top, screen_x + width + frame.right,
        screen_y + height + frame.bottom};
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu)
{
    if (!platform_call("AdjustWindowRect")) return FALSE;
    if (rect == nullptr) return FALSE;
    RECT frame;
    frame_of_style(style, &frame);
    rect->left -= frame.left;
    rect->top -= frame.top + (menu ? MENU_HEIGHT : 0);
    rect->right += frame.right;
    rect->bottom += frame.bottom;
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect)
{
    if (!platform_call("GetWindowRect")) return FALSE;
    WindowRecord* record = window_record(window);
    if (record == nullptr || rect == nullptr) return FALSE;
    *rect = record->window_rect;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect)
{
    if (!platform_call("GetClientRect")) return FALSE;
    WindowRecord* record = window_record(window);
    if (record == nullptr || rect == nullptr) return FALSE;
    *rect = RECT{0, 0, record->client_rect.right - record->client_rect.left,
        record->client_rect.bottom - record->client_rect.top};
    return TRUE;
}

int WINAPI GetSystemMetrics(int index)
{
    if (!platform_call("GetSystemMetrics")) return 0;
    int width = FALLBACK_SCREEN_WIDTH;
    int height = FALLBACK_SCREEN_HEIGHT;
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN:
        if (const DisplayDriver* driver = current_driver()) driver->get_screen_size(&width, &height);
        return index == SM_CXSCREEN ? width : height;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return FRAME_WIDTH;
    case SM_CYCAPTION:
        return CAPTION_HEIGHT;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return BORDER_WIDTH;
    default:
        return 0;
    }
}
