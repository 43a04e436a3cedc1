#!/usr/bin/env bash
# The Windows build of rollbox1 under Wine in a private Xvfb: its window opens
# with the title "rollbox1" and a 600 x 500 client area showing the cube on
# the dark blue background, and Escape ends it with exit code 0.
set -euo pipefail
program=${1:?usage: rollbox1_under_wine.sh rollbox1.exe}
source "$ROLLBOX_SOURCE_DIR/scripts/common.sh"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
cleanup() {
  [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null
  /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb

# The first run makes the Wine prefix, which takes a while; later runs reuse it.
[ -d "$WINEPREFIX" ] || timeout 300 "$wine" wineboot -i >/dev/null 2>&1 || true

cd "$work"
"$wine" "$program" >"$work/out.txt" 2>&1 &
program_pid=$!

window=""
for _ in $(seq 1 600); do
  window=$(xdotool search --name '^rollbox1$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || { echo "rollbox1.exe ended before its window opened:"; cat "$work/out.txt"; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "no window titled rollbox1 appeared"; exit 1; }
sleep 2

# Wine gives the client area an X window of its own, named like the window.
import -window root "$work/screen.png"
colour_at() { convert "$work/screen.png" -format "%[pixel:p{$1,$2}]" info:; }
read -r x y width height < <(xwininfo -id "$window" |
  awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
echo "client area at $x,$y, ${width} x ${height}"
[ "$width" -eq 600 ] && [ "$height" -eq 500 ] || { echo "the client area is not 600 x 500"; exit 1; }

corner=$(colour_at $((x + 2)) $((y + height - 3)))
centre=$(colour_at $((x + width / 2)) $((y + height / 2)))
echo "corner $corner, centre $centre"
case "$corner" in srgb\(0,0,7[67]\)) ;; *) echo "the background is not the dark blue clear colour"; exit 1 ;; esac
[ "$centre" != "$corner" ] || { echo "no cube in the middle of the window"; exit 1; }

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" Escape
for _ in $(seq 1 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then echo "Escape did not end rollbox1.exe"; exit 1; fi
set +e
wait "$program_pid"
code=$?
set -e
program_pid=""
echo "exit code $code"
[ "$code" -eq 0 ]
