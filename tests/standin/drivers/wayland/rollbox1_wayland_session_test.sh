#!/usr/bin/env bash
# rollbox1 on the wayland driver as a user drives it under sway: the first
# frame in a window of app id rollbox1 with a 600 x 500 client area and a
# title bar; every key row of the controls, letters as typed, a held arrow
# that keeps turning, both drags; the compositor's close, which ends it with 0.
source "$(dirname "$0")/sway_session.sh"
start_session
start_rollbox1
[ "$client_width $client_height" = "600 500" ] || fail "the client area is $client_width x $client_height"
for corner in "0 0" "599 0" "0 499" "599 499"; do
    case "$(colour_at $corner)" in "0 0 7"[67]) ;; *) fail "corner $corner is $(colour_at $corner), not the background" ;; esac
done
as_user swaymsg -t get_tree | jq -e '.. | objects | select(.app_id? == "rollbox1") | .deco_rect.height > 0' \
    >/dev/null || fail "no title bar"

# The box around the cube, now: its larger side, and its centre across and down.
measure() { screenshot && read -r w h x y < <(cube_box); }
smaller_than() { measure && [ $((w > h ? w : h)) -lt "$1" ]; }
larger_than() { measure && [ $((w > h ? w : h)) -gt "$1" ]; }
off_centre() { measure && [ "$w" -gt 0 ] && [ $((x + w / 2)) -lt 220 -o $((x + w / 2)) -gt 380 ]; }
off_middle() { measure && [ "$h" -gt 0 ] && [ $((y + h / 2)) -lt 170 -o $((y + h / 2)) -gt 330 ]; }
centred() {
    measure && [ "$w" -gt 0 ] && [ $((x + w / 2)) -ge 220 ] && [ $((x + w / 2)) -le 380 ] &&
        [ $((y + h / 2)) -ge 170 ] && [ $((y + h / 2)) -le 330 ]
}
# What the keys did shows a moment later; then it stays.
centred_for_a_while() {
    wait_until centred || return 1
    for _ in 1 2 3 4 5 6; do centred || return 1; done
}
# How often red and blue trade places along the cube's middle row: the
# picture's tiles across the face.
bands() {
    measure && convert "$work/shot.png" -crop "${w}x1+$((x - 1))+$((y - 1 + h / 2))" -depth 8 txt:- |
        sed -n 's/.*: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \3/p' |
        awk '{ s = ($1 > $2 + 40) ? 1 : ($2 > $1 + 40) ? -1 : 0; if (s != 0 && s != last) { if (last != 0) n++; last = s } }
             END { print n + 0 }'
}
bands_between() { local n; n=$(bands) && [ "$n" -ge "$1" ] && [ "$n" -le "$2" ]; }
reset() { key r && wait_until larger_than 100 && centred_for_a_while; }

# Camera: d and u, letters as typed (Shift or Caps Lock make them D and U,
# which do nothing), r.
key $(printf 'd%.0s' $(seq 1 100))
wait_until smaller_than 20 || fail "repeated d did not move the camera away"
key $(printf 'u%.0s' $(seq 1 100))
wait_until larger_than 100 || fail "repeated u did not bring the camera nearer"
key $(printf 'D%.0s' $(seq 1 100))
key -M capslock $(printf 'd%.0s' $(seq 1 100)) -m capslock
# Keys are taken in order: once the arrows after them have turned the view
# away and back, the D's have been taken too. At distance 80 the cube would
# be smaller than 20 wherever it drifts.
key $(printf -- '-k Left %.0s' $(seq 1 45))
wait_until off_centre || fail "the left arrow did not turn the view"
key $(printf -- '-k Right %.0s' $(seq 1 45))
centred_for_a_while || fail "the right arrow did not turn the view back"
for _ in 1 2 3; do ! smaller_than 20 || fail "D (Shift or Caps Lock) moved the camera"; done
# The other arrows turn and tilt the view, so that the drifting cube leaves
# the centre, and back.
for arrows in "Right Left" "Up Down" "Down Up"; do
    read -r arrow back <<<"$arrows"
    away=off_centre
    [[ $arrow = Left || $arrow = Right ]] || away=off_middle
    key $(printf -- "-k $arrow %.0s" $(seq 1 45))
    wait_until $away || fail "the $arrow arrow did not turn the view"
    key $(printf -- "-k $back %.0s" $(seq 1 45))
    centred_for_a_while || fail "the $back arrow did not turn the view back"
done
# Held for four seconds, one press of the arrow repeats: 2 degrees a repeat.
key -P Left -s 4000 -p Left
wait_until off_centre || fail "a held arrow did not keep turning"
reset || fail "r did not turn the view back"
# 1 to 4 restart the cycle at that phase, whose picture is tiled that often
# across a face; slowest, the face stays turned to the viewer a while.
key $(printf 's%.0s' $(seq 1 10))
for phase in "1 1 5" "4 14 40" "2 4 11" "3 9 24"; do
    read -r digit fewest most <<<"$phase"
    key "$digit"
    wait_until bands_between "$fewest" "$most" || fail "$digit did not start phase $digit ($(bands) bands)"
done
key $(printf 'f%.0s' $(seq 1 10)) r

# Drags: the left button turns the view, the right one moves the camera; both
# go on outside the window while the button is held.
drag left 400 250 310 250 220 250
wait_until off_centre || fail "a left drag did not turn the view"
reset || fail "r did not turn the view back"
drag right 300 450 300 250 300 -150
wait_until smaller_than 20 || fail "a right drag upwards, out of the window, did not move the camera away"

as_user swaymsg -q '[app_id="rollbox1"] kill'
wait_for_exit || fail "the compositor's close did not end rollbox1"
[ "$exit_code" = 0 ] || fail "closing ended rollbox1 with $exit_code"
