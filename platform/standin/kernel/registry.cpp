// ADVAPI32's registry, as far as the system reads it: one key in memory,
// HKEY_CURRENT_USER "Control Panel\Colors", holding the standard Windows scheme
// as REG_SZ "r g b" strings until a test changes it.
#include <strings.h>

#include <cstdio>
#include <cstring>

#include "platform/standin/kernel/kernel_state.h"
#include "platform/standin/testing.h"

static const char COLOURS_KEY[] = "Control Panel\\Colors";
static const LSTATUS ERROR_KEY_DELETED = 1018;
static const ULONG_PTR FIRST_KEY_HANDLE = 0x0100;

// The value names of the system colours 0 to 30, as Windows stores them.
static const char* const COLOUR_VALUE_NAMES[] = {
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
    nullptr,
    "HotTrackingColor",
    "GradientActiveTitle",
    "GradientInactiveTitle",
    "MenuHilight",
    "MenuBar",
};

static RegistryValue* find_value(KernelState* state, const char* name)
{
    for (int i = 0; i < state->value_count; i++)
        if (strcasecmp(state->values[i].name, name) == 0) return &state->values[i];
    return nullptr;
}

// Storing into a deleted key makes the key again, holding that value.
void store_registry_value(KernelState* state, const char* name, DWORD type, const void* data, DWORD size)
{
    if (name == nullptr || std::strlen(name) >= REGISTRY_NAME_SIZE || size > REGISTRY_DATA_SIZE) return;
    state->colours_key_exists = true;
    RegistryValue* value = find_value(state, name);
    if (value == nullptr) {
        if (state->value_count == MAX_REGISTRY_VALUES) return;
        value = &state->values[state->value_count++];
        std::snprintf(value->name, sizeof value->name, "%s", name);
    }
    value->type = type;
    value->size = size;
    std::memcpy(value->data, data, size);
}

static void store_string(KernelState* state, const char* name, const char* text)
{
    store_registry_value(state, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

void store_standard_colours(KernelState* state)
{
    int count = static_cast<int>(sizeof COLOUR_VALUE_NAMES / sizeof COLOUR_VALUE_NAMES[0]);
    for (int i = 0; i < count; i++) {
        if (COLOUR_VALUE_NAMES[i] == nullptr) continue;
        COLORREF colour = standard_system_colour(i);
        char text[16];
        std::snprintf(text, sizeof text, "%u %u %u", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        store_string(state, COLOUR_VALUE_NAMES[i], text);
    }
}

static int open_index(HKEY key)
{
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(key);
    if (value < FIRST_KEY_HANDLE || value >= FIRST_KEY_HANDLE + MAX_OPEN_KEYS * 4 || value % 4 != 0)
        return -1;
    int index = static_cast<int>((value - FIRST_KEY_HANDLE) / 4);
    return kernel_state.key_open[index] ? index : -1;
}

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD, REGSAM, HKEY* result)
{
    if (!platform_call("RegOpenKeyExA")) return ERROR_FILE_NOT_FOUND;
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (key != HKEY_CURRENT_USER)
        return key == HKEY_CLASSES_ROOT || key == HKEY_LOCAL_MACHINE ? ERROR_FILE_NOT_FOUND
                                                                     : ERROR_INVALID_HANDLE;
    if (sub_key == nullptr || strcasecmp(sub_key, COLOURS_KEY) != 0 || !kernel_state.colours_key_exists)
        return ERROR_FILE_NOT_FOUND;
    for (int i = 0; i < MAX_OPEN_KEYS; i++) {
        if (kernel_state.key_open[i]) continue;
        kernel_state.key_open[i] = true;
        kernel_state.key_deleted_under[i] = false;
        *result = reinterpret_cast<HKEY>(FIRST_KEY_HANDLE + static_cast<ULONG_PTR>(i) * 4);
        return ERROR_SUCCESS;
    }
    return ERROR_OUTOFMEMORY;
}

// With no buffer, or one too small, the size needed is reported; a buffer too
// small gets ERROR_MORE_DATA and is left untouched.
LSTATUS WINAPI RegQueryValueExA(
    HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (!platform_call("RegQueryValueExA")) return ERROR_FILE_NOT_FOUND;
    int index = open_index(key);
    if (index < 0) return ERROR_INVALID_HANDLE;
    if (reserved != nullptr || (data != nullptr && size == nullptr)) return ERROR_INVALID_PARAMETER;
    if (kernel_state.key_deleted_under[index]) return ERROR_KEY_DELETED;
    const RegistryValue* value = value_name == nullptr ? nullptr : find_value(&kernel_state, value_name);
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = value->type;
    if (size == nullptr) return ERROR_SUCCESS;
    DWORD room = *size;
    *size = value->size;
    if (data == nullptr) return ERROR_SUCCESS;
    if (room < value->size) return ERROR_MORE_DATA;
    std::memcpy(data, value->data, value->size);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY key)
{
    if (!platform_call("RegCloseKey")) return ERROR_INVALID_HANDLE;
    if (key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    int index = open_index(key);
    if (index < 0) return ERROR_INVALID_HANDLE;
    kernel_state.key_open[index] = false;
    return ERROR_SUCCESS;
}

void standin_registry_set_string(const char* name, const char* value)
{
    store_string(&kernel_state, name, value == nullptr ? "" : value);
}

void standin_registry_set_dword(const char* name, DWORD value)
{
    store_registry_value(&kernel_state, name, REG_DWORD, &value, sizeof value);
}

void standin_registry_set_binary(const char* name, const void* data, DWORD size)
{
    store_registry_value(&kernel_state, name, REG_BINARY, data, size);
}

void standin_registry_set_raw(const char* name, DWORD type, const void* data, DWORD size)
{
    store_registry_value(&kernel_state, name, type, data, size);
}

void standin_registry_delete_value(const char* name)
{
    RegistryValue* value = name == nullptr ? nullptr : find_value(&kernel_state, name);
    if (value == nullptr) return;
    *value = kernel_state.values[--kernel_state.value_count];
}

void standin_registry_delete_colours_key()
{
    kernel_state.colours_key_exists = false;
    kernel_state.value_count = 0;
    for (int i = 0; i < MAX_OPEN_KEYS; i++)
        if (kernel_state.key_open[i]) kernel_state.key_deleted_under[i] = true;
}
