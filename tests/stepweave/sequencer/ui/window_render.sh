#!/bin/sh
# End to end under a virtual X server: the window opens the demo song, F11
# renders it, and the file name is typed into the "Save As One Big Lovely WAV
# File" dialog. The file must be byte for byte the headless render's. Both
# renders' times are printed for comparison.
# Usage: window_render.sh STEPWEAVE
set -eu
STEPWEAVE="$(realpath "$1")"
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
now_ms() { echo $(($(date +%s%N) / 1000000)); }
export XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime" STEPWEAVE_AUDIO="file:$WORK/heard.wav"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
cd "$WORK"

STEPWEAVE_AUDIO=null "$STEPWEAVE" play --pattern "Demo Fill" >/dev/null 2>&1 || true  # makes the workspace
SPACE="$XDG_DATA_HOME/stepweave"
cd "$SPACE"
START=$(now_ms)
"$STEPWEAVE" render Demo.sng -o "$WORK/command.wav" >"$WORK/command.log" 2>&1 ||
    { cat "$WORK/command.log"; echo "the headless render failed" >&2; exit 1; }
COMMAND_MS=$(($(now_ms) - START))

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"

"$STEPWEAVE" Demo.sng >"$WORK/window.log" 2>&1 &
APP_PID=$!
WINDOW=""
for _ in $(seq 100); do
    WINDOW="$(xdotool search --name '^Stepweave Pro v4.0 - Demo$' 2>/dev/null | head -n 1 || true)"
    [ -n "$WINDOW" ] && break
    sleep 0.1
done
[ -n "$WINDOW" ] || { cat "$WORK/window.log"; echo "the window did not open the song" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$WINDOW"
xdotool key F11
DIALOG=""
for _ in $(seq 50); do
    DIALOG="$(xdotool search --name '^Save As One Big Lovely WAV File$' 2>/dev/null | head -n 1 || true)"
    [ -n "$DIALOG" ] && break
    sleep 0.1
done
[ -n "$DIALOG" ] || { echo "F11 opened no save dialog" >&2; exit 1; }
xdotool windowfocus --sync "$DIALOG"
xdotool type --delay 10 "$WORK/window.wav"
START=$(now_ms)
xdotool key Return
for _ in $(seq 600); do [ -f "$WORK/window.wav" ] && break; sleep 0.01; done
WINDOW_MS=$(($(now_ms) - START))
[ -f "$WORK/window.wav" ] || { echo "the window wrote no file" >&2; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+c
wait "$APP_PID" || { cat "$WORK/window.log"; echo "the program failed" >&2; exit 1; }
APP_PID=""
echo "headless render ${COMMAND_MS} ms (the whole program); window render ${WINDOW_MS} ms (from Enter in the dialog)"
cmp "$WORK/command.wav" "$WORK/window.wav"
echo "the window's render is the headless render, byte for byte ($(stat -c %s "$WORK/window.wav") bytes)"
