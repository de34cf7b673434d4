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

start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$WORK/display")"
}
