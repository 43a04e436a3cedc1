# Sourced by the x11 e2e scripts, called as SCRIPT PROBE WM_REQUEST: the probe
# window in a private Xvfb, and the lines it prints.
source "$ROLLBOX_SOURCE_DIR/tests/support/x_session.sh"
probe_binary=$(realpath "$1")
wm_request=$(realpath "$2")
has_focus() { [ "$(xdotool getwindowfocus -f)" = "$1" ]; }

# start_probe TITLE X Y CLIENT_WIDTH CLIENT_HEIGHT: runs the probe on the x11
# driver, the pointer still at (200, 200), and waits until its window is on
# the screen and active.
start_probe() {
    start_xvfb 800x600x24
    xdotool mousemove 200 200 # where the window will appear
    : >"$work/out" # no line of an earlier run may count
    (cd "$work" && exec env -u ROLLBOX_DRIVER "$probe_binary" "$@" >"$work/out" 2>"$work/err") &
    program_pid=$!
    wait_until grep -q "^paint" "$work/out" || fail "the probe did not show its window"
    wait_until find_window window "$1" || fail "no window titled $1 was shown"
    wait_until has_focus "$window" || fail "the window did not get the focus"

}

