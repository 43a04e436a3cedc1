// The USER side's state, ready before the program starts.
#include "platform/standin/user/user_state.h"

static UserState start_state()
{
    UserState state{};
    for (int i = 0; i < SYSTEM_COLOUR_COUNT; i++) state.system_colours[i] = standard_system_colour(i);
    return state;
}

UserState user_state = start_state();

void reset_user_state()
{
    user_state = start_state();
}
