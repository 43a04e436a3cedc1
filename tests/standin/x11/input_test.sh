#!/bin/bash
# Keys and buttons reach the window procedure as Windows delivers them.
. "$(dirname "$0")/xvfb_session.sh"
start_x_server
start_probe "x11 input probe" 100 100 320 240

set_mark
xdotool key d
expect_in_order "WM_KEYDOWN 68" "WM_CHAR 100" "WM_KEYUP 68"

set_mark
xdotool key shift+d
expect_in_order "WM_KEYDOWN 16" "WM_KEYDOWN 68" "WM_CHAR 68" "WM_KEYUP 68"

set_mark
xdotool key Caps_Lock d Caps_Lock
expect_in_order "WM_KEYDOWN 20" "WM_KEYDOWN 68" "WM_CHAR 68" "WM_KEYUP 68" "WM_KEYDOWN 20" "WM_KEYUP 20"

# Arrows type nothing; '%' types 37 on the '5' key, which is no arrow.
set_mark
xdotool key Left Up Right Down percent
expect_in_order "WM_KEYDOWN 37" "WM_KEYDOWN 38" "WM_KEYDOWN 39" "WM_KEYDOWN 40" "WM_KEYDOWN 53" "WM_CHAR 37"
[ "$(lines_since_mark | grep -c '^WM_CHAR')" = 1 ] || fail "an arrow key typed a character"
[ "$(lines_since_mark | grep -c '^WM_KEYDOWN 37$')" = 1 ] || fail "'%' gave a Left arrow key-down"

# Escape and Return type their control characters, as TranslateMessage gives them.
set_mark
xdotool key Escape Return space
expect_in_order "WM_KEYDOWN 27" "WM_CHAR 27" "WM_KEYDOWN 13" "WM_CHAR 13" "WM_KEYDOWN 32" "WM_CHAR 32"

# A held key repeats its key-down without releases in between.
set_mark
xdotool keydown x
repeated() { [ "$(lines_since_mark | grep -c '^WM_KEYDOWN 88$')" -ge 3 ]; }
wait_until repeated || fail "a held key did not repeat"
xdotool keyup x
expect_in_order "WM_KEYUP 88"
[ "$(lines_since_mark | grep -c '^WM_KEYUP 88$')" = 1 ] || fail "a held key gave releases while it repeated"

# A drag: motion and the release outside the window still reach it, in client
# coordinates. (Moves in between may be merged, as Windows merges them.)
set_mark
xdotool mousemove 140 150 mousedown 1 mousemove 190 180 mousemove 600 500 mouseup 1
expect_in_order "WM_LBUTTONDOWN 40 50" "WM_MOUSEMOVE 500 400" "WM_LBUTTONUP 500 400"

# The right and middle buttons; wheel steps are not buttons.
set_mark
xdotool mousemove 150 160 click 3 click 2 click 4 click 5 key d
expect_in_order "WM_RBUTTONDOWN 50 60" "WM_RBUTTONUP 50 60" "WM_MBUTTONDOWN 50 60" "WM_MBUTTONUP 50 60" "WM_CHAR 100"
[ "$(lines_since_mark | grep -c 'BUTTON')" = 4 ] || fail "a wheel step arrived as a button"
echo "PASS"
