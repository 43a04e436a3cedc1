#!/bin/bash
# A message box shows its caption and text, stays modal while the window keeps
# getting its messages, and is answered by Return, Escape, a click on OK or the
# manager's close request.
. "$(dirname "$0")/xvfb_session.sh"
start_x_server
start_probe "x11 box probe" 100 100 320 240

# open_box: types 'm' and waits for the box; sets $box and its size.
open_box() {
    set_mark
    xdotool key m
    wait_until xdotool search --name "^Probe note\$" || fail "no message box captioned 'Probe note'"
    box=$(xdotool search --name "^Probe note\$" | head -n 1)
    wait_until window_viewable "$box" || fail "the message box is not viewable"
    wait_until has_focus "$box" || fail "the message box did not get the focus"
    box_width=$(xwininfo -id "$box" | sed -n 's/^ *Width: //p')
    box_height=$(xwininfo -id "$box" | sed -n 's/^ *Height: //p')
}
answered() { expect_in_order "$@" "MessageBoxA 1"; }

open_box
xprop -id "$box" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$window")" || fail "the box is not transient for its owner"
# The text is drawn: a white box with dark lines in it.
/usr/bin/import -window "$box" "$work/box.png" || fail "no screenshot of the box"
mean=$(/usr/bin/convert "$work/box.png" -colorspace Gray -format "%[fx:mean]" info:)
awk -v m="$mean" 'BEGIN { exit !(m > 0.7 && m < 0.99) }' || fail "the box does not look like dark text on white (mean $mean)"
# While it is up the window lost the activation: messages are still dispatched.
expect_in_order "WM_ACTIVATE 0"
xdotool key Return
answered "WM_ACTIVATE 0"

open_box
xdotool key Escape
answered

open_box
xdotool mousemove --window "$box" $((box_width / 2)) $((box_height - 16 - 13)) click 1
answered

open_box
"$wm_request" delete "$box"
answered

# The window takes keys again once the box is gone.
set_mark
xdotool key d
expect_in_order "WM_KEYDOWN 68" "WM_CHAR 100"
echo "PASS"
