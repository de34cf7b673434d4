#!/bin/sh
# stepweave on a JACK server of the check's own (STEPWEAVE_AUDIO=rtaudio:jack):
# playing the demo pattern, its client "stepweave" shows two output ports that
# it connected to the server's playback ports; they can be connected to
# another client by hand (jack_connect), and that client records the pattern:
# sound, not silence.
# Usage: jack_playback.sh STEPWEAVE
set -eu
STEPWEAVE="$(realpath "$1")"
. "$(dirname "$0")/../../../support/jack_session.sh"
start_jackd stepweave-playback
export XDG_DATA_HOME="$WORK/data" STEPWEAVE_AUDIO=rtaudio:jack
cd "$WORK"

"$STEPWEAVE" play --pattern "Demo Rock" --repeat >"$WORK/play.log" 2>&1 &
APP_PID=$!
wait_for_port "stepweave:outport 0"
wait_for_port "stepweave:outport 1"
for side in 1 2; do
    for _ in $(seq 100); do
        jack_lsp -c "stepweave:outport $((side - 1))" | grep -qxF "   system:playback_$side" && break
        sleep 0.1
    done
    jack_lsp -c "stepweave:outport $((side - 1))" | grep -qxF "   system:playback_$side" ||
        { jack_lsp -c >&2; echo "stepweave:outport $((side - 1)) is not connected to system:playback_$side" >&2; exit 1; }
done

# A recorder of the check's own, connected by hand.
jack_rec -f "$WORK/heard.wav" -d 3 -b 16 "system:capture_1" "system:capture_2" >"$WORK/rec.log" 2>&1 &
HELPER_PIDS="$!"
wait_for_port "jackrec:input1"
jack_disconnect "system:capture_1" "jackrec:input1" && jack_disconnect "system:capture_2" "jackrec:input2"
jack_connect "stepweave:outport 0" "jackrec:input1"
jack_connect "stepweave:outport 1" "jackrec:input2"
jack_lsp -c "jackrec:input1" | grep -qxF "   stepweave:outport 0" || { echo "jack_connect did not connect stepweave" >&2; exit 1; }
wait "$HELPER_PIDS" || { cat "$WORK/rec.log" >&2; echo "jack_rec failed" >&2; exit 1; }
HELPER_PIDS=""
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""

peak="$(sox "$WORK/heard.wav" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p')"
echo "recorded from stepweave through JACK: peak $peak"
awk -v peak="$peak" 'BEGIN { exit !(peak > 0.05) }' || { echo "the recording through JACK is silent" >&2; exit 1; }
