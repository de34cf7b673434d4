#!/bin/sh
# Under a virtual X server: the window, started where its files may grow to a
# limit only (`ulimit -f`), renders the demo song with F11. The write that
# passes the limit is a write error like a full disk's: the error box comes,
# the program goes on and closes normally, and neither the chosen file nor
# the render's folder under "temp" nor a temporary file is left. At 100 KiB
# the kit's sounds cannot be exported, before the file is asked for; at
# 2000 KiB the mixdown fails after the file was chosen.
# Usage: window_render_file_limit.sh STEPWEAVE
set -eu
STEPWEAVE="$(realpath "$1")"
. "$(dirname "$0")/xvfb_session.sh"
export STEPWEAVE_AUDIO=null
cd "$WORK"
"$STEPWEAVE" play --pattern "Demo Fill" >/dev/null 2>&1 || true  # makes the workspace
SPACE="$XDG_DATA_HOME/stepweave"
cd "$SPACE"

start_xvfb

# render_past_limit KIB ASKS: ASKS is "asks" when the save dialog comes first.
render_past_limit() {
    (
        ulimit -f "$1"
        exec "$STEPWEAVE" Demo.sng
    ) >"$WORK/window.log" 2>&1 &
    APP_PID=$!
    WINDOW="$(wait_window '^Stepweave Pro v4.0 - Demo$')"
    xdotool windowfocus --sync "$WINDOW"
    xdotool key F11
    if [ "$2" = asks ]; then
        DIALOG="$(wait_window '^Save As One Big Lovely WAV File$')"
        xdotool windowfocus --sync "$DIALOG"
        xdotool type --delay 10 "$WORK/limited.wav"
        xdotool key Return
    fi
    BOX="$(wait_window '^Stepweave$')"
    kill -0 "$APP_PID" 2>/dev/null || { echo "at $1 KiB the program ended instead of reporting the error" >&2; exit 1; }
    xdotool windowfocus --sync "$BOX"
    xdotool key Return
    wait_window_gone '^Stepweave$'
    wait_window_gone '^Render$'
    close_window "$WINDOW"

    [ ! -e "$WORK/limited.wav" ] || { echo "at $1 KiB a render that failed left its file" >&2; exit 1; }
    [ -z "$(find "$SPACE/temp" -name 'render-*')" ] || { echo "at $1 KiB the render's folder was left in temp" >&2; exit 1; }
    [ -z "$(find "$WORK" "$SPACE" -name '*.tmp-*')" ] || { echo "at $1 KiB a temporary file was left" >&2; exit 1; }
    echo "past a limit of $1 KiB the window reported the error, went on and left nothing behind"
}

render_past_limit 100 exports
render_past_limit 2000 asks
