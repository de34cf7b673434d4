# Shared by the window checks of both programs (sourced, not run): a work
# folder, a virtual X server, and cleanup, which stops the server and the
# program (APP_PID) and removes the folder (KEEP_WORK=1 keeps it).
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] && echo "work folder kept in $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts a virtual X server on a free display and waits until it takes
# connections. A server that lost its display to another one starting at the
# same moment is replaced by a new one. -noreset: by default the server resets
# whenever its last client leaves (our own check, a window closed between two
# starts), and a busy machine's next client can meet it while it resets and be
# refused.
start_xvfb() {
    for _ in 1 2 3; do
        rm -f "$WORK/display"
        Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 300); do
            [ -s "$WORK/display" ] || ! kill -0 "$XVFB_PID" 2>/dev/null && break
            sleep 0.1
        done
        export DISPLAY=":$(cat "$WORK/display" 2>/dev/null)"
        kill -0 "$XVFB_PID" 2>/dev/null && xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    echo "no virtual X server could be started" >&2
    exit 1
}
