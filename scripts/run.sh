#!/usr/bin/env bash
# Installs what is missing, builds rollbox1 and runs it in the folder this is
# started from, where it looks for its pictures gazou0.bmp ... gazou9.bmp.
# It runs on the Wayland compositor or the X display of the session; with
# neither, it runs rollbox1 in a private Xvfb for a few seconds and saves
# a screenshot instead.
set -euo pipefail
pictures_folder=$(pwd)
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${RUN_PACKAGES[@]}"
# A tree of its own, without the tests: their libraries are not installed here.
build_preset run
program="$top/build-run/demo/rollbox1"
cd "$pictures_folder"

if display_opens; then
  exec "$program"
fi

echo "No Wayland compositor or X display is open here, so rollbox1 runs in a private Xvfb for a few seconds."
start_xvfb
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
"$program" &
program_pid=$!
sleep 4
screenshot="$pictures_folder/rollbox1-screenshot.png"
import -window rollbox1 "$screenshot" 2>/dev/null || import -window root "$screenshot"
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
echo "Screenshot saved to $screenshot"
