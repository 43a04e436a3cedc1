# Sourced by the rollbox1 e2e-x11 scripts: a private Xvfb, the real rollbox1
# started in a folder of its own (where the pictures go), its window, and
# screenshots of the client area measured with ImageMagick.
set -euo pipefail
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
rollbox1=$ROLLBOX_BUILD_DIR/demo/rollbox1
convert=/usr/bin/convert
import=/usr/bin/import
folder=$(mktemp -d)
program_pid=
window=
XVFB_PID=

end_session() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$folder"
}
trap end_session EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- rollbox1 stderr" >&2
  cat "$folder/err" >&2 2>/dev/null || true
  exit 1
}

# make_picture NAME COLOUR-OR-PATTERN: a 512 x 512 24-bit BMP in the folder.
make_picture() {
  "$convert" -size 512x512 "$2" -type TrueColor "BMP3:$folder/$1"
}

# Starts rollbox1 in the folder and waits for its window.
start_rollbox1() {
  (cd "$folder" && exec "$rollbox1") >"$folder/out" 2>"$folder/err" &
  program_pid=$!
  for _ in $(seq 1 100); do
    window=$(xdotool search --name '^rollbox1$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || fail "rollbox1 ended before its window opened"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window titled rollbox1 appeared"
  sleep 0.5
}

# Waits up to SECONDS for rollbox1 to end; its exit code in exit_code.
wait_for_exit() {
  local tries=$(($1 * 10))
  while kill -0 "$program_pid" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
  set +e
  wait "$program_pid"
  exit_code=$?
  set -e
  program_pid=
}

# The client area as a PNG at $folder/shot.png (the window holds only the client
# area: no window manager runs).
screenshot() {
  "$import" -window "$window" "$folder/shot.png"
}

# colour_at X Y: "r g b" of the last screenshot.
colour_at() {
  "$convert" "$folder/shot.png" -format "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]\n" info:
}

# The box around everything that is not the background: "width height x y",
# width and height 0 when there is nothing else.
cube_box() {
  "$convert" "$folder/shot.png" -bordercolor 'rgb(0,0,77)' -border 1 -fuzz 2% -format "%@\n" info: |
    sed 's/[x+]/ /g'
}

is_background() {
  local r g b
  read -r r g b <<<"$1"
  [ "$r" -le 2 ] && [ "$g" -le 2 ] && [ "$b" -ge 75 ] && [ "$b" -le 79 ]
}

# Keys and the mouse go through XTEST to the focused window.
key() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --delay 20 "$@"
}
