#!/usr/bin/env bash
# rollbox1 with one solid green picture: the cube is green, and the close box
# (WM_DELETE_WINDOW) ends it with exit code 0.
wm_request=${1:?usage: rollbox1_picture_test.sh WM_REQUEST}
source "$(dirname "$0")/rollbox1_session.sh"
make_picture gazou0.bmp xc:'#00ff00'
start_xvfb
start_rollbox1

screenshot
read -r r g b <<<"$(colour_at 300 250)"
[ "$g" -gt 60 ] && [ "$r" -lt 10 ] && [ "$b" -lt 10 ] || fail "the cube's centre is $r $g $b, not green"

"$wm_request" delete "$window" || fail "could not send WM_DELETE_WINDOW"
wait_for_exit 5 || fail "WM_DELETE_WINDOW did not end rollbox1"
[ "$exit_code" = 0 ] || fail "closing ended rollbox1 with $exit_code"
echo "ok"
