#!/bin/sh
# voxnote's virtual port "Voxnote" on a JACK server of the check's own: a live
# run of a sung A (a tone from a WAV file, in real time) sends its notes out
# on it, and jack_midi_dump, connected to it, hears the A (note 69) start and
# end.
# Usage: jack_virtual_port.sh JACK_LIVE_RUN
set -eu
LIVE_RUN="$(realpath "$1")"
. "$(dirname "$0")/../../../support/jack_session.sh"
start_jackd voxnote-virtual-port

sox -n -r 11025 -b 16 -c 1 "$WORK/a440.wav" trim 0 0.4 : synth 3 sine 440 vol 0.25 : trim 0 1
export VOXNOTE_AUDIO_IN="file:$WORK/a440.wav" VOXNOTE_AUDIO_OUT=null XDG_CONFIG_HOME="$WORK/config"

"$LIVE_RUN" 6 "$WORK/voxnote.ini" >"$WORK/run.log" 2>&1 &
APP_PID=$!
wait_for_port "Voxnote:Voxnote"
jack_midi_dump >"$WORK/dump.txt" 2>&1 &
HELPER_PIDS="$!"
wait_for_port "midi-monitor:input"
jack_connect "Voxnote:Voxnote" "midi-monitor:input"
wait "$APP_PID" || { cat "$WORK/run.log" >&2; echo "the live run failed" >&2; exit 1; }
APP_PID=""

# jack_midi_dump prints each event's bytes in hex: "90 45 xx" starts note 69,
# "80 45 xx" or "90 45 00" ends it.
wait_for_text "$WORK/dump.txt" "90 45" 5 || { cat "$WORK/run.log" "$WORK/dump.txt" >&2; echo "no note 69 reached jack_midi_dump" >&2; exit 1; }
grep -qE '(80 45 [0-9a-f]{2}|90 45 00)' "$WORK/dump.txt" || { cat "$WORK/dump.txt" >&2; echo "note 69 never ended" >&2; exit 1; }
echo "the live run's notes reached jack_midi_dump on Voxnote:Voxnote: $(grep -cE '^ *[0-9]+: (80|90) ' "$WORK/dump.txt" || true) note messages"
