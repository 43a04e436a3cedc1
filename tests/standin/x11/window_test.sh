#!/bin/bash
# The window opens where and as large as asked, with its title, and shows the
# colour GL clears it to.
. "$(dirname "$0")/xvfb_session.sh"
start_x_server
start_probe "x11 window probe" 150 120 320 240

info=$(xwininfo -id "$window")
grep -q "Absolute upper-left X:  150$" <<<"$info" || fail "client area not at x 150: $info"
grep -q "Absolute upper-left Y:  120$" <<<"$info" || fail "client area not at y 120: $info"
grep -q "Width: 320$" <<<"$info" || fail "client width not 320: $info"
grep -q "Height: 240$" <<<"$info" || fail "client height not 240: $info"
xprop -id "$window" WM_NAME | grep -q '"x11 window probe"' || fail "WM_NAME not set"
xprop -id "$window" _NET_WM_NAME | grep -q '"x11 window probe"' || fail "_NET_WM_NAME not set"
xprop -id "$window" WM_PROTOCOLS | grep -q "WM_DELETE_WINDOW" || fail "WM_DELETE_WINDOW not offered"
grep -qx "WM_SIZE 320 240" "$work/out" || fail "no WM_SIZE with the client size"
grep -qx "WM_MOVE 150 120" "$work/out" || fail "no WM_MOVE with the client position"

# The probe's colour fills the client area, to its corners; outside is not it.
wait_until grep -qx WM_PAINT "$work/out" || fail "no WM_PAINT"
for point in "310 240" "152 122" "467 122" "152 357" "467 357"; do
    colour=$(pixel_at $point)
    [ "$colour" = "#0080FF" ] || fail "pixel at $point is $colour, not the clear colour #0080FF"
done
colour=$(pixel_at 140 110)
[ "$colour" != "#0080FF" ] || fail "the clear colour shows outside the client area"

# Moved and resized from outside: the messages follow, and the GL surface
# grows with the client area.
set_mark
xdotool windowmove "$window" 200 150
expect_in_order "WM_MOVE 200 150"
set_mark
xdotool windowsize "$window" 400 300
expect_in_order "WM_SIZE 400 300" "WM_PAINT"
grown() { [ "$(pixel_at 597 447)" = "#0080FF" ]; }
wait_until grown || fail "the GL surface did not grow with the window"
echo "PASS"
