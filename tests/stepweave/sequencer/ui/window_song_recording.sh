#!/bin/sh
# End to end, as a user does it: under a virtual X server, in a new
# workspace, the window opens the demo song (Ctrl+O, "Demo.sng", Enter),
# plays it (F5) and is closed with Ctrl+C. It must have played the same
# sounds in the same order as the headless player, its recording must have
# the onsets of the headless player's recording to within 1 ms (on the steps
# both played on time: their step timing logs tell), and "Panning.dat" must
# have been written anew on closing. It waits for each state it needs (a
# window shown, a title, the steps played), never for a fixed time.
# Usage: window_song_recording.sh STEPWEAVE COMPARE_ONSETS
set -eu
STEPWEAVE="$(realpath "$1")"
COMPARE="$(realpath "$2")"
. "$(dirname "$0")/xvfb_session.sh"
cd "$WORK"

# The reference: the headless player (it also makes the workspace). Both
# runs log their steps, so that a step a busy machine played late is known.
STEPWEAVE_AUDIO="file:$WORK/play.wav" STEPWEAVE_TIMING_LOG="$WORK/play-steps.log" \
    "$STEPWEAVE" play Demo.sng >"$WORK/play.log" 2>&1 ||
    { cat "$WORK/play.log"; echo "the headless player failed" >&2; exit 1; }
SPACE="$XDG_DATA_HOME/stepweave"
STEPS=$(grep -c '^step ' "$WORK/play-steps.log")
echo "the headless player played $STEPS steps, $(( $(stat -c %s "$WORK/play.wav") / 176400 )) s"

# The number of steps the window has played so far.
window_steps() { grep -c '^step ' "$WORK/window-steps.log" 2>/dev/null || true; }
# The size of the window's recording so far (it grows under a temporary name).
recorded_bytes() { cat "$WORK"/window.wav.tmp-* 2>/dev/null | wc -c; }

start_xvfb

echo 0 >"$SPACE/Panning.dat"  # no valid table: closing must write a real one
cd "$SPACE"
STEPWEAVE_AUDIO="file:$WORK/window.wav" STEPWEAVE_TIMING_LOG="$WORK/window-steps.log" \
    "$STEPWEAVE" >"$WORK/window.log" 2>&1 &
APP_PID=$!
WINDOW="$(wait_window '^Stepweave Pro v5.0$')"
# The damaged Panning.dat is reported at start: the error box takes Enter.
BOX="$(wait_window '^Stepweave$')"
xdotool windowfocus --sync "$BOX"
xdotool key Return
wait_window_gone '^Stepweave$'
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+o
DIALOG="$(wait_window '^Open Song$')"
xdotool windowfocus --sync "$DIALOG"
xdotool type --delay 20 "Demo.sng"
xdotool key Return
wait_title "$WINDOW" "Stepweave Pro v4.0 - Demo"
xdotool windowfocus --sync "$WINDOW"
xdotool key F5
# The song has played when the window has played as many steps as the
# headless player; a second more of recording holds the last sounds.
for _ in $(seq 1200); do
    [ "$(window_steps)" -ge "$STEPS" ] && break
    sleep 0.1
done
[ "$(window_steps)" -ge "$STEPS" ] || { echo "the window played $(window_steps) of $STEPS steps" >&2; exit 1; }
AT_END=$(recorded_bytes)
for _ in $(seq 300); do
    [ "$(recorded_bytes)" -ge $((AT_END + 176400)) ] && break
    sleep 0.1
done
close_window "$WINDOW"

[ "$(sed -n 1p "$SPACE/Panning.dat" | tr -d '\r')" = 0 ] && [ "$(wc -l <"$SPACE/Panning.dat")" -eq 17 ] ||
    { echo "Panning.dat was not written on closing" >&2; exit 1; }
"$COMPARE" "$WORK/play.wav" "$WORK/window.wav" "$WORK/play-steps.log" "$WORK/window-steps.log"
