#!/usr/bin/env bash
# rollbox1 without a display: stderr says that no X display is set, then the
# toolkit's error message follows, and the process ends with a non-zero code
# instead of running without a window.
set -euo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
set +e
(cd "$folder" && env -u DISPLAY -u ROLLBOX_DRIVER timeout 10 "$ROLLBOX_BUILD_DIR/demo/rollbox1") >"$folder/out" 2>"$folder/err"
code=$?
set -e
echo "exit code $code; stderr:"
cat "$folder/err"
[ "$code" -ne 0 ] && [ "$code" -ne 124 ] || { echo "FAIL: exit code $code"; exit 1; }
grep -q "^rollbox1: no X display: DISPLAY is not set" "$folder/err" || { echo "FAIL: stderr does not say that there is no display"; exit 1; }
grep -q "^Error: create window failed" "$folder/err" || { echo "FAIL: no error message on stderr"; exit 1; }
echo "ok"
