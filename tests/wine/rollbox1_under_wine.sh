#!/usr/bin/env bash
# The Windows build of rollbox1 under Wine in a private Xvfb: its window opens
# with the title "rollbox1" and a 600 x 500 client area showing the cube on the
# dark blue background, and Escape ends it with exit code 0.
program=${1:?usage: rollbox1_under_wine.sh rollbox1.exe}
source "$ROLLBOX_SOURCE_DIR/tests/support/x_session.sh"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null; kill $program_pid $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT
start_xvfb
# The first run makes the Wine prefix, which takes a while; later runs reuse it.
[ -d "$WINEPREFIX" ] || timeout 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
(cd "$work" && exec /usr/lib/wine/wine64 "$program") >"$work/out" 2>&1 &
program_pid=$!
# Wine makes the X window frame and all, then shrinks it to the client area
# as it shows it; the window is the shown one of the client area's size.
wait_until find_window window rollbox1 600 500 ||
    fail "no window titled rollbox1 with a 600 x 500 client area was shown; titled so: $(windows_titled rollbox1)"
read -r x y width height < <(geometry "$window")
# The background in a corner, something else (the cube) in the middle.
drawn() {
    screenshot root
    [[ "$(colour_at $((x + 2)) $((y + height - 3)))" == "0 0 7"[67] ]] &&
        [[ "$(colour_at $((x + width / 2)) $((y + height / 2)))" != "0 0 7"[67] ]]
}
wait_until drawn || fail "no cube on the dark blue background"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" Escape
wait_for_exit || fail "Escape did not end rollbox1.exe"
[ "$exit_code" = 0 ] || fail "Escape ended rollbox1.exe with $exit_code"
