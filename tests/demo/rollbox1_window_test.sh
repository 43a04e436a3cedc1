#!/usr/bin/env bash
# rollbox1 with no picture: its window has the title and the client size, the
# background is dark blue, the cube shows the gradient, and Escape ends it at
# once with exit code 0.
source "$(dirname "$0")/rollbox1_session.sh"
start_xvfb
start_rollbox1

read -r width height < <(xwininfo -name rollbox1 | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')
[ "$width" = 600 ] && [ "$height" = 500 ] || fail "client area ${width}x${height}, not 600x500"

screenshot
for corner in "0 0" "599 0" "0 499" "599 499"; do
  colour=$(colour_at $corner)
  is_background "$colour" || fail "corner $corner is $colour, not the dark blue background"
done

# The gradient has no green; its red and blue vary over the face. The cube is
# at least 40 pixels across even at its farthest drift.
read -r w h x y < <(cube_box)
[ "$w" -ge 40 ] && [ "$h" -ge 40 ] || fail "no cube: box ${w}x${h}"
reds=0
for i in 1 2 3 4 5 6 7; do
  colour=$(colour_at $((x + w * i / 8)) $((y + h / 2)))
  read -r r g b <<<"$colour"
  [ "$g" -le 3 ] || fail "green $g in the gradient at $colour"
  [ "$r" -gt 20 ] && reds=$((reds + 1))
done
[ "$reds" -gt 0 ] || fail "no red of the gradient across the cube"

key Escape
wait_for_exit 1 || fail "Escape did not end rollbox1 within a second"
[ "$exit_code" = 0 ] || fail "Escape ended rollbox1 with $exit_code"
echo "ok"
