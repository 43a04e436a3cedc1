#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   0. the layout of the C++ sources, as .clang-format has it, and the
#      include rule of the platform door;
#   1. the Linux build: unit, gl, toolkit and e2e-x11 tests;
#   2. the unit, gl and toolkit tests again under AddressSanitizer and
#      UndefinedBehaviorSanitizer;
#   3. libFuzzer on the picture loader and the registry's colour strings,
#      20 s a target (scripts/fuzz.sh);
#   4. the Windows cross-build with mingw-w64 of everything above the platform
#      door, and its end-to-end tests under Wine.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"

install_missing_packages "${TEST_PACKAGES[@]}"

echo "== Layout (clang-format) and includes"
(cd "$top" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)
"$top/scripts/check-includes.sh"

echo "== Linux build and tests"
build_tree "$top" "$top/build" -DROLLBOX_TESTS=ON -DROLLBOX_BENCH=ON -DROLLBOX_WERROR=ON
(cd "$top/build" && ctest --no-tests=error --output-on-failure -j2 -LE e2e-wine)

echo "== Sanitizer build and tests"
build_tree "$top" "$top/build-sanitize" -DROLLBOX_SANITIZE=ON -DROLLBOX_TESTS=ON -DROLLBOX_BENCH=OFF -DROLLBOX_WERROR=ON
(cd "$top/build-sanitize" &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS="suppressions=$top/tests/sanitizer/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --no-tests=error --output-on-failure -j2 -L 'unit|gl|toolkit')

echo "== Fuzzing (20 s a target)"
bash "$top/scripts/fuzz.sh" 20

echo "== Windows cross-build"
build_tree "$top" "$top/build-windows" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release -DROLLBOX_TESTS=ON -DROLLBOX_WERROR=ON
(cd "$top/build-windows" && ctest --no-tests=error --output-on-failure -L e2e-wine)
