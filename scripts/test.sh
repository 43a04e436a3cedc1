#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   0. the layout of the C++ sources, as .clang-format has it, and the
#      include rule of the platform door;
#   1. the Linux build: unit, gl, toolkit, e2e-x11, e2e-wayland (sway and
#      weston headless) and e2e-package tests (the install and the Debian
#      package);
#   2. the unit, gl and toolkit tests again under AddressSanitizer and
#      UndefinedBehaviorSanitizer;
#   3. libFuzzer on the picture loader and the registry's colour strings,
#      20 s a target (scripts/fuzz.sh);
#   4. the Windows cross-build with mingw-w64 of everything above the platform
#      door, and its zip's program under Wine;
#   5. the browser build with Emscripten, and its page in headless chromium
#      (e2e-web, run from the Linux tree, whose frames they are checked
#      against).
# Each tree is a preset of CMakePresets.json.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${TEST_PACKAGES[@]}"
# The Linux tree registers the browser tests when node is there.
install_node_tools

echo "== Layout (clang-format) and includes"
(cd "$top" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)
"$top/scripts/check-includes.sh"

echo "== Linux build and tests"
build_preset build
(cd "$top" && ctest --preset build -LE 'e2e-wine|e2e-web')

echo "== Sanitizer build and tests"
build_preset sanitize
# The preset sets ASAN_OPTIONS, LSAN_OPTIONS (tests/sanitizer/lsan.supp) and UBSAN_OPTIONS.
(cd "$top" && ctest --preset sanitize -L 'unit|gl|toolkit')

echo "== Fuzzing (20 s a target)"
bash "$top/scripts/fuzz.sh" 20

echo "== Windows cross-build"
build_preset windows
(cd "$top" && ctest --preset windows -L e2e-wine)

echo "== Browser build and tests"
install_missing_packages "${WEB_PACKAGES[@]}"
install_web_test_tools
build_preset web
(cd "$top" && ctest --preset build -L e2e-web)
