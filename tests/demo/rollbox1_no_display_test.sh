#!/usr/bin/env bash
# rollbox1 without a display: stderr says that no X display is set, then the
# toolkit's error follows, and the process ends with a non-zero code instead of
# running without a window.
set -euo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
code=0
(cd "$folder" && env -u DISPLAY -u ROLLBOX_DRIVER timeout 60 "$ROLLBOX_BUILD_DIR/demo/rollbox1") 2>"$folder/err" || code=$?
cat "$folder/err"
[ "$code" -ne 0 ] && [ "$code" -ne 124 ] || { echo "FAIL: exit code $code"; exit 1; }
grep -q "^rollbox1: no X display: DISPLAY is not set" "$folder/err" || { echo "FAIL: no word of the display"; exit 1; }
grep -q "^Error: create window failed" "$folder/err" || { echo "FAIL: no error message"; exit 1; }
echo ok
