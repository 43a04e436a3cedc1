// The characters a US keyboard types, for the testing controls: letters follow
// Shift and Caps Lock, the other keys Shift alone; Control with a letter types
// its control character. Keys that type nothing give 0.
#include "platform/standin/internal.h"
#include "platform/win32.h"

struct KeyCharacters {
    int virtual_key;
    char plain;
    char shifted;
};

static const KeyCharacters US_KEYS[] = {
    {'0', '0', ')'},
    {'1', '1', '!'},
    {'2', '2', '@'},
    {'3', '3', '#'},
    {'4', '4', '$'},
    {'5', '5', '%'},
    {'6', '6', '^'},
    {'7', '7', '&'},
    {'8', '8', '*'},
    {'9', '9', '('},
    {VK_SPACE, ' ', ' '},
    {VK_RETURN, '\r', '\r'},
    {VK_ESCAPE, 27, 27},
    {VK_BACK, 8, 8},
    {VK_TAB, '\t', '\t'},
    {VK_OEM_1, ';', ':'},
    {VK_OEM_PLUS, '=', '+'},
    {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},
    {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},
    {VK_MULTIPLY, '*', '*'},
    {VK_ADD, '+', '+'},
    {VK_SUBTRACT, '-', '-'},
    {VK_DECIMAL, '.', '.'},
    {VK_DIVIDE, '/', '/'},
};

int us_layout_character(int virtual_key, bool shift, bool caps_lock, bool control)
{
    if (virtual_key >= 'A' && virtual_key <= 'Z') {
        if (control) return virtual_key - 'A' + 1;
        return shift != caps_lock ? virtual_key : virtual_key - 'A' + 'a';
    }
    if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_NUMPAD0 + 9)
        return control ? 0 : '0' + (virtual_key - VK_NUMPAD0);
    for (const KeyCharacters& key : US_KEYS) {
        if (key.virtual_key != virtual_key) continue;
        if (control) {
            if (virtual_key == VK_RETURN) return '\n';
            if (virtual_key == VK_BACK) return 127;
            if (virtual_key == VK_ESCAPE || virtual_key == VK_SPACE) return key.plain;
            return 0;
        }
        return shift ? key.shifted : key.plain;
    }
    return 0;
}
