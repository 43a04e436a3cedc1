#!/usr/bin/env bash
# rollbox1 without a display: stderr says that no X display is set, then the
# toolkit's error follows, and the process ends with 1 instead of running
# without a window; with 1 too when stderr is a pipe nobody reads any more.
# On a display without OpenGL, stderr says just that.
set -euo pipefail
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
folder=$(mktemp -d)
XVFB_PID=
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
run() { (cd "$folder" && env -u ROLLBOX_DRIVER timeout 60 "$ROLLBOX_BUILD_DIR/demo/rollbox1"); }

unset DISPLAY
code=0
run 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" = 1 ] || fail "exit code $code"
grep -q "^rollbox1: no X display: DISPLAY is not set" "$folder/err" || fail "no word of the display"
grep -q "^Error: create window failed" "$folder/err" || fail "no error message"

# A FIFO whose only reader is gone before rollbox1 starts writing.
mkfifo "$folder/pipe"
exec 3<>"$folder/pipe" 4>"$folder/pipe" 3<&-
code=0
run 2>&4 || code=$?
[ "$code" = 1 ] || fail "with stderr a broken pipe, exit code $code"

start_xvfb 640x480x24 -extension GLX
code=0
run 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" = 1 ] || fail "without GLX, exit code $code"
grep -q "^rollbox1: the X display \"$DISPLAY\" opened, but it offers no OpenGL" "$folder/err" ||
    fail "no word of the missing OpenGL"
echo ok
