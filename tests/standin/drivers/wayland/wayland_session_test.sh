#!/usr/bin/env bash
# The toolkit on the wayland driver under sway, as the probe prints it: the
# window as large as asked, with its title and app id, its size following the
# compositor's; keys as virtual keys and typed characters, a held key
# repeated by the driver; buttons and a drag that goes on outside the window;
# the pointer's place; a modal error box answered by Return,
# Escape or a click; the compositor's close request ending the loop.
source "$(dirname "$0")/sway_session.sh"
start_session
user_command "$ROLLBOX_BUILD_DIR/tests/standin/window_probe" "wayland probe" 150 120 320 240
(cd "$work" && exec "${command[@]}") >"$work/out" 2>"$work/err" &
program_pid=$!
watched="window_probe wayland probe"
wait_until find_window $watched || fail "no window of app id window_probe titled 'wayland probe'"
[ "$client_width $client_height" = "320 240" ] || fail "the client area is $client_width x $client_height"

expect_in_order "reshape 320 240 0" "paint 0 0 0"
cleared() { screenshot && [ "$(colour_at "$1" "$2")" = "0 128 255" ]; }
wait_until cleared 0 0 && cleared 319 239 || fail "the client area is not the clear colour"

# The compositor's size (its frame included) gives the window its client size.
set_mark
as_user swaymsg -q '[app_id="window_probe"] resize set 420 330'
wait_until eval 'find_window $watched && [ "$client_width" -gt 320 ]' || fail "sway did not resize the window"
expect_in_order "reshape $client_width $client_height 0" "paint 0 0 0"
wait_until cleared $((client_width - 1)) $((client_height - 1)) || fail "the GL surface did not grow with the window"

# Letters as typed, with Shift and Caps Lock; Control; the arrows; Escape,
# Return and Space with their characters; '%' is no arrow; a held key repeats.
# (wtype's keys have one level each: Shift's D is its own key, pressed with
# the Shift key held as a real keyboard would.)
set_mark
key -k d -M shift -P Shift_L D -p Shift_L -m shift -M capslock -k d -m capslock \
    -M ctrl -P Control_L -k Left -p Control_L -m ctrl -k Up -k Right -k Down -k percent -k Escape -k Return -k space
expect_in_order "key 100 0 0" "key 68 1 0" "key 68 0 0" "key 37 2 0" "key 38 0 0" "key 39 0 0" "key 40 0 0" \
    "key 27 0 0" "key 13 0 0" "key 32 0 0"
[ "$(lines_since_mark | grep -c '^key 37 \|^key 27 ')" = 2 ] || fail "'%' came as the Left arrow, or Escape twice"
set_mark
key -P x -s 1500 -p x
expect_in_order "key 120 0 0" "key 120 0 0" "key 120 0 0" "key 120 0 0"

# Buttons where pressed; a drag reaches the window outside it, in client
# coordinates, until the release; the right and middle buttons.
set_mark
pointer_to 90 80
pointer press left
pointer_to 140 110
pointer_to 500 450
pointer release left
pointer_to 100 90
for button in right middle; do pointer press $button && pointer release $button; done
key d
expect_in_order "move 90 80 0" "down 90 80 1" "move 140 110 1" "move 500 450 1" "up 500 450 1" "down 100 90 2" \
    "up 100 90 2" "down 100 90 4" "up 100 90 4" "key 100 0 0"
# The pointer's place, from the screen position the stand-in gives it, is the
# surface position.
pointer_to 50 60
key p
expect_in_order "pointer 50 60 0"

# The error box: a second toplevel, a child of the window, titled Error, dark
# text on white, its button strip in the button face colour of the moment
# (white while 'w' has the static colours taken over); Return, Escape or a
# click on OK answers it.
box_found() {
    local line
    line=$(windows_of window_probe | grep ' Error$' | head -n 1) && [ -n "$line" ] &&
        read -r box_x box_y box_width box_height _ <<<"$line"
}
box_shows_text() {
    box_found && as_user grim -g "$box_x,$box_y ${box_width}x$box_height" - >"$work/box.png" &&
        mean=$(/usr/bin/convert "$work/box.png" -colorspace Gray -format "%[fx:mean]" info:) &&
        awk -v m="$mean" 'BEGIN { exit !(m > 0.7 && m < 0.99) }'
}
# sway may report a new window's place before it has put its title bar on top.
box_settled() {
    local before
    box_found && before="$box_x $box_y $box_width $box_height" && sleep 0.3 && box_found &&
        [ "$before" = "$box_x $box_y $box_width $box_height" ]
}
box_focused() {
    as_user swaymsg -t get_tree | jq -e '.. | objects | select(.name? == "Error") | .focused' >/dev/null
}
strip_colour() { /usr/bin/convert "$work/box.png" -format "%[fx:int(255*p{0,$((box_height - 1))}.r+0.5)] %[fx:int(255*p{0,$((box_height - 1))}.g+0.5)] %[fx:int(255*p{0,$((box_height - 1))}.b+0.5)]" info:; }
mean=
for case in "Return w 255" "Escape w 240" "click - 240"; do
    read -r answer toggle face <<<"$case"
    set_mark
    [ "$toggle" = - ] || key "$toggle"
    key m
    wait_until box_found || fail "no error box"
    wait_until box_shows_text || fail "the box does not show dark text on white (mean $mean)"
    [ "$(strip_colour)" = "$face $face $face" ] || fail "the button strip is $(strip_colour), not $face"
    wait_until box_focused || fail "the box did not get the focus"
    wait_until box_settled || fail "the box keeps moving"
    key d # taken by the box, not the window
    case $answer in
    click)
        pointer move $((box_x + box_width / 2)) $((box_y + box_height - 29))
        pointer press left
        pointer release left
        ;;
    *) key -k $answer ;;
    esac
    expect_in_order "key 109 0 0"
    wait_until eval '! box_found' || fail "the box stayed after $answer"
    ! lines_since_mark | grep -q '^key 100 ' || fail "a key typed into the box reached the window"
done

# Typed while the program is busy: every key arrives once it is back. (Far
# more than this, the compositor's buffer for a client that does not read
# overflows, and it ends the connection: Wayland's rule, not the driver's.)
set_mark
key b
key "$(printf 'a%.0s' $(seq 100))"
touch "$work/go"
typed_all() { [ "$(lines_since_mark | grep -c '^key 97 0 0$')" = 100 ]; }
wait_until typed_all || fail "$(lines_since_mark | grep -c '^key 97 0 0$') of 100 typed keys arrived"

set_mark
as_user swaymsg -q '[title="wayland probe"] kill'
expect_in_order "quit 0 0 0"
wait_for_exit && [ "$exit_code" = 0 ] || fail "the probe did not end with 0"
