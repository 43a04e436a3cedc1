// KERNEL32: module handle, version, local memory, sleeping, ending the process.
#include <sched.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standin/kernel/kernel_state.h"
#include "platform/standin/testing.h"

// Where a Windows program's image is loaded by default: a 64-bit one's, or
// with 32-bit pointers (the web build) a 32-bit one's.
#if UINTPTR_MAX > 0xFFFFFFFFu
static const ULONG_PTR PROGRAM_IMAGE_BASE = 0x140000000;
#else
static const ULONG_PTR PROGRAM_IMAGE_BASE = 0x400000;
#endif
static const DWORD INFINITE_WAIT = 0xFFFFFFFF;

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name)
{
    if (!platform_call("GetModuleHandleA")) return nullptr;
    // Only the program itself is a module here.
    if (module_name != nullptr) return nullptr;
    return reinterpret_cast<HMODULE>(PROGRAM_IMAGE_BASE);
}

// The size field must name the structure, as Windows insists.
BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA version)
{
    if (!platform_call("GetVersionExA")) return FALSE;
    if (version == nullptr || version->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) return FALSE;
    version->dwMajorVersion = kernel_state.version_major;
    version->dwMinorVersion = kernel_state.version_minor;
    version->dwBuildNumber = kernel_state.version_build;
    version->dwPlatformId = kernel_state.version_platform;
    std::memset(version->szCSDVersion, 0, sizeof version->szCSDVersion);
    return TRUE;
}

void standin_set_version(DWORD platform_id, DWORD major, DWORD minor)
{
    kernel_state.version_platform = platform_id;
    kernel_state.version_major = major;
    kernel_state.version_minor = minor;
    kernel_state.version_build = 0;
}

// LMEM_FIXED memory is a plain pointer; the other flags are not used here and
// give fixed memory too.
HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes)
{
    if (!platform_call("LocalAlloc")) return nullptr;
    size_t size = bytes == 0 ? 1 : bytes;
    return (flags & LMEM_ZEROINIT) != 0 ? std::calloc(1, size) : std::malloc(size);
}

// Returns null on success, as Windows does.
HLOCAL WINAPI LocalFree(HLOCAL memory)
{
    if (!platform_call("LocalFree")) return memory;
    std::free(memory);
    return nullptr;
}

void WINAPI Sleep(DWORD milliseconds)
{
    if (!platform_call("Sleep")) return;
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    do {
        DWORD step = milliseconds == INFINITE_WAIT ? 1000 : milliseconds;
        timespec rest = {static_cast<time_t>(step / 1000), static_cast<long>(step % 1000) * 1000000L};
        while (nanosleep(&rest, &rest) != 0) { }
    } while (milliseconds == INFINITE_WAIT);
}

// Ends the process; it cannot be made to fail.
void WINAPI ExitProcess(UINT exit_code)
{
    platform_call("ExitProcess");
    std::fflush(nullptr);
    std::exit(static_cast<int>(exit_code));
}
