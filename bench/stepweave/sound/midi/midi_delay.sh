#!/bin/sh
# Measures the delay from a MIDI note-on to the kit's sound, end to end
# through a JACK server of its own (the dummy driver, 256-frame periods at
# 44100 Hz): jack_midi_probe sends kicks to "Stepweave:Stepweave" and hears
# `stepweave kit listen` play them through STEPWEAVE_AUDIO=rtaudio:jack. Also
# prints what kit listen measured inside the program: from a note's arrival
# to the first frame of the block that plays it.
# Usage: midi_delay.sh STEPWEAVE JACK_MIDI_PROBE [NOTES]
set -eu
STEPWEAVE="$(realpath "$1")"
PROBE="$(realpath "$2")"
. "$(dirname "$0")/../../../../tests/support/jack_session.sh"
start_jackd stepweave-midi-delay
export XDG_DATA_HOME="$WORK/data"
mkdir "$WORK/kit" && cd "$WORK/kit"
# A kit whose kick is a click, so that each note's sound starts from silence.
sox -n -r 44100 -b 16 -c 1 Blank.wav trim 0 0.1
sox -n -r 44100 -b 16 -c 1 kick.wav synth 0.002 square 1000 vol 0.5
"$STEPWEAVE" kit make standard.dxg --slot 1=kick.wav >/dev/null
STEPWEAVE_AUDIO=rtaudio:jack "$STEPWEAVE" kit listen --dir . >"$WORK/listen.log" 2>&1 &
APP_PID=$!
wait_for_port "Stepweave:Stepweave"
wait_for_port "stepweave:outport 0"
"$PROBE" "${3:-40}" >"$WORK/probe.log" 2>&1 &
HELPER_PIDS="$!"
wait_for_port "probe:out"
jack_connect probe:out Stepweave:Stepweave
jack_connect "stepweave:outport 0" probe:in
wait "$HELPER_PIDS" || { cat "$WORK/probe.log" >&2; exit 1; }
HELPER_PIDS=""
kill -INT "$APP_PID"
wait "$APP_PID" || true
APP_PID=""
tail -1 "$WORK/probe.log"
grep 'hits: each sounded' "$WORK/listen.log"
