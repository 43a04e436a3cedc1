#!/usr/bin/env bash
# rollbox1 with three solid pictures, red, green and blue: they come onto the
# cube in turn, one a cycle; Escape ends it at once with 0. Its stderr is
# closed, which must not disturb its connection to the display.
source "$(dirname "$0")/rollbox1_session.sh"
make_picture gazou0.bmp '#ff0000'
make_picture gazou1.bmp '#00ff00'
make_picture gazou2.bmp '#0000ff'
start_rollbox1 closed-stderr
key s s s s s # half speed: each picture stays long enough to be seen between screenshots

seen="" last=""
seen_in_turn() {
    screenshot "$window"
    local r g b current=other
    read -r r g b < <(colour_at 300 250) # the centre always shows the cube
    [ "$r" -gt 40 ] && [ "$g" -lt 10 ] && [ "$b" -lt 10 ] && current=red
    [ "$g" -gt 40 ] && [ "$r" -lt 10 ] && [ "$b" -lt 10 ] && current=green
    [ "$b" -gt 120 ] && [ "$r" -lt 10 ] && [ "$g" -lt 10 ] && current=blue
    if [ "$current" != other ] && [ "$current" != "$last" ]; then seen="$seen $current" last=$current; fi
    [[ "$seen" == *"red green blue red"* ]]
}
until seen_in_turn; do [ "$SECONDS" -lt 180 ] || fail "the pictures did not come in turn:$seen"; done

key Escape
wait_for_exit || fail "Escape did not end rollbox1"
[ "$exit_code" = 0 ] || fail "Escape ended rollbox1 with $exit_code"
