// Taking the system's static colours over while the window is in the
// foreground, and giving them back, with the user's colours from the registry.
#include <cctype>

#include "palette/palette.h"
#include "toolkit/toolkit.h"

static const INT system_colour_ids[SYSTEM_COLOUR_ROWS] = {
    COLOR_SCROLLBAR,
    COLOR_BACKGROUND,
    COLOR_ACTIVECAPTION,
    COLOR_INACTIVECAPTION,
    COLOR_MENU,
    COLOR_WINDOW,
    COLOR_WINDOWFRAME,
    COLOR_MENUTEXT,
    COLOR_WINDOWTEXT,
    COLOR_CAPTIONTEXT,
    COLOR_ACTIVEBORDER,
    COLOR_INACTIVEBORDER,
    COLOR_APPWORKSPACE,
    COLOR_HIGHLIGHT,
    COLOR_HIGHLIGHTTEXT,
    COLOR_BTNFACE,
    COLOR_BTNSHADOW,
    COLOR_GRAYTEXT,
    COLOR_BTNTEXT,
    COLOR_INACTIVECAPTIONTEXT,
    COLOR_BTNHIGHLIGHT,
    COLOR_3DDKSHADOW,
    COLOR_3DLIGHT,
    COLOR_INFOTEXT,
    COLOR_INFOBK,
};

// Palette-relative black and white.
static const COLORREF black = 0x02000000;
static const COLORREF white = 0x02FFFFFF;

static const COLORREF takeover_colours[SYSTEM_COLOUR_ROWS] = {
    white,
    black,
    black,
    white,
    white,
    white,
    black,
    black,
    black,
    white,
    white,
    white,
    white,
    black,
    white,
    white,
    black,
    black,
    black,
    black,
    black,
    black,
    white,
    black,
    white,
};

static const char* const registry_colour_names[SYSTEM_COLOUR_ROWS] = {
    "Scrollbar",
    "Background",
    "ActiveTitle",
    "InactiveTitle",
    "Menu",
    "Window",
    "WindowFrame",
    "MenuText",
    "WindowText",
    "TitleText",
    "ActiveBorder",
    "InactiveBorder",
    "AppWorkspace",
    "Hilight",
    "HilightText",
    "ButtonFace",
    "ButtonShadow",
    "GrayText",
    "ButtonText",
    "InactiveTitleText",
    "ButtonHilight",
    "ButtonDkShadow",
    "ButtonLight",
    "InfoText",
    "InfoWindow",
};

static COLORREF saved_system_colours[SYSTEM_COLOUR_ROWS];

// Never more rows than the tables hold.
static int colour_rows(int count)
{
    if (count < 0) return 0;
    return count > SYSTEM_COLOUR_ROWS ? SYSTEM_COLOUR_ROWS : count;
}

static void announce_colour_change()
{
    PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
}

// SetSysColors tells every window with WM_SYSCOLORCHANGE before it returns,
// while the takeover or give-back is only half done; the toolkit window waits
// for the broadcast that announce_colour_change posts once it is complete.
static bool setting_system_colours = false;

static void set_system_colours(int rows, const COLORREF* colours)
{
    setting_system_colours = true;
    SetSysColors(rows, system_colour_ids, colours);
    setting_system_colours = false;
}

bool system_colours_being_set()
{
    return setting_system_colours;
}

int take_static_colours(HDC dc)
{
    if (toolkit_state.static_colours_taken) return 1;
    // Anything but "it was static" is a refusal: try again later.
    if (SetSystemPaletteUse(dc, SYSPAL_NOSTATIC) != SYSPAL_STATIC) {
        Sleep(0);
        queue_palette_retry();
        return 0;
    }
    int rows = colour_rows(toolkit_settings.system_colour_count);
    for (int i = 0; i < rows; i++) saved_system_colours[i] = GetSysColor(system_colour_ids[i]);
    set_system_colours(rows, takeover_colours);
    toolkit_state.static_colours_taken = 1;
    announce_colour_change();
    return 1;
}

int restore_static_colours(HDC dc)
{
    if (!toolkit_state.static_colours_taken) return 0;
    int rows = colour_rows(toolkit_settings.system_colour_count);
    load_user_colours(saved_system_colours, rows);
    set_system_colours(rows, saved_system_colours);
    SetSystemPaletteUse(dc, SYSPAL_STATIC);
    announce_colour_change();
    toolkit_state.static_colours_taken = 0;
    return 1;
}

static bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// One decimal number as scanf's %ld reads it (white space, a sign, digits),
// of which only the low 8 bits are kept: exact however long the number is,
// where a conversion to long would stop at its range.
static bool read_low_byte(const char** text, COLORREF* low_byte)
{
    const char* at = *text;
    while (std::isspace(static_cast<unsigned char>(*at))) at++;
    bool negative = *at == '-';
    if (*at == '-' || *at == '+') at++;
    if (!is_digit(*at)) return false;
    COLORREF value = 0;
    for (; is_digit(*at); at++) value = (value * 10 + static_cast<COLORREF>(*at - '0')) & 0xFF;
    *low_byte = (negative ? 0 - value : value) & 0xFF;
    *text = at;
    return true;
}

bool parse_registry_colour(const char* text, COLORREF* colour)
{
    COLORREF red = 0;
    COLORREF green = 0;
    COLORREF blue = 0;
    if (!read_low_byte(&text, &red) || !read_low_byte(&text, &green) || !read_low_byte(&text, &blue))
        return false;
    *colour = red | green << 8 | blue << 16;
    return true;
}

bool load_user_colours(COLORREF* colours, int count)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    int rows = colour_rows(count);
    for (int i = 0; i < rows; i++) {
        // One byte more than is asked for, so that a full value can be terminated.
        char text[65];
        DWORD size = 64;
        DWORD type = 0;
        LSTATUS status = RegQueryValueExA(
            key, registry_colour_names[i], nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        text[size < 64 ? size : 64] = '\0';
        COLORREF colour;
        if (parse_registry_colour(text, &colour)) colours[i] = colour;
    }
    RegCloseKey(key);
    return true;
}
