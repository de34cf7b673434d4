#!/bin/sh
# The headless commands as a user runs them, one process each, where only a
# process shows it: the silent device in real time, a machine without sound,
# two renders at once, Ctrl+C, a full disk, the parsing of the command line.
# Usage: command_line.sh STEPWEAVE
set -u
STEPWEAVE="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export XDG_DATA_HOME="$WORK/data"
WS="$XDG_DATA_HOME/stepweave"
failures=0
passes=0

check() {  # check DESCRIPTION COMMAND...: counts a pass when the command succeeds
    description="$1"
    shift
    if "$@"; then
        passes=$((passes + 1))
    else
        failures=$((failures + 1))
        echo "FAILED: $description" >&2
    fi
}

# Exit status of the last command run through `run`, and its output in
# $WORK/out and $WORK/err.
run() {
    "$@" >"$WORK/out" 2>"$WORK/err"
    status=$?
}

is() { [ "$1" = "$2" ] || { echo "  got:      $1" >&2; echo "  expected: $2" >&2; return 1; }; }
no_temporaries() { [ -z "$(find "$1" -name '*.tmp-*')" ]; }
# A complete RIFF file: its RIFF size is the file's size less 8.
whole_wav() {
    [ "$(head -c 4 "$1")" = "RIFF" ] &&
        [ "$(od -An -tu4 -j4 -N4 "$1" | tr -d ' ')" -eq $(($(wc -c <"$1") - 8)) ]
}

# --- the silent device: the first run plays the demo without a sound card.
run env STEPWEAVE_AUDIO=null "$STEPWEAVE" play --pattern "Demo Fill"
check "STEPWEAVE_AUDIO=null play runs to the end and succeeds" is "$status" 0
check "it made the workspace and said so" grep -q "Made a new workspace" "$WORK/out"
check "and printed no error" is "$(cat "$WORK/err")" ""

# --- without a sound card the default device says why, and the way out.
run "$STEPWEAVE" devices
check "devices succeeds" is "$status" 0
if grep -q "^No output device" "$WORK/out"; then
    run "$STEPWEAVE" play --pattern "Demo Fill"
    check "play without a sound card fails" is "$status" 1
    check "with the system's message first" is "$(head -n 1 "$WORK/err")" "DirectSound cannot be initialized"
    check "then the cause and the way out on one line" is "$(sed -n '2p' "$WORK/err" | sed 's/.*; //')" \
        "set STEPWEAVE_AUDIO=null to run silent, or file:OUT.wav to record"
    check "and nothing more" is "$(wc -l <"$WORK/err" | tr -d ' ')" 2
fi

# --- two renders at once, with different kits, each exactly as alone.
cd "$WS" || exit 1
"$STEPWEAVE" kit extract standard.dxg "$WORK/sounds" >/dev/null
"$STEPWEAVE" kit make "$WORK/swapped.dxg" --template standard.dxg --slot "1=$WORK/sounds/3.wav" \
    --slot "3=$WORK/sounds/1.wav" >/dev/null
"$STEPWEAVE" render Demo.sng -o "$WORK/solo.wav" >/dev/null
"$STEPWEAVE" render Demo.sng -o "$WORK/solo-swapped.wav" --kit "$WORK/swapped.dxg" >/dev/null
for round in 1 2; do
    "$STEPWEAVE" render Demo.sng -o "$WORK/a$round.wav" >"$WORK/a.log" 2>&1 &
    first=$!
    "$STEPWEAVE" render Demo.sng -o "$WORK/b$round.wav" --kit "$WORK/swapped.dxg" >"$WORK/b.log" 2>&1
    second=$?
    wait "$first"
    check "round $round: both renders succeed" is "$?:$second" "0:0"
    check "round $round: the first is the solo render" cmp -s "$WORK/solo.wav" "$WORK/a$round.wav"
    check "round $round: the second is its solo render" cmp -s "$WORK/solo-swapped.wav" "$WORK/b$round.wav"
done
check "the kits differ, so sharing would show" sh -c "! cmp -s '$WORK/solo.wav' '$WORK/solo-swapped.wav'"
check "the renders leave nothing in temp" is "$(ls -A "$WS/temp" | grep -v '^sample[1-8]\.wav$')" ""

# --- Ctrl+C on kit play: stopped, a whole recording, no temporary file.
STEPWEAVE_AUDIO="file:$WORK/kit.wav" "$STEPWEAVE" kit play standard.dxg >"$WORK/kit.out" 2>&1 &
player=$!
tries=0
while ! grep -q '"' "$WORK/kit.out" && [ $tries -lt 200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
kill -INT "$player"
wait "$player"
check "kit play stopped by Ctrl+C exits 130" is "$?" 130
check "and says Stopped" grep -q "^Stopped$" "$WORK/kit.out"
check "the recording is whole" whole_wav "$WORK/kit.wav"
check "no temporary file is left" no_temporaries "$WORK"

# --- a recording that cannot be written (a full disk) fails and keeps the old file.
echo "the old take" >"$WORK/take.wav"
(
    trap '' XFSZ
    ulimit -f 100
    exec env STEPWEAVE_AUDIO="file:$WORK/take.wav" "$STEPWEAVE" play --pattern "Demo Fill"
) >"$WORK/out" 2>"$WORK/err"
check "a recording on a full disk fails the command" is "$?" 1
check "with the system's message and the file" is "$(cat "$WORK/err")" "take.wav: Stream write error"
check "the old file stays" is "$(cat "$WORK/take.wav")" "the old take"
check "no temporary file is left behind" no_temporaries "$WORK"

# --- a file-size limit is a full disk too: the render fails with the
# message, the program ends by itself and leaves nothing behind.
(
    ulimit -f 100
    exec "$STEPWEAVE" render Demo.sng -o "$WORK/limited.wav"
) >"$WORK/out" 2>"$WORK/err"
check "a render past the file-size limit fails the command" is "$?" 1
check "with the system's message" is "$(cat "$WORK/err")" "Stream write error"
check "it writes no output" [ ! -e "$WORK/limited.wav" ]
check "and leaves nothing in temp" is "$(ls -A "$WS/temp" | grep -v '^sample[1-8]\.wav$')" ""
check "nor a temporary file" no_temporaries "$WORK"

# --- messages name the file and the line (as the damaged demo pattern of the
# bug report); --from counts from 0.
cp -r "$WS" "$WORK/damaged"
sed -i '135s/.*/abc\r/' "$WORK/damaged/Demo Rock.pat"
run "$STEPWEAVE" render "$WORK/damaged/Demo.sng" -o "$WORK/damaged.wav" --dir "$WORK/damaged"
check "a damaged pattern fails the render" is "$status" 1
check "named with its line" is "$(cat "$WORK/err")" "Demo Rock.pat: line 134: 'abc' is not a valid integer value"
run "$STEPWEAVE" render Demo.sng -o "$WORK/x.wav" --from -1
check "--from -1 is refused" sh -c "[ $status -ne 0 ]"
check "as must be 0 or more" grep -q "^--from: must be 0 or more$" "$WORK/err"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
