#!/usr/bin/env bash
# rollbox1 with three solid pictures, red, green and blue: they come onto the
# cube in turn, one per animation cycle.
source "$(dirname "$0")/rollbox1_session.sh"
make_picture gazou0.bmp xc:'#ff0000'
make_picture gazou1.bmp xc:'#00ff00'
make_picture gazou2.bmp xc:'#0000ff'
start_xvfb
start_rollbox1
# Half speed: a cycle of 960 frames lasts long enough to be seen between
# screenshots however fast the frames come.
key s s s s s

# The centre of the window always shows the cube; name its colour.
hue() {
  local r g b
  read -r r g b <<<"$1"
  if [ "$r" -gt 40 ] && [ "$g" -lt 10 ] && [ "$b" -lt 10 ]; then echo red
  elif [ "$g" -gt 40 ] && [ "$r" -lt 10 ] && [ "$b" -lt 10 ]; then echo green
  elif [ "$b" -gt 120 ] && [ "$r" -lt 10 ] && [ "$g" -lt 10 ]; then echo blue
  else echo other; fi
}

seen=""
last=""
for _ in $(seq 1 600); do
  screenshot
  current=$(hue "$(colour_at 300 250)")
  if [ "$current" != other ] && [ "$current" != "$last" ]; then
    seen="$seen $current"
    last=$current
  fi
  case "$seen" in *"red green blue red"*) break ;; esac
  sleep 0.05
done
echo "pictures seen in turn:$seen"
case "$seen" in *"red green blue red"*) ;; *) fail "the pictures did not come in turn:$seen" ;; esac
echo "ok"
