#!/bin/sh
# End to end, as a user does it: under a virtual X server, in a new
# workspace, the window opens the demo song (Ctrl+O, "Demo.sng", Enter),
# plays it (F5) and is closed with Ctrl+C. Its recording must have the onsets
# of the headless player's recording of the same song to within 1 ms, and
# "Panning.dat" must have been written anew on closing.
# Usage: window_song_recording.sh STEPWEAVE COMPARE_ONSETS
set -eu
STEPWEAVE="$(realpath "$1")"
COMPARE="$(realpath "$2")"
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP_RECORDINGS:-}" ] && echo "recordings kept in $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
cd "$WORK"

# The reference: the headless player (it also makes the workspace).
STEPWEAVE_AUDIO="file:$WORK/play.wav" "$STEPWEAVE" play Demo.sng >"$WORK/play.log" 2>&1 ||
    { cat "$WORK/play.log"; echo "the headless player failed" >&2; exit 1; }
SPACE="$XDG_DATA_HOME/stepweave"
SONG_SECONDS=$(( $(stat -c %s "$WORK/play.wav") / 176400 + 2 ))
echo "the headless recording lasts about $SONG_SECONDS s"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"

echo 0 >"$SPACE/Panning.dat"  # no valid table: closing must write a real one
cd "$SPACE"
STEPWEAVE_AUDIO="file:$WORK/window.wav" "$STEPWEAVE" >"$WORK/window.log" 2>&1 &
APP_PID=$!
WINDOW=""
for _ in $(seq 100); do
    WINDOW="$(xdotool search --name '^Stepweave Pro v5.0$' 2>/dev/null | head -n 1 || true)"
    [ -n "$WINDOW" ] && break
    sleep 0.1
done
[ -n "$WINDOW" ] || { cat "$WORK/window.log"; echo "the main window did not open" >&2; exit 1; }
# The damaged Panning.dat is reported at start: the error box takes Enter.
sleep 1
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+o
sleep 1
xdotool type --delay 20 "Demo.sng"
xdotool key Return
for _ in $(seq 50); do
    [ "$(xdotool getwindowname "$WINDOW")" = "Stepweave Pro v4.0 - Demo" ] && break
    sleep 0.1
done
[ "$(xdotool getwindowname "$WINDOW")" = "Stepweave Pro v4.0 - Demo" ] || { echo "the song did not open" >&2; exit 1; }
xdotool windowfocus --sync "$WINDOW"
xdotool key F5
sleep "$SONG_SECONDS"
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+c
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$APP_PID" 2>/dev/null; then echo "Ctrl+C did not close the window" >&2; exit 1; fi
wait "$APP_PID" || { cat "$WORK/window.log"; echo "the program failed" >&2; exit 1; }
APP_PID=""

[ "$(sed -n 1p "$SPACE/Panning.dat" | tr -d '\r')" = 0 ] && [ "$(wc -l <"$SPACE/Panning.dat")" -eq 17 ] ||
    { echo "Panning.dat was not written on closing" >&2; exit 1; }
"$COMPARE" "$WORK/play.wav" "$WORK/window.wav"
