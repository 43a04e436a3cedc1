#!/usr/bin/env bash
# rollbox1 as a user drives it, with no picture: the window, the gradient on the
# dark blue background, keys and drags that move the camera and turn the view,
# and the close box, which ends it with 0.
wm_request=${1:?usage: rollbox1_session_test.sh WM_REQUEST}
source "$(dirname "$0")/rollbox1_session.sh"
start_rollbox1
xwininfo -id "$window" | grep -q "Width: 600" && xwininfo -id "$window" | grep -q "Height: 500" ||
    fail "the client area is not 600 x 500"
for corner in "0 0" "599 0" "0 499" "599 499"; do
    case "$(colour_at $corner)" in "0 0 7"[67]) ;; *) fail "corner $corner is $(colour_at $corner), not the background" ;; esac
done
# The gradient has no green; its red and blue vary over the face.
read -r w h x y < <(cube_box)
reds=0
for i in 1 2 3 4 5 6 7; do
    read -r r g b < <(colour_at $((x + w * i / 8)) $((y + h / 2)))
    [ "$g" -le 3 ] || fail "green $g in the gradient"
    [ "$r" -le 20 ] || reds=$((reds + 1))
done
[ "$reds" -gt 0 ] || fail "no red of the gradient across the cube"

# The box around the cube, now: its larger side, and its centre across.
measure() { screenshot "$window" && read -r w h x y < <(cube_box); }
smaller_than() { measure && [ $((w > h ? w : h)) -lt "$1" ]; }
larger_than() { measure && [ $((w > h ? w : h)) -gt "$1" ]; }
off_centre() { measure && [ "$w" -gt 0 ] && [ $((x + w / 2)) -lt 220 -o $((x + w / 2)) -gt 380 ]; }
# Once the view is turned, the drifting cube goes sideways.
centred_for_a_while() {
    for _ in 1 2 3 4 5 6; do ! off_centre || return 1; done
}
drag() {
    xdotool mousemove --window "$window" "$2" "$3" mousedown "$1" sleep 0.5 mousemove --window "$window" "$4" "$5" \
        sleep 0.5 mousemove --window "$window" "$6" "$7" sleep 0.5 mouseup "$1"
}
# At distance 80 the cube is smaller than it ever is at 4, however it drifts.
key $(printf 'd %.0s' $(seq 1 100))
wait_until smaller_than 20 || fail "repeated d did not move the camera away"
key r
wait_until larger_than 100 || fail "r did not bring the camera back"
centred_for_a_while || fail "the cube drifts sideways before the view is turned"
key $(printf 'Left %.0s' $(seq 1 45))
wait_until off_centre || fail "the left arrow did not turn the view"
key r
wait_until centred_for_a_while || fail "r did not turn the view back"
drag 1 400 250 310 250 220 250
wait_until off_centre || fail "a left drag did not turn the view"
key r
drag 3 300 450 300 250 300 10
wait_until smaller_than 20 || fail "a right drag upwards did not move the camera away"

"$wm_request" delete "$window" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit || fail "the close box did not end rollbox1"
[ "$exit_code" = 0 ] || fail "closing ended rollbox1 with $exit_code"
