#!/usr/bin/env bash
# The web benchmark: builds the browser build and the GLUT twin (the web
# preset), installs the tests' puppeteer-core if missing, and compares the two
# pages in headless chromium (bench/web/measure.js says what it measures).
#
#   bash bench/web.sh [ROUNDS [SECONDS]]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"
install_missing_packages "${WEB_PACKAGES[@]}"
install_web_test_tools
build_preset web >/dev/null
node "$top/bench/web/measure.js" "$top/build-web" "${1:-3}" "${2:-8}"
