# Shared by stepweave's window checks (sourced, not run): the common session
# of tests/support/xvfb_session.sh, a workspace of the check's own, waiting
# for windows and closing the main window. The caller sets STEPWEAVE.
. "$(dirname "$0")/../../../support/xvfb_session.sh"
export XDG_DATA_HOME="$WORK/data"

# The shown window whose title matches the pattern, waited for up to 30 s;
# fails the check without it.
wait_window() {
    found=""
    for _ in $(seq 300); do
        found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)"
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || { cat "$WORK/window.log" 2>/dev/null; echo "no window $1" >&2; exit 1; }
    echo "$found"
}

# Waits up to 30 s until no shown window's title matches the pattern.
wait_window_gone() {
    for _ in $(seq 300); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ] && return 0
        sleep 0.1
    done
    echo "the window $1 did not close" >&2
    exit 1
}

# Waits up to 30 s until the window's title is the text.
wait_title() {
    for _ in $(seq 300); do
        [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ] && return 0
        sleep 0.1
    done
    echo "the window's title did not become \"$2\" (it is \"$(xdotool getwindowname "$1")\")" >&2
    exit 1
}

# Ctrl+C closes the main window; the program must end by itself, successfully.
close_window() {
    xdotool windowfocus --sync "$1"
    xdotool key ctrl+c
    for _ in $(seq 300); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$APP_PID" 2>/dev/null; then echo "Ctrl+C did not close the window" >&2; exit 1; fi
    wait "$APP_PID" || { cat "$WORK/window.log"; echo "the program failed" >&2; exit 1; }
    APP_PID=""
}
