#!/usr/bin/env bash
# rollbox1 on the wayland driver, from start to end: chosen before an X
# display unless asked for x11; on the palette display; Escape ends it with 0;
# hidden in sway's scratchpad it keeps drawing (the compositor sends a hidden
# window no frame callbacks, and the swap does not wait for them) and takes
# input again once shown; when the compositor goes away it ends with 1 and
# one line on stderr.
source "$(dirname "$0")/sway_session.sh"
start_session
# With an X display there too, the compositor is chosen, unless ROLLBOX_DRIVER
# names x11. On the simulated palette display every pixel is one of 256
# colours (the gradient alone has thousands).
start_xvfb 640x480x24
user_command env DISPLAY="$DISPLAY" ROLLBOX_PALETTE_DISPLAY=1 "$ROLLBOX_BUILD_DIR/demo/rollbox1"
(cd "$work" && exec "${command[@]}") >"$work/out" 2>"$work/err" &
program_pid=$!
watched="rollbox1 rollbox1"
colours() { /usr/bin/convert "$work/shot.png" -format %k info:; }
palette_shown() { screenshot && [ "$(colour_at 0 0)" = "0 0 128" ] && [ "$(colours)" -gt 4 ]; }
wait_until palette_shown || fail "no cube on the palette display's blue"
[ "$(colours)" -le 256 ] || fail "$(colours) colours on the palette display"
! xdotool search --name '^rollbox1$' >/dev/null 2>&1 || fail "a window on the X display too"
user_command env DISPLAY="$DISPLAY" ROLLBOX_DRIVER=x11 "$ROLLBOX_BUILD_DIR/demo/rollbox1"
(cd "$work" && exec "${command[@]}") >"$work/x11-out" 2>&1 &
x11_pid=$!
wait_until xdotool search --name '^rollbox1$' || fail "ROLLBOX_DRIVER=x11 did not choose the X display"
kill "$x11_pid" "$XVFB_PID"
wait "$x11_pid" "$XVFB_PID" 2>/dev/null || true
key -k Escape
wait_for_exit || fail "Escape did not end rollbox1"
[ "$exit_code" = 0 ] || fail "Escape ended rollbox1 with $exit_code"

# Processor time, in clock ticks, the program has used.
ticks() { awk '{ print $14 + $15 }' "/proc/$program_pid/stat"; }
start_rollbox1
as_user swaymsg -q '[app_id="rollbox1"] move scratchpad'
wait_until eval '! find_window rollbox1 rollbox1 || [ "$(as_user swaymsg -t get_tree |
    jq "[.. | objects | select(.app_id? == \"rollbox1\") | .visible] | any")" = false ]' ||
    fail "the window did not go to the scratchpad"
before=$(ticks)
sleep 3
[ $(($(ticks) - before)) -ge 10 ] || fail "hidden, rollbox1 stopped: $(($(ticks) - before)) ticks in 3 s"
as_user swaymsg -q '[app_id="rollbox1"] scratchpad show'
smaller_than() { screenshot && read -r w h x y < <(cube_box) && [ $((w > h ? w : h)) -lt "$1" ]; }
key $(printf 'd%.0s' $(seq 1 100))
wait_until smaller_than 20 || fail "shown again, rollbox1 did not take keys"

kill "$SWAY_PID"
wait_for_exit || fail "rollbox1 did not end with the compositor"
[ "$exit_code" = 1 ] || fail "the compositor's end ended rollbox1 with $exit_code"
[ "$(wc -l <"$work/err")" = 1 ] && grep -q "^rollbox1: lost the display: the Wayland compositor" "$work/err" ||
    fail "not one line naming the compositor on stderr: $(cat "$work/err")"
