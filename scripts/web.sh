#!/usr/bin/env bash
# Installs what is missing, builds the browser build (the web preset, into
# build-web/; the site is build-web/site) and serves it on a local port,
# printing the address, until Ctrl-C. With no display it takes a screenshot
# of the page in headless chromium instead, as rollbox1-web-screenshot.png in
# the folder this is started from.
set -euo pipefail
here=$(pwd)
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${WEB_PACKAGES[@]}"
install_node_tools
build_preset web
site="$top/build-web/site"

# Serves the site on a free port of 127.0.0.1; sets server_pid and address.
start_server() {
  local log
  log=$(mktemp)
  (cd "$site" && exec python3 -u -m http.server --bind 127.0.0.1 0) >"$log" 2>&1 &
  server_pid=$!
  for _ in $(seq 1 100); do
    grep -q 'port [0-9]' "$log" && break
    sleep 0.1
  done
  address="http://127.0.0.1:$(grep -o 'port [0-9]*' "$log" | head -n 1 | cut -d' ' -f2)/"
  rm -f "$log"
}

start_server
trap 'kill $server_pid 2>/dev/null || true' EXIT
if display_opens; then
  echo "rollbox1 in the browser: open $address (Ctrl-C ends the server)"
  wait "$server_pid"
  exit 0
fi

echo "No display is open here, so headless chromium takes a screenshot of $address"
profile=$(mktemp -d)
screenshot="$here/rollbox1-web-screenshot.png"
chromium --headless=new --no-sandbox --enable-unsafe-swiftshader --use-angle=swiftshader \
  --disable-gpu-sandbox --no-first-run --disable-background-networking --disable-component-update \
  --disable-sync --user-data-dir="$profile" --window-size=640,700 --virtual-time-budget=4000 \
  --screenshot="$screenshot" "$address" >/dev/null 2>&1
rm -rf "$profile"
echo "Screenshot saved to $screenshot"
