# Shared by stepweave's window checks (sourced, not run): the common session
# of tests/support/xvfb_session.sh, a workspace of the check's own, waiting
# for windows and closing the main window. The caller sets STEPWEAVE.
. "$(dirname "$0")/../../../support/xvfb_session.sh"
export XDG_DATA_HOME="$WORK/data"

# The window whose title matches the pattern, waited for up to 10 s; fails the check without it.
wait_window() {
    found=""
    for _ in $(seq 100); do
        found="$(xdotool search --name "$1" 2>/dev/null | head -n 1 || true)"
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || { cat "$WORK/window.log" 2>/dev/null; echo "no window $1" >&2; exit 1; }
    echo "$found"
}

# Ctrl+C closes the main window; the program must end by itself, successfully.
close_window() {
    xdotool windowfocus --sync "$1"
    xdotool key ctrl+c
    for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$APP_PID" 2>/dev/null; then echo "Ctrl+C did not close the window" >&2; exit 1; fi
    wait "$APP_PID" || { cat "$WORK/window.log"; echo "the program failed" >&2; exit 1; }
    APP_PID=""
}
