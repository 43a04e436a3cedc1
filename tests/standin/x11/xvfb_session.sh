# Sourced by the e2e-x11 scripts: a private Xvfb on a free display, the probe
# window on it, and waiting for the lines the probe prints.
# The sourcing script is called as: SCRIPT PROBE WM_REQUEST
set -u
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
probe_binary=$(realpath "$1")
wm_request=$(realpath "$2")
work=$(mktemp -d)
XVFB_PID=
probe_pid=
window=

stop_session() {
    if [ -n "$probe_pid" ]; then kill "$probe_pid" 2>/dev/null; wait "$probe_pid" 2>/dev/null; fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
    probe_pid=
    XVFB_PID=
}
trap 'stop_session; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- probe output" >&2
    cat "$work/out" >&2 2>/dev/null
    echo "--- probe errors" >&2
    cat "$work/err" >&2 2>/dev/null
    exit 1
}

# Runs the command until it succeeds, for ten seconds at most.
wait_until() {
    local tries=100
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

start_x_server() {
    start_xvfb 800x600x24 || fail "Xvfb did not start"
}

window_viewable() { xwininfo -id "$1" | grep -q "Map State: IsViewable"; }
has_focus() { [ "$(xdotool getwindowfocus -f)" = "$1" ]; }

# start_probe TITLE CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT: runs the probe
# on the x11 driver and waits until its window is on the screen and active.
start_probe() {
    (cd "$work" && exec env -u ROLLBOX_DRIVER "$probe_binary" "$@" >"$work/out" 2>"$work/err") &
    probe_pid=$!
    wait_until grep -qx shown "$work/out" || fail "the probe did not show its window"
    wait_until xdotool search --name "^$1\$" || fail "no window is named '$1'"
    window=$(xdotool search --name "^$1\$" | head -n 1)
    wait_until window_viewable "$window" || fail "the window is not viewable"
    wait_until has_focus "$window" || fail "the window did not get the focus"
    wait_until grep -qx "WM_ACTIVATE 1" "$work/out" || fail "the window was not activated"
}

# The lines printed so far; expectations look only at lines after a mark.
mark=0
set_mark() { mark=$(wc -l <"$work/out"); }
lines_since_mark() { tail -n +"$((mark + 1))" "$work/out"; }

# True when the given lines appear, in this order, after the mark.
in_order() {
    local line
    while IFS= read -r line; do
        if [ $# -gt 0 ] && [ "$line" = "$1" ]; then shift; fi
    done < <(lines_since_mark)
    [ $# -eq 0 ]
}

expect_in_order() { wait_until in_order "$@" || fail "expected, in order: $*"; }
expect_none_since_mark() { ! lines_since_mark | grep -qE "$1" || fail "unexpected line matching '$1'"; }

# pixel_at X Y: the screen's colour there as #RRGGBB.
pixel_at() {
    /usr/bin/import -window root "$work/screen.png" 2>/dev/null || fail "no screenshot"
    /usr/bin/convert "$work/screen.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1
}
