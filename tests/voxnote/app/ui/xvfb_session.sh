# Shared by voxnote's window checks (sourced, not run): the common session of
# tests/support/xvfb_session.sh with a settings file of the check's own, the
# program started in it, waiting for its main window, and capturing a part of it.
. "$(dirname "$0")/../../../support/xvfb_session.sh"
export XDG_CONFIG_HOME="$WORK/config"
# The recording input plays a second of silence (with no input at all the
# window reports "No microphone set up" and closes).
sox -n -r 11025 -b 16 -c 1 "$WORK/silence.wav" trim 0 1
export VOXNOTE_AUDIO_IN="file:$WORK/silence.wav" VOXNOTE_AUDIO_OUT=null

# Starts voxnote with the settings file $WORK/NAME.ini and sets WINDOW to
# its main window (199 by 346 pixels, after the splash), waited for up to 30 s.
start_voxnote() {
    export VOXNOTE_INI="$WORK/$1.ini"
    "$VOXNOTE" >"$WORK/window.log" 2>&1 &
    APP_PID=$!
    for _ in $(seq 300); do
        for window in $(xdotool search --name '^Voxnote$' 2>/dev/null || true); do
            if xdotool getwindowgeometry "$window" 2>/dev/null | grep -q 'Geometry: 199x346' &&
                xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then
                WINDOW="$window"
                return 0
            fi
        done
        sleep 0.1
    done
    cat "$WORK/window.log"
    echo "no main window" >&2
    exit 1
}

# capture WINDOW LEFT TOP WIDTH HEIGHT FILE: that part of the window as a PNM picture.
capture() {
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmcut -left "$2" -top "$3" -width "$4" -height "$5" >"$6"
}

# settled_capture WINDOW LEFT TOP WIDTH HEIGHT FILE: the same, once the part
# has stopped changing (three pictures 200 ms apart alike, within 30 s): the
# window has painted everything it was asked to.
settled_capture() {
    capture "$@"
    alike=0
    for _ in $(seq 150); do
        sleep 0.2
        capture "$1" "$2" "$3" "$4" "$5" "$6.next"
        if cmp -s "$6" "$6.next"; then
            alike=$((alike + 1))
            [ "$alike" -ge 2 ] && { rm -f "$6.next"; return 0; }
        else
            alike=0
            mv "$6.next" "$6"
        fi
    done
    echo "the window kept changing" >&2
    exit 1
}

# Clicks the close button and waits for the program to end by itself,
# successfully; prints how long that took.
close_voxnote() {
    xdotool mousemove --window "$1" 187 19
    START=$(now_ms)
    xdotool click 1
    for _ in $(seq 3000); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.01; done
    if kill -0 "$APP_PID" 2>/dev/null; then echo "the close button did not end the program" >&2; exit 1; fi
    wait "$APP_PID" || { cat "$WORK/window.log"; echo "the program failed" >&2; exit 1; }
    echo "closed in $(($(now_ms) - START)) ms"
    grep -q '^\[System Settings\]' "$VOXNOTE_INI" || { echo "the system settings were not stored" >&2; exit 1; }
    APP_PID=""
}
