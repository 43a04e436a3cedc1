#!/bin/bash
# When the X server goes away, or kills the client, the program ends at once:
# one line on stderr, a non-zero exit code, no crash and no core file.
. "$(dirname "$0")/xvfb_session.sh"

# expect_clean_loss WHAT: waits for the probe to end and checks how it ended.
expect_clean_loss() {
    wait "$probe_pid"
    local code=$?
    probe_pid=
    [ "$code" != 0 ] || fail "$1: the probe exited 0"
    [ "$code" -lt 128 ] || fail "$1: the probe died of signal $((code - 128))"
    [ "$(wc -l <"$work/err")" = 1 ] || fail "$1: expected one line on stderr"
    ! ls "$work"/core* >/dev/null 2>&1 || fail "$1: a core file was written"
}

ulimit -c unlimited
start_x_server
start_probe "x11 server probe" 100 100 320 240
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null
XVFB_PID=
expect_clean_loss "server ended"

start_x_server
start_probe "x11 killed probe" 100 100 320 240
"$wm_request" kill "$window"
expect_clean_loss "client killed"
echo "PASS"
