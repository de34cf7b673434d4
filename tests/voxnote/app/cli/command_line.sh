#!/bin/sh
# The program's command line end to end, with no display at all: every usage
# error (a mistyped command, refused with the list of commands; no input; an
# extra argument; an unknown option; a bad value) ends with status 105, and
# both --help pages name the statuses; "convert" without an output
# writes the MIDI file beside the input, prints its path and never replaces
# it; the first note of a sine from t = 0 starts in its first 50 ms, with
# either detector; a detector it does not know is refused as a bad value of
# any option is, naming it; a file that is no WAV file fails with status 2.
# Usage: command_line.sh VOXNOTE
set -u
VOXNOTE="$(realpath "$1")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export VOXNOTE_INI="$WORK/voxnote.ini"
fail() { echo "$1" >&2; exit 1; }

"$VOXNOTE" conver x.wav >"$WORK/out" 2>"$WORK/err"
[ $? -eq 105 ] || fail "a mistyped command did not end with status 105"
grep -qx "unknown command 'conver'" "$WORK/err" || fail "no refusal: $(cat "$WORK/err")"
grep -q '^  convert ' "$WORK/err" || fail "the refusal does not list the commands"
for usage in "convert" "convert x.wav y.wav" "convert x.wav --loud"; do
    # shellcheck disable=SC2086
    "$VOXNOTE" $usage >"$WORK/out" 2>"$WORK/err"
    [ $? -eq 105 ] || fail "'voxnote $usage' did not end with status 105: $(cat "$WORK/err")"
    [ -s "$WORK/err" ] || fail "'voxnote $usage' gave no message"
done
for help in "--help" "convert --help"; do
    # shellcheck disable=SC2086
    "$VOXNOTE" $help >"$WORK/out" 2>"$WORK/err" || fail "'voxnote $help' failed"
    tr '\n' ' ' <"$WORK/out" | grep -q "Exit status: 0 .* 2 .* 105 " || fail "'voxnote $help' names no statuses"
done

# A sine that sounds from the first sample: its note starts at once.
sox -n -r 11025 -b 16 -c 1 "$WORK/a.wav" synth 2 sine 440
"$VOXNOTE" convert "$WORK/a.wav" --events - >"$WORK/events" 2>"$WORK/err" || fail "convert failed: $(cat "$WORK/err")"
FIRST="$(sed -n 2p "$WORK/events")"
case "$FIRST" in
    *,69,0) fail "the first event is no note-on: $FIRST" ;;
    *,69,*) [ "${FIRST%%,*}" -lt 50 ] || fail "the note-on comes late: $FIRST" ;;
    *) fail "no note 69 first: $(cat "$WORK/events")" ;;
esac
"$VOXNOTE" convert "$WORK/a.wav" --detector precise --events - >"$WORK/events" 2>"$WORK/err" ||
    fail "convert --detector precise failed: $(cat "$WORK/err")"
PRECISE="$(sed -n 2p "$WORK/events")"
case "$PRECISE" in
    *,69,0) fail "the precise detector's first event is no note-on: $PRECISE" ;;
    *,69,*) [ "${PRECISE%%,*}" -lt 50 ] || fail "the precise detector's note-on comes late: $PRECISE" ;;
    *) fail "no note 69 first from the precise detector: $(cat "$WORK/events")" ;;
esac

"$VOXNOTE" convert "$WORK/a.wav" --tuning 99 >"$WORK/out" 2>"$WORK/err"
BAD_VALUE=$?
[ $BAD_VALUE -eq 105 ] || fail "a tuning out of range did not end with status 105 ($BAD_VALUE)"
"$VOXNOTE" convert "$WORK/a.wav" --detector exact >"$WORK/out" 2>"$WORK/err"
[ $? -eq $BAD_VALUE ] || fail "an unknown detector did not end as a bad value does ($BAD_VALUE)"
grep -q "exact" "$WORK/err" || fail "the refusal does not name the detector: $(cat "$WORK/err")"
[ ! -e "$WORK/a.mid" ] || fail "a refused command wrote a.mid"

"$VOXNOTE" convert "$WORK/a.wav" >"$WORK/out" 2>"$WORK/err" || fail "convert failed: $(cat "$WORK/err")"
[ -s "$WORK/a.mid" ] || fail "no a.mid beside the input"
grep -qx "$WORK/a.mid" "$WORK/out" || fail "the path is not printed: $(cat "$WORK/out")"
cp "$WORK/a.mid" "$WORK/first.mid"
"$VOXNOTE" convert "$WORK/a.wav" >"$WORK/out" 2>"$WORK/err"
[ $? -eq 2 ] || fail "an existing a.mid did not stop the conversion"
cmp -s "$WORK/a.mid" "$WORK/first.mid" || fail "a.mid was replaced"

printf 'ID3\004\000\000\000\000\000\000\377\373\220\144' >"$WORK/song.wav"
"$VOXNOTE" convert "$WORK/song.wav" >"$WORK/out" 2>"$WORK/err"
[ $? -eq 2 ] || fail "a file that is no WAV file did not end with status 2"
grep -q "It is not a WAV file" "$WORK/err" || fail "no message for a file that is no WAV file"
[ ! -e "$WORK/song.mid" ] || fail "a MIDI file was written for it"
echo "the command line refuses every usage error with status 105, an unknown detector too, finds the note of a sine from t = 0 ($FIRST; precise: $PRECISE), writes a.mid beside a.wav once, and refuses a file that is no WAV file"
