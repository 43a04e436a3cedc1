// Which display driver runs: the one a test selects, else the null driver when
// ROLLBOX_DRIVER=null asks for it, else x11 when a display opens; otherwise
// none, and window creation fails. In a web page there is only the web driver.
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

#ifdef __EMSCRIPTEN__
static const DriverBootstrap DRIVERS[] = {
    {"web", web_driver_init},
};
static const char DEFAULT_DRIVER[] = "web";
#else
static const DriverBootstrap DRIVERS[] = {
    {"x11", x11_driver_init},
    {"null", null_driver_init},
};
static const char DEFAULT_DRIVER[] = "x11";
#endif

static const DisplayDriver* driver;
static bool chosen;

static const DriverBootstrap* bootstrap_named(const char* name)
{
    for (const DriverBootstrap& candidate : DRIVERS)
        if (std::strcmp(candidate.name, name) == 0) return &candidate;
    return nullptr;
}

// Starts the driver, or says once on stderr why it cannot, before the
// program reports its own failure.
static bool start(const DriverBootstrap* bootstrap, bool say_why)
{
    chosen = true;
    const char* failure = "no such display driver";
    driver = bootstrap == nullptr ? nullptr : bootstrap->init(&failure);
    if (driver == nullptr && say_why)
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, failure);
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

// ROLLBOX_DRIVER=null selects the headless driver; anything else means the
// default one.
const DisplayDriver* current_driver()
{
    if (chosen) return driver;
    settle_standard_streams();
    const char* wanted = std::getenv("ROLLBOX_DRIVER");
    bool headless = wanted != nullptr && std::strcmp(wanted, "null") == 0;
    start(bootstrap_named(headless ? "null" : DEFAULT_DRIVER), true);
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
    return start(bootstrap_named(name), false);
}

const char* standin_driver_name()
{
    return driver == nullptr ? nullptr : driver->name;
}
