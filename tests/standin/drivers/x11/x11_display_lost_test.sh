#!/bin/bash
# When the X server goes away, or kills the client, the program ends at once:
# one line on stderr, a non-zero exit code, no crash and no core file. When
# another client destroys its window, or the surface GL draws into, it ends
# as after a close.
. "$(dirname "$0")/xvfb_session.sh"
ulimit -c unlimited
for loss in "server ended" "client killed"; do
    start_probe "x11 probe" 100 100 320 240
    if [ "$loss" = "server ended" ]; then kill "$XVFB_PID"; else xdotool windowkill "$window"; fi
    wait_for_exit || fail "$loss: the probe did not end"
    [ "$exit_code" != 0 ] && [ "$exit_code" -lt 128 ] || fail "$loss: the probe ended with $exit_code"
    [ "$(wc -l <"$work/err")" = 1 ] || fail "$loss: expected one line on stderr"
    ! ls "$work"/core* >/dev/null 2>&1 || fail "$loss: a core file was written"
    kill "$XVFB_PID" 2>/dev/null || true
done

for destroyed in window surface; do
    start_probe "x11 probe" 100 100 320 240
    target=$window
    [ $destroyed = window ] || target=$(xwininfo -children -id "$window" | awk '$1 ~ /^0x/ { print $1; exit }')
    xdotool windowclose "$target"
    wait_for_exit || fail "$destroyed destroyed: the probe did not end"
    [ "$exit_code" = 0 ] && grep -q "^quit" "$work/out" || fail "$destroyed destroyed: no quit, or exit code $exit_code"
    kill "$XVFB_PID" 2>/dev/null || true
done
