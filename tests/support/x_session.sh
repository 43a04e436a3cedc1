# Sourced by the end-to-end scripts: a private Xvfb, waits for conditions with
# generous limits (a loaded machine only slows them), and pixels read back.
set -euo pipefail
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
unset WAYLAND_DISPLAY # an X session: the program must not find a compositor instead
work=$(mktemp -d)
XVFB_PID= program_pid=
trap 'kill $program_pid $XVFB_PID 2>/dev/null; wait $program_pid $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT

# fail MESSAGE: says what went wrong and what the program wrote, and stops.
fail() {
    echo "FAIL: $*" >&2
    cat "$work/out" "$work/err" >&2 2>/dev/null || true
    exit 1
}

# wait_until COMMAND...: runs it until it succeeds, for a minute at most.
wait_until() {
    local deadline=$((SECONDS + 60))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Waits for the program to end; its exit code in exit_code.
wait_for_exit() {
    wait_until eval '! kill -0 $program_pid' || return 1
    exit_code=0
    wait "$program_pid" || exit_code=$?
    program_pid=
}

# find_window VARIABLE TITLE [WIDTH HEIGHT]: sets VARIABLE to the one viewable
# X window titled exactly TITLE (and WIDTH x HEIGHT when given); false while
# there is none or more than one. A window is titled before it is shown, and
# may change size meanwhile (Wine makes it frame and all, then shrinks it to
# the client area as it maps it), so the first one titled so is not enough.
find_window() {
    local id matches=()
    for id in $(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null); do
        if [ $# -lt 4 ] || [[ "$(geometry "$id")" == *" $3 $4" ]]; then matches+=("$id"); fi
    done
    [ ${#matches[@]} = 1 ] && printf -v "$1" %s "${matches[0]}"
}

# geometry WINDOW: its "x y width height", x and y on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF}
        END{print x, y, w, h}'
}

# windows_titled TITLE: every X window titled exactly TITLE, shown or not, with
# its size, for a failure message.
windows_titled() {
    local id
    for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
        xwininfo -id "$id" | awk -v id="$id" '/Width:/{w=$NF} /Height:/{h=$NF} /Map State:/{m=$NF} END{print id ": " w " x " h ", " m}'
    done
}

# screenshot WINDOW, then colour_at X Y: its "r g b" there. A window that
# goes while it is taken can leave import waiting: it gets 20 s.
screenshot() { timeout 20 /usr/bin/import -window "$1" "$work/shot.png" 2>/dev/null; }
colour_at() {
    /usr/bin/convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]\n" info:
}

# What a program prints to "$work/out", line by line: expectations look only
# at the lines printed after the last mark.
mark=0
set_mark() { mark=$(wc -l <"$work/out"); }
lines_since_mark() { tail -n +"$((mark + 1))" "$work/out"; }
in_order() {
    local line
    while IFS= read -r line; do
        if [ $# -gt 0 ] && [ "$line" = "$1" ]; then shift; fi
    done < <(lines_since_mark)
    [ $# -eq 0 ]
}
expect_in_order() { wait_until in_order "$@" || fail "expected, in order: $*"; }
