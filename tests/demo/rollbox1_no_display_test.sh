#!/usr/bin/env bash
# rollbox1 without a display: one line on stderr says why neither a Wayland
# compositor nor an X display could be used, then the toolkit's error
# follows, and the process ends with 1 instead of running without a window;
# with 1 too when stderr is a pipe nobody reads any more. On an X display
# without OpenGL, or with a Wayland socket nobody answers, stderr says just that.
set -euo pipefail
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
folder=$(mktemp -d)
XVFB_PID=
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
run() { (cd "$folder" && env -u ROLLBOX_DRIVER timeout 60 "$ROLLBOX_BUILD_DIR/demo/rollbox1"); }

unset DISPLAY WAYLAND_DISPLAY
code=0
run 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" = 1 ] || fail "exit code $code"
grep -q "^rollbox1: no display: wayland: no Wayland compositor: WAYLAND_DISPLAY is not set; x11: no X display: DISPLAY is not set" \
    "$folder/err" || fail "no word of the display"
grep -q "^Error: create window failed" "$folder/err" || fail "no error message"

# A FIFO whose only reader is gone before rollbox1 starts writing.
mkfifo "$folder/pipe"
exec 3<>"$folder/pipe" 4>"$folder/pipe" 3<&-
code=0
run 2>&4 || code=$?
[ "$code" = 1 ] || fail "with stderr a broken pipe, exit code $code"

code=0
XDG_RUNTIME_DIR=$folder WAYLAND_DISPLAY=rollbox1-nobody-answers run 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" = 1 ] || fail "with a Wayland socket nobody answers, exit code $code"
grep -q "wayland: cannot connect to the Wayland compositor at \"rollbox1-nobody-answers\"; x11: no X display" \
    "$folder/err" || fail "no word of the Wayland compositor"

start_xvfb 640x480x24 -extension GLX
code=0
run 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" = 1 ] || fail "without GLX, exit code $code"
grep -q "; x11: the X display \"$DISPLAY\" opened, but it offers no OpenGL" "$folder/err" ||
    fail "no word of the missing OpenGL"
echo ok
