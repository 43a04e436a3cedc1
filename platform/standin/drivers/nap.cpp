// The short sleep of a wait that nothing can end early.
#include <time.h>

#include "platform/standin/drivers/driver.h"

void nap_a_moment()
{
    timespec nap = {0, 1000000};
    nanosleep(&nap, nullptr);
}
