#!/bin/bash
# The toolkit on the x11 driver as a user meets it: the window where and as
# large as asked, with its title, its program's class and a GL surface that follows its size; keys,
# buttons and drags; a modal error box; the manager's ping answered and its
# close request ending the loop.
. "$(dirname "$0")/xvfb_session.sh"
start_probe "x11 probe" 150 120 320 240
info=$(xwininfo -id "$window")
for expected in "Absolute upper-left X:  154" "Absolute upper-left Y:  142" "Width: 320" "Height: 240"; do
    grep -q "$expected$" <<<"$info" || fail "not '$expected': $info"
done
[ "$(xprop -id "$window" WM_NAME _NET_WM_NAME | grep -c '"x11 probe"')" = 2 ] || fail "the title is not set"
xprop -id "$window" WM_CLASS | grep -q '"window_probe", "Window_probe"$' || fail "the class is not the program's"
expect_in_order "reshape 320 240 0" "paint 0 0 0"
# Appearing under the still pointer is one move; the same place again is none.
# A key between the motions keeps them apart (waiting moves coalesce).
expect_in_order "move 46 58 0"
xdotool mousemove 200 200 key z mousemove 201 200 key z mousemove 201 200 key z mousemove 200 200
expect_in_order "move 46 58 0" "move 47 58 0" "move 46 58 0"
[ "$(grep -c '^move' "$work/out")" = 3 ] || fail "moves: $(grep '^move' "$work/out" | tr '\n' ',')"
cleared() { screenshot root && [ "$(colour_at "$1" "$2")" = "0 128 255" ]; }
for point in "154 142" "473 381"; do wait_until cleared $point || fail "pixel at $point is not the clear colour"; done
! cleared 150 138 || fail "the clear colour shows outside the client area"
# Far larger than GL draws: the program sees the size, and what GL holds shows.
for size in "32767 32767" "400 300"; do
    set_mark
    xdotool windowsize "$window" $size
    expect_in_order "reshape $size 0" "paint 0 0 0"
done
wait_until cleared 553 441 || fail "the GL surface did not grow with the window"

# Letters as typed with Shift and Caps Lock, modifiers, the arrows; neither
# '%' nor the characters of Escape, Return and Space; a held key repeats.
set_mark
xdotool key d shift+d Caps_Lock d Caps_Lock ctrl+Left Up Right Down percent Escape Return space keydown x
expect_in_order "key 100 0 0" "key 68 1 0" "key 68 0 0" "key 37 2 0" "key 38 0 0" "key 39 0 0" "key 40 0 0" \
    "key 27 0 0" "key 13 0 0" "key 32 0 0" "key 120 0 0" "key 120 0 0" "key 120 0 0"
xdotool keyup x
[ "$(lines_since_mark | grep -c '^key 37 \|^key 27 ')" = 2 ] || fail "'%' came as the Left arrow, or Escape twice"
# A drag reaches the window outside it, in client coordinates; the right and
# middle buttons; wheel steps are no buttons.
set_mark
xdotool mousemove 244 222 mousedown 1 mousemove 294 252 mousemove 700 550 mouseup 1 \
    mousemove 254 232 click 3 click 2 click 4 click 5 key d
expect_in_order "down 90 80 1" "move 546 408 1" "up 546 408 1" "down 100 90 2" "up 100 90 2" "down 100 90 4" \
    "up 100 90 4" "key 100 0 0"
[ "$(lines_since_mark | grep -c '^down\|^up')" = 6 ] || fail "a wheel step arrived as a button"
# The pointer's place over the window (followed through its events), and
# outside it once left (asked of the server).
xdotool mousemove 250 240 key p mousemove 700 500 key p
expect_in_order "pointer 96 98 0" "pointer 546 358 0"

# The error box is modal and transient for the window, shows dark text on
# white, only black and white while the static colours are taken over, and
# Return or a click on OK answers it.
for answer in Return click; do
    set_mark
    xdotool key w m
    wait_until find_window box Error || fail "no error box"
    wait_until has_focus "$box" || fail "the box did not get the focus"
    xprop -id "$box" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$window")" || fail "the box is not transient"
    screenshot "$box"
    mean=$(/usr/bin/convert "$work/shot.png" -colorspace Gray -format "%[fx:mean]" info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.7 && m < 0.99) }' || fail "the box is not dark text on white (mean $mean)"
    read -r _ _ w h < <(geometry "$box")
    colours=$(/usr/bin/convert "$work/shot.png" -format %c histogram:info:)
    black=$(awk '/#000000/ { print $1 + 0 }' <<<"$colours")
    seen="$(grep -c . <<<"$colours") colours, strip $(colour_at 0 $((h - 1)))"
    if [ $answer = Return ]; then expected="2 colours, strip 255 255 255"; else expected="4 colours, strip 240 240 240"; fi
    [ "$seen" = "$expected" ] && [ "${black:-0}" -gt 200 ] || fail "the box shows $seen and $black black pixels"
    if [ $answer = click ]; then xdotool mousemove --window "$box" $((w / 2)) $((h - 29)) click 1; else xdotool key Return; fi
    expect_in_order "key 109 0 0"
done

# A box another client destroys is answered as if closed.
set_mark
xdotool key m
wait_until find_window box Error || fail "no error box"
xdotool windowclose "$box"
expect_in_order "key 109 0 0"

# Typed while the program is busy, far more than its queue holds: every key
# arrives once it is back.
set_mark
xdotool key b
xdotool type --delay 0 "$(printf 'a%.0s' $(seq 800))"
touch "$work/go"
typed_all() { [ "$(lines_since_mark | grep -c '^key 97 0 0$')" = 800 ]; }
wait_until typed_all || fail "$(lines_since_mark | grep -c '^key 97 0 0$') of 800 typed keys arrived"

"$wm_request" ping "$window" || fail "_NET_WM_PING was not answered"
"$wm_request" delete "$window" || fail "could not send WM_DELETE_WINDOW"
expect_in_order "quit 0 0 0"
wait_for_exit && [ "$exit_code" = 0 ] || fail "the probe did not end with 0"
