#include "tests/support/fresh_state.h"

#include <cstdlib>
#include <cstring>

#include "binding/binding.h"
#include "demo/demo.h"
#include "palette/palette.h"
#include "platform/standin/testing.h"

// Taken before main, when they still hold their initial values.
static const ToolkitSettings start_settings = toolkit_settings;
static const int32_t start_requested_display_mode = requested_display_mode;
struct DefaultColours {
    PALETTEENTRY entries[20];
};
static const DefaultColours start_default_colours = [] {
    DefaultColours colours;
    std::memcpy(colours.entries, default_colours, sizeof colours.entries);
    return colours;
}();

void reset_everything()
{
    setenv("ROLLBOX_DRIVER", "null", 1);
    standin_reset();
    toolkit_settings = start_settings;
    toolkit_state = ToolkitState{};
    key_table_count = 0;
    mouse_down_table_count = 0;
    mouse_up_table_count = 0;
    mouse_move_table_count = 0;
    requested_display_mode = start_requested_display_mode;
    scene = SceneState{};
    std::memcpy(default_colours, start_default_colours.entries, sizeof default_colours);
}
