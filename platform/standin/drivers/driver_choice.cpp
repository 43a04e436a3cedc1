// Which display driver runs: the one a test selects, else the null driver when
// ROLLBOX_DRIVER=null asks for it, else x11 when a display opens; otherwise
// none, and window creation fails.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standin/internal.h"
#include "platform/standin/testing.h"

struct DriverBootstrap {
    const char* name;
    const DisplayDriver* (*init)();
    const char* cannot_start; // why, for stderr, when it was asked for and does not start
};

static const DriverBootstrap DRIVERS[] = {
    {"x11", x11_driver_init, nullptr},
    {"null", null_driver_init, "the headless driver cannot start (no EGL on Mesa's surfaceless platform)"},
};

static const DisplayDriver* driver;
static bool chosen;

static const DriverBootstrap* bootstrap_named(const char* name)
{
    for (const DriverBootstrap& candidate : DRIVERS)
        if (std::strcmp(candidate.name, name) == 0) return &candidate;
    return nullptr;
}

static bool start(const DriverBootstrap* bootstrap)
{
    chosen = true;
    driver = bootstrap == nullptr ? nullptr : bootstrap->init();
    return driver != nullptr;
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

// Before the first connection: descriptors 0 to 2 open (on /dev/null where
// they were closed), or the connection could take descriptor 2 and receive
// what any library writes to stderr; and a report written to a stderr nobody
// reads any more fails instead of ending the process.
static void settle_standard_streams()
{
    for (int descriptor = 0; descriptor <= 2; descriptor++)
        if (fcntl(descriptor, F_GETFD) < 0 && errno == EBADF)
            open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY); // the lowest free: this one
    std::signal(SIGPIPE, SIG_IGN);
}

const DisplayDriver* current_driver()
{
    if (chosen) return driver;
    settle_standard_streams();
    const char* wanted = std::getenv("ROLLBOX_DRIVER");
    const DriverBootstrap* asked = wanted == nullptr ? nullptr : bootstrap_named(wanted);
    if (asked != nullptr && asked->cannot_start != nullptr) {
        if (!start(asked))
            std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, asked->cannot_start);
    } else if (!start(bootstrap_named("x11"))) {
        report_no_display();
    }
    return driver;
}

const DisplayDriver* chosen_driver()
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
    return start(bootstrap_named(name));
}

const char* standin_driver_name()
{
    return driver == nullptr ? nullptr : driver->name;
}
