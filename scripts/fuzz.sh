#!/usr/bin/env bash
# bash scripts/fuzz.sh [SECONDS]: builds build-fuzz/ with clang, the whole tree
# instrumented for libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# then fuzzes each target for SECONDS (default 20). The seeds in
# tests/fuzz/seeds/ are only read; what the fuzzer adds goes to
# build-fuzz/corpus/, a crashing input to build-fuzz/crashes/. Fails when a
# target crashes.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"
seconds=${1:-20}
build="$top/build-fuzz"

build_preset fuzz

# Paths are absolute: the picture loader's target changes its folder.
for target in picture_loader registry_colour; do
  echo "== Fuzzing ${target}_fuzz for $seconds s"
  mkdir -p "$build/corpus/$target" "$build/crashes"
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/crashes/${target}-" "$build/corpus/$target" "$top/tests/fuzz/seeds/$target"
done
