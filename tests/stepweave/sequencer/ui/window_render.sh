#!/bin/sh
# End to end under a virtual X server: the window opens the demo song, F11
# renders it, and the file name is typed into the "Save As One Big Lovely WAV
# File" dialog. The file must be byte for byte the headless render's. Both
# renders' times are printed for comparison.
# Usage: window_render.sh STEPWEAVE
set -eu
STEPWEAVE="$(realpath "$1")"
. "$(dirname "$0")/xvfb_session.sh"
export STEPWEAVE_AUDIO="file:$WORK/heard.wav"
cd "$WORK"

STEPWEAVE_AUDIO=null "$STEPWEAVE" play --pattern "Demo Fill" >/dev/null 2>&1 || true  # makes the workspace
SPACE="$XDG_DATA_HOME/stepweave"
cd "$SPACE"
START=$(now_ms)
"$STEPWEAVE" render Demo.sng -o "$WORK/command.wav" >"$WORK/command.log" 2>&1 ||
    { cat "$WORK/command.log"; echo "the headless render failed" >&2; exit 1; }
COMMAND_MS=$(($(now_ms) - START))

start_xvfb

"$STEPWEAVE" Demo.sng >"$WORK/window.log" 2>&1 &
APP_PID=$!
WINDOW="$(wait_window '^Stepweave Pro v4.0 - Demo$')"
xdotool windowfocus --sync "$WINDOW"
xdotool key F11
DIALOG="$(wait_window '^Save As One Big Lovely WAV File$')"
xdotool windowfocus --sync "$DIALOG"
xdotool type --delay 10 "$WORK/window.wav"
START=$(now_ms)
xdotool key Return
# The render is written under a temporary name and put in place whole.
for _ in $(seq 6000); do [ -f "$WORK/window.wav" ] && break; sleep 0.01; done
WINDOW_MS=$(($(now_ms) - START))
[ -f "$WORK/window.wav" ] || { echo "the window wrote no file" >&2; exit 1; }
wait_window_gone '^Render'
close_window "$WINDOW"
echo "headless render ${COMMAND_MS} ms (the whole program); window render ${WINDOW_MS} ms (from Enter in the dialog)"
cmp "$WORK/command.wav" "$WORK/window.wav"
echo "the window's render is the headless render, byte for byte ($(stat -c %s "$WORK/window.wav") bytes)"
