// The KERNEL32 and ADVAPI32 side's state in one record: the version reported
// and the current user's registry key "Control Panel\Colors". Tests return it
// to its start with the stand-in's reset.
#pragma once

#include "platform/standin/internal.h"
#include "platform/win32.h"

const int MAX_REGISTRY_VALUES = 64;
const int REGISTRY_NAME_SIZE = 64;
const int REGISTRY_DATA_SIZE = 256;
const int MAX_OPEN_KEYS = 16;

struct RegistryValue {
    char name[REGISTRY_NAME_SIZE];
    DWORD type;
    DWORD size;
    BYTE data[REGISTRY_DATA_SIZE];
};

struct KernelState {
    DWORD version_platform;
    DWORD version_major;
    DWORD version_minor;
    DWORD version_build;
    bool colours_key_exists;
    RegistryValue values[MAX_REGISTRY_VALUES];
    int value_count;
    // Open handles stay valid until closed; reading through one after the key
    // was deleted fails with ERROR_KEY_DELETED.
    bool key_open[MAX_OPEN_KEYS];
    bool key_deleted_under[MAX_OPEN_KEYS];
};

extern KernelState kernel_state;

// Windows 10 22H2, and the colours key holding the standard scheme as REG_SZ
// "r g b" strings.
void reset_kernel_state();

// registry.cpp: a value stored under a name in the colours key of `state`.
void store_registry_value(KernelState* state, const char* name, DWORD type, const void* data, DWORD size);
void store_standard_colours(KernelState* state);
