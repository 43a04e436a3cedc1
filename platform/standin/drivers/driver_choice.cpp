// Which display driver runs: the one a test selects, else the null driver when
// ROLLBOX_DRIVER=null, else x11 when a display opens; otherwise none, and
// window creation fails.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standin/internal.h"
#include "platform/standin/testing.h"

static DisplayDriver driver_table;
static DisplayDriver* driver;
static bool chosen;

static bool start(const char* name)
{
    DisplayDriver table = {};
    bool started = false;
    if (std::strcmp(name, "null") == 0)
        started = null_driver_init(&table);
    else if (std::strcmp(name, "x11") == 0)
        started = x11_driver_init(&table);
    chosen = true;
    if (!started) return false;
    driver_table = table;
    driver = &driver_table;
    return true;
}

// Says once why no window can open, before the program reports its own failure.
static void report_no_display()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0')
        std::fprintf(stderr,
            "%s: no X display: DISPLAY is not set (ROLLBOX_DRIVER=null selects the headless driver)\n",
            program_invocation_short_name);
    else
        std::fprintf(
            stderr, "%s: cannot open the X display \"%s\"\n", program_invocation_short_name, display);
}

DisplayDriver* current_driver()
{
    if (chosen) return driver;
    const char* wanted = std::getenv("ROLLBOX_DRIVER");
    if (wanted != nullptr && std::strcmp(wanted, "null") == 0) {
        if (!start("null"))
            std::fprintf(stderr,
                "%s: the headless driver cannot start (no EGL on Mesa's surfaceless platform)\n",
                program_invocation_short_name);
    } else if (!start("x11")) {
        report_no_display();
    }
    return driver;
}

DisplayDriver* chosen_driver()
{
    return driver;
}

void end_driver()
{
    if (driver != nullptr) driver->terminate();
    driver = nullptr;
    chosen = false;
}

bool standin_select_driver(const char* name)
{
    if (chosen) return driver != nullptr && std::strcmp(driver->name, name) == 0;
    return start(name);
}

const char* standin_driver_name()
{
    return driver == nullptr ? nullptr : driver->name;
}
