#!/bin/sh
# Under a real X server, in the WAV dialog: a.wav clicked in the list, then
# "b.wav" typed into "File name". The information panel shows b.wav, as when
# b.wav is clicked, and "Save as MIDI file" proposes b.mid and writes there
# the notes that "voxnote convert b.wav" writes, byte for byte.
# Usage: window_wav_file_name.sh VOXNOTE
set -eu
VOXNOTE="$(realpath "$1")"
. "$(dirname "$0")/xvfb_session.sh"
start_xvfb
fail() { echo "$1" >&2; exit 1; }

mkdir -p "$WORK/songs"
sox -n -r 11025 -b 16 -c 1 "$WORK/songs/a.wav" synth 1 sine 440
sox -n -r 44100 -b 16 -c 2 "$WORK/songs/b.wav" synth 2.5 sine 523
cd "$WORK/songs"  # where the WAV dialog opens

# wait_for_window TITLE: sets FOUND to the shown window of that title (10 s at most).
wait_for_window() {
    for _ in $(seq 100); do
        FOUND="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)"
        [ -n "$FOUND" ] && return 0
        sleep 0.1
    done
    fail "no window \"$1\""
}
# settled WINDOW LEFT TOP WIDTH HEIGHT FILE: waits until that part of the
# window has been drawn and stays as it is, and keeps it in FILE.
settled() {
    previous=""
    for _ in $(seq 50); do
        sleep 0.1
        capture "$1" "$2" "$3" "$4" "$5" "$6"
        current="$(cksum <"$6")"
        [ "$current" = "$previous" ] && return 0
        previous="$current"
    done
    fail "the window does not settle"
}
# panel NAME: the information panel once it shows a file, as NAME.pnm.
panel() {
    settled "$DIALOG" 120 280 250 110 "$WORK/$1.pnm"
    ! cmp -s "$WORK/$1.pnm" "$WORK/empty.pnm" || fail "the panel shows nothing for $1"
}

start_voxnote wav_file_name
xdotool mousemove --window "$WINDOW" 25 325 click 1  # WAVE
wait_for_window Open
DIALOG="$FOUND"
# The file list in its details view: a.wav on the first row, b.wav on the second.
settled "$DIALOG" 110 62 600 36 "$WORK/rows.pnm"
settled "$DIALOG" 120 280 250 110 "$WORK/empty.pnm"
xdotool mousemove --window "$DIALOG" 150 70 click 1
panel a
xdotool mousemove --window "$DIALOG" 150 88 click 1
panel b
cmp -s "$WORK/a.pnm" "$WORK/b.pnm" && fail "the panel shows a.wav and b.wav alike"
xdotool mousemove --window "$DIALOG" 150 70 click 1
panel a-again
cmp -s "$WORK/a.pnm" "$WORK/a-again.pnm" || fail "a.wav clicked again shows another panel"

xdotool mousemove --window "$DIALOG" 300 205 click 1  # into "File name"
xdotool key ctrl+a
xdotool type --delay 50 b.wav
panel typed
cmp -s "$WORK/typed.pnm" "$WORK/b.pnm" || fail "the panel does not follow the typed file name (b.wav)"

# The first click only closes the name field's completion list.
xdotool mousemove --window "$DIALOG" 60 300 click 1
xdotool mousemove --window "$DIALOG" 477 377 click 1  # Save as MIDI file
wait_for_window "Save as MIDI file"
settled "$FOUND" 0 340 760 30 "$WORK/save-name.pnm"
xdotool mousemove --window "$FOUND" 708 358 click 1  # Save, on the name it proposes
for _ in $(seq 100); do [ -s b.mid ] && break; sleep 0.1; done
[ -s b.mid ] || fail "no b.mid was saved"
[ ! -e a.mid ] || fail "the notes of a.wav were saved"
xdotool mousemove --window "$DIALOG" 708 235 click 1  # Cancel
close_voxnote "$WINDOW"

"$VOXNOTE" convert b.wav -o convert.mid >/dev/null 2>&1 || fail "convert b.wav failed"
cmp b.mid convert.mid || fail "the dialog's b.mid differs from what convert writes"
echo "a typed file name leads the panel and Save as MIDI file: b.mid as convert writes it ($(wc -c <b.mid) bytes)"
