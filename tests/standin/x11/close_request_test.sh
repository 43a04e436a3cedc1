#!/bin/bash
# The manager's ping is answered; its close request becomes WM_CLOSE, and the
# probe then ends normally.
. "$(dirname "$0")/xvfb_session.sh"
start_x_server
start_probe "x11 close probe" 100 100 320 240

"$wm_request" ping "$window" || fail "_NET_WM_PING was not answered"

set_mark
"$wm_request" delete "$window" || fail "could not send WM_DELETE_WINDOW"
expect_in_order "WM_CLOSE" "WM_DESTROY" "quit 0"
wait "$probe_pid"
code=$?
probe_pid=
[ "$code" = 0 ] || fail "the probe ended with $code"
echo "PASS"
