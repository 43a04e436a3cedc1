// X key events as Windows sees keys: a virtual-key code for the key itself
// (whatever the modifiers) and the character it types with them.
#include <X11/keysym.h>

#include "platform/standin/drivers/x11/x11_driver.h"
#include "platform/standin/win32_user.h"

void x11_translate_key(XKeyEvent* event, int* virtual_key, int* character)
{
    char text[8] = {};
    KeySym typed = NoSymbol;
    // The keyboard's current Shift, Caps Lock and group apply here.
    int length = XLookupString(event, text, sizeof text, &typed, nullptr);
    KeySym base = XLookupKeysym(event, 0);
    *virtual_key = keysym_virtual_key(base, typed);
    *character = length == 1 ? static_cast<unsigned char>(text[0]) : 0;
    if (*virtual_key == VK_DELETE) *character = 0; // Delete types nothing on Windows
    // A key of no other kind still types its character.
    if (*virtual_key == 0 && *character != 0) *virtual_key = VK_OEM_8;
}

bool x11_is_confirm_or_cancel_key(XKeyEvent* event)
{
    KeySym keysym = XLookupKeysym(event, 0);
    return keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_Escape || keysym == XK_space;
}
