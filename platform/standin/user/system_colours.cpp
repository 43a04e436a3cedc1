// The system colours, starting from the standard Windows scheme. Setting them
// tells every top-level window with WM_SYSCOLORCHANGE before returning, as
// Windows (and Wine) do.
#include "platform/standin/user/user_state.h"

// Index 25 has no colour on Windows and reads as black.
static const COLORREF STANDARD_SCHEME[SYSTEM_COLOUR_COUNT] = {
    RGB(200, 200, 200),
    RGB(0, 0, 0),
    RGB(153, 180, 209),
    RGB(191, 205, 219),
    RGB(240, 240, 240),
    RGB(255, 255, 255),
    RGB(100, 100, 100),
    RGB(0, 0, 0),
    RGB(0, 0, 0),
    RGB(0, 0, 0),
    RGB(180, 180, 180),
    RGB(244, 247, 252),
    RGB(171, 171, 171),
    RGB(0, 120, 215),
    RGB(255, 255, 255),
    RGB(240, 240, 240),
    RGB(160, 160, 160),
    RGB(109, 109, 109),
    RGB(0, 0, 0),
    RGB(0, 0, 0),
    RGB(255, 255, 255),
    RGB(105, 105, 105),
    RGB(227, 227, 227),
    RGB(0, 0, 0),
    RGB(255, 255, 225),
    RGB(0, 0, 0),
    RGB(0, 102, 204),
    RGB(185, 209, 234),
    RGB(215, 228, 242),
    RGB(0, 120, 215),
    RGB(240, 240, 240),
};

COLORREF standard_system_colour(int index)
{
    return index >= 0 && index < SYSTEM_COLOUR_COUNT ? STANDARD_SCHEME[index] : 0;
}

COLORREF system_colour(int index)
{
    return index >= 0 && index < SYSTEM_COLOUR_COUNT ? user_state.system_colours[index] : 0;
}

DWORD WINAPI GetSysColor(int index)
{
    if (!platform_call("GetSysColor")) return 0;
    return system_colour(index);
}

// Indices out of range are skipped. Windows keeps only the colour's RGB bytes,
// so a palette-relative reference (high byte 0x02) is stored as its RGB.
BOOL WINAPI SetSysColors(int count, const INT* indices, const COLORREF* new_colours)
{
    if (!platform_call("SetSysColors")) return FALSE;
    if (count < 0 || (count > 0 && (indices == nullptr || new_colours == nullptr))) return FALSE;
    for (int i = 0; i < count; i++)
        if (indices[i] >= 0 && indices[i] < SYSTEM_COLOUR_COUNT && indices[i] != 25)
            user_state.system_colours[indices[i]] = new_colours[i] & 0x00FFFFFF;
    send_to_all_windows(WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}
