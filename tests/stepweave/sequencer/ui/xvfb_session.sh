# Shared by the window's end-to-end checks (sourced, not run): a work folder,
# a virtual X server, the program started in it, and waiting for windows.
# The caller sets STEPWEAVE; cleanup stops both and removes the work folder.
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP_RECORDINGS:-}" ] && echo "work folder kept in $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$WORK/display")"
}

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
