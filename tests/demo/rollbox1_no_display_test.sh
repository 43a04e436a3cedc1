#!/usr/bin/env bash
# rollbox1 without a display: the toolkit's error message goes to stderr and
# the process ends with a non-zero code instead of running without a window.
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
grep -q "^Error: ." "$folder/err" || { echo "FAIL: no error message on stderr"; exit 1; }
echo "ok"
