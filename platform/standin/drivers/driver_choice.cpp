// Which display driver runs: the one a test selects, else the one
// ROLLBOX_DRIVER names, else the first window system that starts (wayland
// when a compositor answers, else x11 when a display opens; in a web page the
// web driver); otherwise none, and window creation fails.
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
    const DisplayDriver* (*init)(const char** failure);
};

// The drivers, and the window systems tried in turn when none is named.
#ifdef __EMSCRIPTEN__
static const DriverBootstrap DRIVERS[] = {
    {"web", web_driver_init},
};
static const char* const WINDOW_SYSTEMS[] = {"web"};
#else
static const DriverBootstrap DRIVERS[] = {
    {"wayland", wayland_driver_init},
    {"x11", x11_driver_init},
    {"null", null_driver_init},
};
static const char* const WINDOW_SYSTEMS[] = {"wayland", "x11"};
#endif

static const DisplayDriver* driver;
static bool chosen;

static const DriverBootstrap* bootstrap_named(const char* name)
{
    for (const DriverBootstrap& candidate : DRIVERS)
        if (std::strcmp(candidate.name, name) == 0) return &candidate;
    return nullptr;
}

// Starts the driver; when it cannot start, *failure says why.
static bool start(const DriverBootstrap* bootstrap, const char** failure)
{
    chosen = true;
    *failure = "no such display driver";
    driver = bootstrap == nullptr ? nullptr : bootstrap->init(failure);
    return driver != nullptr;
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

// The first window system that starts; when none does, one line saying why
// each could not.
static void start_a_window_system()
{
    char why[1024] = {};
    int length = 0;
    for (const char* name : WINDOW_SYSTEMS) {
        const char* failure = nullptr;
        if (start(bootstrap_named(name), &failure)) return;
        length += std::snprintf(why + length, sizeof why - static_cast<size_t>(length), "%s%s: %s",
            length > 0 ? "; " : "", name, failure);
        if (length >= static_cast<int>(sizeof why)) length = static_cast<int>(sizeof why) - 1;
    }
    std::fprintf(stderr, "%s: no display: %s\n", program_invocation_short_name, why);
}

// ROLLBOX_DRIVER names the driver (wayland, x11 or null); unset or empty, the
// window systems are tried in turn.
const DisplayDriver* current_driver()
{
    if (chosen) return driver;
    settle_standard_streams();
    const char* wanted = std::getenv("ROLLBOX_DRIVER");
    const char* failure = nullptr;
    if (wanted == nullptr || wanted[0] == '\0')
        start_a_window_system();
    else if (!start(bootstrap_named(wanted), &failure))
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, failure);
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
    const char* failure = nullptr;
    return start(bootstrap_named(name), &failure);
}

const char* standin_driver_name()
{
    return driver == nullptr ? nullptr : driver->name;
}
