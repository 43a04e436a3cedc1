// Keysyms as Windows sees keys: the virtual-key code of a key by the keysym
// it has without modifiers, and by what it typed where Num Lock decides.
// X and xkbcommon number keysyms alike.
#include <X11/keysym.h>

#include "platform/standin/drivers/driver.h"
#include "platform/standin/win32_user.h"

struct KeyRow {
    unsigned long keysym;
    int virtual_key;
};

// Keys that are not letters, digits or function keys, by their unshifted keysym.
static const KeyRow KEY_TABLE[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Select, VK_SELECT},
    {XK_Execute, VK_EXECUTE},
    {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Help, VK_HELP},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    // Keypad keys with Num Lock off act as the cursor block.
    {XK_KP_Home, VK_HOME},
    {XK_KP_Up, VK_UP},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Begin, VK_CLEAR},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_End, VK_END},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    // Punctuation keys, by their place on a US layout.
    {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_less, VK_OEM_102},
};

int keysym_virtual_key(unsigned long base, unsigned long typed)
{
    // Num Lock decides what a keypad digit is, so look at what it typed.
    if (typed >= XK_KP_0 && typed <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(typed - XK_KP_0);
    if (typed == XK_KP_Decimal) return VK_DECIMAL;
    if (base >= XK_a && base <= XK_z) return 'A' + static_cast<int>(base - XK_a);
    if (base >= XK_A && base <= XK_Z) return 'A' + static_cast<int>(base - XK_A);
    if (base >= XK_0 && base <= XK_9) return '0' + static_cast<int>(base - XK_0);
    if (base >= XK_F1 && base <= XK_F24) return VK_F1 + static_cast<int>(base - XK_F1);
    for (const KeyRow& row : KEY_TABLE)
        if (row.keysym == base) return row.virtual_key;
    return 0;
}
