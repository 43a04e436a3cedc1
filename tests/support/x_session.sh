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

# screenshot WINDOW, then colour_at X Y: its "r g b" there. A window that
# goes while it is taken can leave import waiting: it gets 20 s.
screenshot() { timeout 20 /usr/bin/import -window "$1" "$work/shot.png" 2>/dev/null; }
colour_at() {
    /usr/bin/convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]\n" info:
}
