#!/bin/sh
# stepweave's MIDI input on a JACK server of the check's own: jack_midiseq
# loops a kick (note 36) and a snare (note 38) a quarter of a second apart at
# velocity 64, connected to "Stepweave:Stepweave"; `stepweave kit listen`
# plays a kit of clicks from them into a recording (STEPWEAVE_AUDIO=file:).
# The recording holds the hits a quarter of a second apart (to within a JACK
# period and one of the recording's blocks, 2 x 5.8 ms), each at level 3
# (velocity 64 lies nearest 71): the click's peak attenuated by 15 dB, kick
# and snare alternating by their own loudness.
# Usage: jack_kit_listen.sh STEPWEAVE WAV_HITS
set -eu
STEPWEAVE="$(realpath "$1")"
WAV_HITS="$(realpath "$2")"
. "$(dirname "$0")/../../../support/jack_session.sh"
start_jackd stepweave-kit-listen
export XDG_DATA_HOME="$WORK/data"
mkdir "$WORK/kit" && cd "$WORK/kit"

# A kit of two clicks: the kick at half of full scale, the snare at a quarter.
sox -n -r 44100 -b 16 -c 1 Blank.wav trim 0 0.1
sox -n -r 44100 -b 16 -c 1 kick.wav synth 0.002 square 1000 vol 0.5
sox -n -r 44100 -b 16 -c 1 snare.wav synth 0.002 square 1000 vol 0.25
"$STEPWEAVE" kit make standard.dxg --slot 1=kick.wav --slot 3=snare.wav >/dev/null

STEPWEAVE_AUDIO="file:$WORK/heard.wav" "$STEPWEAVE" kit listen --dir . >"$WORK/listen.log" 2>"$WORK/listen.err" &
APP_PID=$!
wait_for_port "Stepweave:Stepweave"
jack_midiseq seq 22050 0 36 441 11025 38 441 >/dev/null 2>&1 &
HELPER_PIDS="$!"
wait_for_port "seq:out"
jack_connect seq:out Stepweave:Stepweave
wait_for_text "$WORK/listen.log" "Snare level 3" 10 || { cat "$WORK/listen.log" "$WORK/listen.err" >&2; echo "no hit arrived" >&2; exit 1; }
sleep 2
kill "$HELPER_PIDS"
HELPER_PIDS=""
sleep 0.3
kill -INT "$APP_PID"
wait "$APP_PID" || { cat "$WORK/listen.err" >&2; echo "kit listen failed" >&2; exit 1; }
APP_PID=""
grep -q "Listening on Stepweave (JACK: Stepweave:Stepweave)" "$WORK/listen.log"

"$WAV_HITS" "$WORK/heard.wav" >"$WORK/hits.txt"
# Levels: 10^(-1500 / 2000) of each click's own peak.
peak_of() { sox "$1" -n stat 2>&1 | sed -n 's/^Maximum amplitude: *//p'; }
awk -v kick="$(peak_of kick.wav)" -v snare="$(peak_of snare.wav)" '
    { time[NR] = $1; peak[NR] = $2 }
    END {
        if (NR < 6) { print "only " NR " hits recorded" > "/dev/stderr"; exit 1 }
        gain = exp(-1500 / 2000 * log(10)); bad = 0
        for (i = 1; i <= NR; i++) {
            loud = peak[i] > 0.7 * kick * gain
            want = (loud ? kick : snare) * gain
            if (peak[i] < want * 0.95 || peak[i] > want * 1.05) { print "hit " i " at " time[i] " ms: peak " peak[i] ", not " want > "/dev/stderr"; bad = 1 }
            if (i > 1) {
                gap = time[i] - time[i - 1]
                if (gap < 250 - 11.6 || gap > 250 + 11.6) { print "hits " i - 1 " and " i ": " gap " ms apart, not 250" > "/dev/stderr"; bad = 1 }
                if (loud == wasLoud) { print "hit " i " at " time[i] " ms: kick and snare do not alternate" > "/dev/stderr"; bad = 1 }
            }
            wasLoud = loud
        }
        print NR " hits 250 ms apart (within 11.6 ms) at level 3"
        exit bad
    }' "$WORK/hits.txt" || { cat "$WORK/hits.txt" >&2; exit 1; }
grep 'hits: each sounded' "$WORK/listen.log"
