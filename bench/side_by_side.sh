#!/usr/bin/env bash
# rollbox1 beside the same scene on freeglut and on bare Xlib + GLX, started in
# turn in one private Xvfb, each in an empty folder (so the cube shows the
# gradient); with --wayland, rollbox1 on its wayland driver beside the same
# scene on bare wayland-client + EGL, in one headless sway (scripts/common.sh).
# Frames are counted the same way for all: a preloaded counter of
# glXSwapBuffers and eglSwapBuffers. Per program and round: frames a second over the
# measured span after a warm-up, the time from start to the first frame, and
# the processor time a frame costs (all threads; steadier than frames a
# second on a busy machine).
# With --syscalls, the system calls a frame makes in the steady state, from
# strace attached for a few seconds (strace slows the program; the counts per
# frame are what matter).
#
#   bash bench/side_by_side.sh [--wayland] [--syscalls] [BUILD_DIR [ROUNDS [SECONDS]]]
#
# BUILD_DIR (default build/) is a tree configured with the benchmarks
# (the build preset).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/scripts/common.sh"
display=x11 syscalls=no
[ "${1:-}" = --wayland ] && display=wayland && shift
[ "${1:-}" = --syscalls ] && syscalls=yes && shift
build=$(realpath "${1:-$top/build}")
rounds=${2:-3}
seconds=${3:-8}
warm_up=2

# freeglut and strace are the benchmark's own needs; the tree is configured
# again so that it finds freeglut, then the four pieces are built.
install_missing_packages libglut-dev strace sway jq
cmake "$build" >/dev/null
cmake --build "$build" -j2 --target rollbox1 glut_scene bare_scene bare_wayland_scene swap_counter >/dev/null

declare -A program=([rollbox1]="$build/demo/rollbox1" [freeglut]="$build/bench/glut_scene" [bare]="$build/bench/bare_scene")
names=(rollbox1 freeglut bare)
if [ "$display" = wayland ]; then
    program[bare]="$build/bench/bare_wayland_scene"
    names=(rollbox1 bare)
fi
for name in "${names[@]}"; do
    [ -x "${program[$name]}" ] || { echo "missing ${program[$name]}: configure $build with -DROLLBOX_BENCH=ON" >&2; exit 1; }
done
counter="$build/bench/libswap_counter.so"

work=$(mktemp -d)
XVFB_PID= SWAY_PID= pid=
trap 'kill $pid $XVFB_PID $SWAY_PID 2>/dev/null; wait $pid $XVFB_PID $SWAY_PID 2>/dev/null; rm -rf "$work"' EXIT
if [ "$display" = wayland ]; then
    unset DISPLAY
    start_sway "$work"
else
    unset WAYLAND_DISPLAY
    start_xvfb 1024x768x24
fi

# launch NAME FOLDER COUNT: starts the program in FOLDER, counting its frames
# into COUNT; its process id in pid. On Wayland it runs as sway's user.
launch() {
    if [ "$display" = wayland ]; then
        local command
        chmod 777 "$2"
        user_command env ROLLBOX_SWAP_COUNT_FILE="$3" LD_PRELOAD="$counter" "${program[$1]}"
        (cd "$2" && exec "${command[@]}") >/dev/null 2>&1 &
    else
        (cd "$2" && ROLLBOX_SWAP_COUNT_FILE="$3" LD_PRELOAD="$counter" exec "${program[$1]}") >/dev/null 2>&1 &
    fi
    pid=$!
}

now_ns() { date +%s%N; }
# frames FILE, first_swap_ns FILE: the counter's two numbers.
frames() { od -An -t d8 -N8 "$1" 2>/dev/null | tr -d ' ' || true; }
first_swap_ns() { od -An -t d8 -j8 -N8 "$1" | tr -d ' '; }

# cpu_ticks PID: the processor time the process (all its threads) has used, in
# clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# run NAME: starts it, waits for its first frame, warms up, measures; prints
# "frames_per_second start_ms cpu_us_per_frame", and the system calls a frame
# makes when asked.
run() {
    local name=$1 folder="$work/$1-$RANDOM" count="$work/count" launched f1 t1 f2 t2
    mkdir "$folder"
    rm -f "$count"
    launched=$(now_ns)
    launch "$name" "$folder" "$count"
    for _ in $(seq 300); do [ "$(frames "$count")" -gt 0 ] 2>/dev/null && break; sleep 0.1; done
    [ "$(frames "$count")" -gt 0 ] 2>/dev/null || { echo "$name drew no frame" >&2; exit 1; }
    sleep "$warm_up"
    f1=$(frames "$count") t1=$(now_ns) c1=$(cpu_ticks "$pid")
    sleep "$seconds"
    f2=$(frames "$count") t2=$(now_ns) c2=$(cpu_ticks "$pid")
    echo "$(((f2 - f1) * 1000000000 / (t2 - t1))) $((($(first_swap_ns "$count") - launched) / 1000000))" \
        "$(((c2 - c1) * 1000000 / $(getconf CLK_TCK) / (f2 - f1)))"
    if [ "$syscalls" = yes ]; then
        f1=$(frames "$count")
        timeout -s INT 4 strace -f -c -o "$work/strace" -p "$pid" >/dev/null 2>&1 || true
        f2=$(frames "$count")
        awk -v frames=$((f2 - f1)) '$NF ~ /^(writev|recvmsg|poll|getpid|ioctl|read|write|sendmsg)$/ {
            printf "  %s %.2f", $NF, $4 / frames } END { print "  (system calls a frame, over " frames " frames)" }' "$work/strace"
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    pid=
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -A fps starts cpu
for round in $(seq "$rounds"); do
    for name in "${names[@]}"; do
        result=$(run "$name")
        read -r rate start used <<<"${result%%$'\n'*}"
        fps[$name]="${fps[$name]:-} $rate"
        starts[$name]="${starts[$name]:-} $start"
        cpu[$name]="${cpu[$name]:-} $used"
        printf 'round %d  %-9s %6d frames/s  %4d ms to the first frame  %4d us of processor a frame\n' \
            "$round" "$name" "$rate" "$start" "$used"
        [[ "$result" != *$'\n'* ]] || echo "${result#*$'\n'}"
    done
done

echo
printf '%-9s %18s %24s %26s\n' program "frames/s (median)" "first frame (median ms)" "processor a frame (us)"
for name in "${names[@]}"; do
    # shellcheck disable=SC2086
    printf '%-9s %18s %24s %26s\n' "$name" "$(median ${fps[$name]})" "$(median ${starts[$name]})" "$(median ${cpu[$name]})"
done
# shellcheck disable=SC2086
awk -v r="$(median ${fps[rollbox1]})" -v b="$(median ${fps[bare]})" -v rc="$(median ${cpu[rollbox1]})" \
    -v bc="$(median ${cpu[bare]})" 'BEGIN {
    printf "\nrollbox1 / bare frames/s:     %.3f (target >= 0.98)\n", r / b
    printf "rollbox1 / bare processor:   %.3f (target <= 1)\n", rc / bc }'
[ "$display" = wayland ] && exit 0
# shellcheck disable=SC2086
awk -v r="$(median ${fps[rollbox1]})" -v g="$(median ${fps[freeglut]})" \
    -v rs="$(median ${starts[rollbox1]})" -v gs="$(median ${starts[freeglut]})" 'BEGIN {
    printf "rollbox1 / freeglut frames/s: %.3f (target >= 1.05)\n", r / g
    printf "rollbox1 / freeglut start:    %.3f (target <= 1)\n", rs / gs }'
