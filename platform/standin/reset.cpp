// The stand-in's reset for tests: every rendering context and window given
// back to the driver, the driver ended, and each area's state at its start.
#include "platform/standin/gdi/gdi_state.h"
#include "platform/standin/kernel/kernel_state.h"
#include "platform/standin/user/user_state.h"

void standin_reset()
{
    if (const DisplayDriver* driver = chosen_driver()) {
        driver->make_current(nullptr, nullptr);
        for (const WglContext& context : gdi_state.contexts)
            if (context.handle != nullptr) driver->delete_context(context.context);
        for (const WindowSlot& slot : user_state.windows)
            if (slot.used && slot.record.driver_window != nullptr)
                driver->destroy_window(slot.record.driver_window);
    }
    end_driver();
    reset_user_state();
    reset_gdi_state();
    reset_kernel_state();
    reset_journal();
}
