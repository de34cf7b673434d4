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
. "$(dirname "$0")/xvfb_session.sh"
cd "$WORK"

# The reference: the headless player (it also makes the workspace).
STEPWEAVE_AUDIO="file:$WORK/play.wav" "$STEPWEAVE" play Demo.sng >"$WORK/play.log" 2>&1 ||
    { cat "$WORK/play.log"; echo "the headless player failed" >&2; exit 1; }
SPACE="$XDG_DATA_HOME/stepweave"
SONG_SECONDS=$(( $(stat -c %s "$WORK/play.wav") / 176400 + 2 ))
echo "the headless recording lasts about $SONG_SECONDS s"

start_xvfb

echo 0 >"$SPACE/Panning.dat"  # no valid table: closing must write a real one
cd "$SPACE"
STEPWEAVE_AUDIO="file:$WORK/window.wav" "$STEPWEAVE" >"$WORK/window.log" 2>&1 &
APP_PID=$!
WINDOW="$(wait_window '^Stepweave Pro v5.0$')"
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
close_window "$WINDOW"

[ "$(sed -n 1p "$SPACE/Panning.dat" | tr -d '\r')" = 0 ] && [ "$(wc -l <"$SPACE/Panning.dat")" -eq 17 ] ||
    { echo "Panning.dat was not written on closing" >&2; exit 1; }
"$COMPARE" "$WORK/play.wav" "$WORK/window.wav"
