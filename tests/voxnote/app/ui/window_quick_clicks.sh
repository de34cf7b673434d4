#!/bin/sh
# Under a real X server, which delivers every second of two quick clicks as a
# double click: twelve clicks 200 ms apart on Minimum Note down leave the
# same field picture as twelve clicks 700 ms apart, A2 stepped down to C2 and
# held there; and the field did change. The close button's time to the
# program's end is printed.
# Usage: window_quick_clicks.sh VOXNOTE
set -eu
VOXNOTE="$(realpath "$1")"
. "$(dirname "$0")/xvfb_session.sh"
start_xvfb

# twelve_clicks DELAY_MS NAME: a fresh start, the field before and after.
twelve_clicks() {
    start_voxnote "$2"
    settled_capture "$WINDOW" 14 264 30 21 "$WORK/$2-before.pnm"
    xdotool mousemove --sync --window "$WINDOW" 55 278
    xdotool click --repeat 12 --delay "$1" 1
    settled_capture "$WINDOW" 14 264 30 21 "$WORK/$2-after.pnm"
    close_voxnote "$WINDOW"
}

twelve_clicks 700 slow
twelve_clicks 200 quick
cmp -s "$WORK/slow-before.pnm" "$WORK/slow-after.pnm" && { echo "the clicks did not change the field" >&2; exit 1; }
cmp "$WORK/slow-before.pnm" "$WORK/quick-before.pnm"
cmp "$WORK/slow-after.pnm" "$WORK/quick-after.pnm" ||
    { echo "twelve quick clicks left another note than twelve slow ones" >&2; exit 1; }
echo "twelve clicks 200 ms apart and 700 ms apart leave the same minimum note"
