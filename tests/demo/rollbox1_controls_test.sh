#!/usr/bin/env bash
# rollbox1's controls as a user sees them: repeated 'd' shrinks the cube, 'r'
# restores it, 'u' enlarges it, and a left drag turns the view.
source "$(dirname "$0")/rollbox1_session.sh"
make_picture gazou0.bmp xc:white
start_xvfb
start_rollbox1

# The larger side of the box around the cube, 0 when none shows.
cube_size() {
  screenshot
  local w h x y
  read -r w h x y < <(cube_box)
  echo $((w > h ? w : h))
}

# The cube drifts between the camera distance and 24.8 units farther, so
# sizes are compared over several frames: at distance 80 the cube is smaller
# than at 4 even when nearest (or beyond the far plane).
sizes() {
  local all=""
  for _ in 1 2 3 4 5; do all="$all $(cube_size)"; sleep 0.1; done
  echo "$all"
}
smallest() { tr ' ' '\n' <<<"$1" | grep . | sort -n | head -n 1; }
largest() { tr ' ' '\n' <<<"$1" | grep . | sort -n | tail -n 1; }

at_start=$(sizes)
key $(for _ in $(seq 1 100); do echo d; done)
far=$(sizes)
key r
restored=$(sizes)
echo "sizes at the start:$at_start; after d:$far; after r:$restored"
[ "$(largest "$far")" -lt "$(smallest "$at_start")" ] || fail "repeated d did not shrink the cube"
[ "$(largest "$far")" -lt "$(smallest "$restored")" ] || fail "r did not restore the cube"

# 'u' against 'd': at the slowest speed, sampled just after '1' restarts the
# turn, the drift is small and alike in both.
size_after_restart() {
  local all=""
  for _ in 1 2 3; do key 1; all="$all $(cube_size)"; done
  echo "$all"
}
key s s s s s s s s s s
key d d d d
before=$(size_after_restart)
key u u u u u u u u
after=$(size_after_restart)
echo "sizes at distance 7.2:$before; after u:$after"
[ "$(smallest "$after")" -gt "$(largest "$before")" ] || fail "u did not enlarge the cube"

# A quarter turn of the view to the left: the cube's drift along the scene's z
# axis now carries it sideways, away from the centre of the window.
key r
centre_offsets() {
  local all="" w h x y
  for _ in 1 2 3 4 5; do
    screenshot
    read -r w h x y < <(cube_box)
    if [ "$w" = 0 ]; then all="$all 300"; else  # out of view
      local offset=$((x + w / 2 - 300))
      all="$all ${offset#-}"
    fi
    sleep 0.1
  done
  echo "$all"
}
still=$(centre_offsets)
xdotool mousemove --window "$window" 400 250 sleep 0.3 mousedown 1 sleep 0.3 \
  mousemove --window "$window" 220 250 sleep 0.3 mouseup 1
turned=$(centre_offsets)
echo "offsets of the cube from the centre before the drag:$still; after:$turned"
[ "$(largest "$still")" -lt 40 ] || fail "the cube is off centre before the drag"
[ "$(largest "$turned")" -gt 80 ] || fail "the left drag did not turn the view"
echo "ok"
