# Sourced by the rollbox1 e2e-x11 scripts: the real rollbox1 started in a
# folder of its own (where the pictures go) in a private Xvfb, its window and
# the box around the cube in its client area.
source "$ROLLBOX_SOURCE_DIR/tests/support/x_session.sh"
start_xvfb

# make_picture NAME COLOUR: a 512 x 512 24-bit BMP in the folder.
make_picture() { /usr/bin/convert -size 512x512 "xc:$2" -type TrueColor "BMP3:$work/$1"; }

# "width height x y" of everything that is not the dark blue background.
cube_box() {
    /usr/bin/convert "$work/shot.png" -bordercolor 'rgb(0,0,77)' -border 1 -fuzz 2% -format "%@\n" info: | sed 's/[x+]/ /g'
}
drawn() { screenshot "$window" && [[ "$(colour_at 0 0)" == "0 0 7"[67] ]] && [ "$(cube_box | cut -d' ' -f1)" -gt 0 ]; }

# start_rollbox1 [closed-stderr]: starts rollbox1 (the build's, or the one
# named by ROLLBOX_PROGRAM) and waits until its window shows the cube; with
# closed-stderr, stderr closed and libGL talking on it.
start_rollbox1() {
    local program=${ROLLBOX_PROGRAM:-$ROLLBOX_BUILD_DIR/demo/rollbox1}
    if [ "${1:-}" = closed-stderr ]; then
        (cd "$work" && LIBGL_DEBUG=verbose exec "$program" 2>&-) >"$work/out" &
    else
        (cd "$work" && exec "$program") >"$work/out" 2>"$work/err" &
    fi
    program_pid=$!
    wait_until find_window window rollbox1 || fail "no window titled rollbox1 was shown; titled so: $(windows_titled rollbox1)"
    wait_until drawn || fail "the cube never showed"
}

key() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --delay 10 "$@"
}
