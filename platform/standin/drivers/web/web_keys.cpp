// The page's key events as Windows sees keys: the browser's key code is
// already the Windows virtual-key code of the key (whatever the modifiers),
// but for three punctuation keys in some browsers, and the key's value is the
// character it types with them. A held key repeats its key-down as the
// browser repeats it.
#include <cstring>

#include "platform/standin/drivers/web/web_driver.h"
#include "platform/standin/win32_user.h"

struct NamedKey {
    const char* name; // the page's key value
    int character;
};

// Keys whose value is a name but which type a control character on Windows.
static const NamedKey TYPING_KEYS[] = {
    {"Enter", '\r'},
    {"Escape", 0x1B},
    {"Backspace", '\b'},
    {"Tab", '\t'},
};

struct KeyCodeRow {
    unsigned long key_code;
    const char* typed; // the key's value that tells the row's key from another with that code
    int virtual_key;
};

// Key codes some browsers give in place of Windows' for these keys (173 is
// also Windows' own code of the mute key).
static const KeyCodeRow OTHER_KEY_CODES[] = {
    {59, nullptr, VK_OEM_1},
    {61, nullptr, VK_OEM_PLUS},
    {173, "-", VK_OEM_MINUS},
    {173, "_", VK_OEM_MINUS},
};

static int virtual_key_of(const EmscriptenKeyboardEvent* event)
{
    for (const KeyCodeRow& row : OTHER_KEY_CODES)
        if (row.key_code == event->keyCode &&
            (row.typed == nullptr || std::strcmp(row.typed, event->key) == 0))
            return row.virtual_key;
    return event->keyCode < 256 ? static_cast<int>(event->keyCode) : 0;
}

// One UTF-8 character of Latin-1, or 0.
static int latin1_character(const char* text)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    if (bytes[0] != 0 && bytes[0] < 0x80 && bytes[1] == 0) return bytes[0];
    if ((bytes[0] == 0xC2 || bytes[0] == 0xC3) && (bytes[1] & 0xC0) == 0x80 && bytes[2] == 0)
        return (bytes[0] & 0x03) << 6 | (bytes[1] & 0x3F);
    return 0;
}

static int typed_character(const EmscriptenKeyboardEvent* event)
{
    for (const NamedKey& key : TYPING_KEYS)
        if (std::strcmp(event->key, key.name) == 0) return key.character;
    int character = latin1_character(event->key);
    // Control with a letter types its control character, as on Windows.
    bool letter = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
    if (event->ctrlKey && !event->altKey && letter) return character & 0x1F;
    return character;
}

void web_translate_key(const EmscriptenKeyboardEvent* event, int* virtual_key, int* character)
{
    *virtual_key = virtual_key_of(event);
    *character = typed_character(event);
    if (*virtual_key == VK_DELETE) *character = 0; // Delete types nothing on Windows
    // A key of no other kind still types its character.
    if (*virtual_key == 0 && *character != 0) *virtual_key = VK_OEM_8;
}

static EM_BOOL on_key(int event_type, const EmscriptenKeyboardEvent* event, void*)
{
    int virtual_key = 0, character = 0;
    web_translate_key(event, &virtual_key, &character);
    if (virtual_key == 0) return EM_FALSE;
    bool down = event_type == EMSCRIPTEN_EVENT_KEYDOWN;
    web_keep_event(WebEvent{WEB_KEY, virtual_key, character, down, BUTTON_LEFT, 0, 0});
    // The page scrolls on arrows and Space unless told not to; the browser's
    // own shortcuts stay.
    return event->ctrlKey || event->altKey || event->metaKey ? EM_FALSE : EM_TRUE;
}

void web_listen_to_keys(bool listen)
{
    emscripten_set_keydown_callback(WEB_CANVAS, nullptr, EM_TRUE, listen ? on_key : nullptr);
    emscripten_set_keyup_callback(WEB_CANVAS, nullptr, EM_TRUE, listen ? on_key : nullptr);
}
