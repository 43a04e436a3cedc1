#!/usr/bin/env bash
# rollbox1 on the wayland driver under weston, which draws no title bars
# (no xdg-decoration): libdecor draws the frame, and a screenshot shows its
# title bar, as wide as the window, above the cube. weston's headless backend
# takes no input; its screenshooter (with --debug) writes into the folder it
# runs in.
source "$(dirname "$0")/sway_session.sh"
session_for_user "$work"
printf '%s\n' '[core]' 'idle-time=0' '[shell]' 'panel-position=none' 'background-color=0xff204060' \
    >"$work/weston.ini"
user_command weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --width=1024 \
    --height=768 --socket=wayland-weston --debug
(cd "$work" && exec "${command[@]}") >"$work/weston.log" 2>&1 &
SWAY_PID=$! # stopped at the end as the compositor
wait_until test -S "$session_runtime/wayland-weston" || fail "weston did not start: $(cat "$work/weston.log")"
export WAYLAND_DISPLAY=wayland-weston SWAYSOCK=

user_command "$ROLLBOX_BUILD_DIR/demo/rollbox1"
(cd "$work" && exec "${command[@]}") >"$work/out" 2>"$work/err" &
program_pid=$!

# A screenshot's colours and how many pixels each, "count r g b a" a line.
# (Where a client's surface has no alpha, the screenshot has 0: only what
# is drawn with alpha, as the title bar is, counts.)
histogram() {
    rm -f "$work"/wayland-screenshot-*.png
    (cd "$work" && as_user weston-screenshooter) >/dev/null 2>&1 &&
        /usr/bin/convert "$work"/wayland-screenshot-*.png -format %c histogram:info: |
        sed -n 's/^ *\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3 \4 \5/p'
}
# The title bar: at least 600 x 20 opaque pixels of one dark grey, and some
# of its lighter title.
title_bar_shown() {
    histogram >"$work/colours" &&
        awk '$5 == 255 && $2 == $3 && $3 == $4 && $2 < 80 && $1 >= 12000 { bar = 1 }
             $5 == 255 && $2 == $3 && $3 == $4 && $2 > 100 && $2 < 200 && $1 >= 30 { title = 1 }
             END { exit !(bar && title) }' "$work/colours"
}
wait_until title_bar_shown || fail "no title bar: $(sort -rn "$work/colours" | head -n 5 | tr '\n' ';')"
# The cube under it: opaque pixels with more red than green.
awk '$5 == 255 && $2 > $3 + 40 { n += $1 } END { exit !(n > 100) }' "$work/colours" || fail "no cube"
kill "$program_pid"
