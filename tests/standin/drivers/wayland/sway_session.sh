# Sourced by the wayland end-to-end scripts, called as SCRIPT POINTER_DEVICE:
# a private sway on its headless backend (no Xwayland, no DISPLAY; see
# start_sway in scripts/common.sh), run with the programs it shows as an
# unprivileged user; a pointer device and a keyboard held open so that the
# clients have input; screenshots with grim.
source "$ROLLBOX_SOURCE_DIR/tests/support/x_session.sh"
pointer_device=$(realpath "${1:?usage: SCRIPT POINTER_DEVICE}")
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
SWAY_PID= HELD_PIDS=
trap 'kill $program_pid $HELD_PIDS $SWAY_PID 2>/dev/null; wait $program_pid $HELD_PIDS $SWAY_PID 2>/dev/null; rm -rf "$work"' EXIT

# start_session: sway (scripts/common.sh), then the pointer device and a
# keyboard that stay while it runs.
start_session() {
    start_sway "$work" || fail "sway did not start"
    local command
    mkfifo "$work/pointer.in"
    user_command "$pointer_device"
    (exec "${command[@]}" <"$work/pointer.in" >"$work/pointer" 2>&1) &
    HELD_PIDS="$HELD_PIDS $!"
    exec {pointer_commands}>"$work/pointer.in"
    wait_until grep -q ready "$work/pointer" || fail "no pointer device: $(cat "$work/pointer")"
    park_pointer
    user_command wtype -s 1000000000
    (exec "${command[@]}") &
    HELD_PIDS="$HELD_PIDS $!"
}
# The compositor's view of the windows of app id $1, one a line:
# "x y width height title", where x y is the client area's place on the output.
windows_of() {
    as_user swaymsg -t get_tree | jq -r --arg app "$1" '.. | objects | select(.app_id? == $app) |
        "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.name)"'
}
# find_window APP_ID TITLE...: sets client_x client_y client_width client_height
# of that window, as the compositor has it now.
find_window() {
    local app=$1 line
    shift
    line=$(windows_of "$app" | grep " $*\$" | head -n 1) && [ -n "$line" ] &&
        read -r client_x client_y client_width client_height _ <<<"$line"
}

# screenshot: the client area of the window the test watches ($watched: its
# app id and title), where it is now, into $work/shot.png, for colour_at.
screenshot() {
    find_window $watched &&
        as_user grim -g "$client_x,$client_y ${client_width}x$client_height" - >"$work/shot.png" 2>/dev/null
}

# start_rollbox1 [VARIABLE=VALUE...]: rollbox1 of the build in the session,
# in $work, with those variables, until its window shows the cube.
start_rollbox1() {
    local command
    user_command env "$@" "$ROLLBOX_BUILD_DIR/demo/rollbox1"
    (cd "$work" && exec "${command[@]}") >"$work/out" 2>"$work/err" &
    program_pid=$!
    watched="rollbox1 rollbox1"
    wait_until find_window $watched || fail "no window of app id rollbox1 appeared"
    wait_until drawn || fail "the cube never showed"
}

# "width height x y" of everything that is not the dark blue background.
cube_box() {
    /usr/bin/convert "$work/shot.png" -bordercolor 'rgb(0,0,77)' -border 1 -fuzz 2% -format "%@\n" info: |
        sed 's/[x+]/ /g'
}
drawn() { screenshot && [[ "$(colour_at 0 0)" == "0 0 7"[67] ]] && [ "$(cube_box | cut -d' ' -f1)" -gt 0 ]; }

# Input: keys with wtype (its arguments); the pointer device's commands
# (see pointer_device.cpp), each waited for, with places in client coordinates.
key() { as_user wtype "$@"; }
commands_done() { grep -c '^done' "$work/pointer" || true; }
pointer() {
    local before
    before=$(commands_done)
    echo "$*" >&"$pointer_commands"
    wait_until eval '[ "$(commands_done)" -gt '"$before"' ]' || fail "the pointer device hangs"
}
pointer_to() { find_window $watched && pointer move $((client_x + $1)) $((client_y + $2)); }
# drag BUTTON X1 Y1 X2 Y2 X3 Y3, in client coordinates.
drag() {
    pointer_to "$2" "$3"
    pointer press "$1"
    sleep 0.5
    pointer_to "$4" "$5"
    sleep 0.5
    pointer_to "$6" "$7"
    sleep 0.5
    pointer release "$1"
    park_pointer
}
# The headless output draws the pointer into every screenshot: after use it
# goes to the output's corner, off the windows.
park_pointer() { pointer move 1023 767; }
