// The KERNEL32 and ADVAPI32 side's state, ready before the program starts.
#include "platform/standin/kernel/kernel_state.h"

static KernelState start_state()
{
    KernelState state{};
    state.version_platform = VER_PLATFORM_WIN32_NT;
    state.version_major = 10;
    state.version_minor = 0;
    state.version_build = 19045;
    store_standard_colours(&state);
    return state;
}

KernelState kernel_state = start_state();

void reset_kernel_state()
{
    kernel_state = start_state();
}
