# Shared by the JACK checks of both programs (sourced, not run): a work folder
# and a private JACK server on the dummy driver (no sound card needed), under a
# server name of the check's own so that it never meets a user's server.
# cleanup stops the server and the program (APP_PID) and removes the folder
# (KEEP_WORK=1 keeps it).
WORK="$(mktemp -d)"
JACKD_PID=""
APP_PID=""
HELPER_PIDS=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    for pid in $HELPER_PIDS; do kill "$pid" 2>/dev/null || true; done
    [ -n "$JACKD_PID" ] && { kill "$JACKD_PID" 2>/dev/null; wait "$JACKD_PID" 2>/dev/null; } || true
    [ -n "${KEEP_WORK:-}" ] && echo "work folder kept in $WORK" || rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# start_jackd NAME: starts `jackd -n NAME -d dummy` at 44100 Hz with 256-frame
# periods, without real-time scheduling (a CI machine may not grant it), and
# waits until it takes clients. JACK_DEFAULT_SERVER then names it for every
# client started. Each check has a name of its own: JACK keeps a registry of at
# most eight servers in /dev/shm, and only a server of the same name takes
# back the entry that a check killed before it could stop its server left.
start_jackd() {
    export JACK_DEFAULT_SERVER="$1-check"
    jackd -n "$JACK_DEFAULT_SERVER" -r -d dummy -r 44100 -p 256 >"$WORK/jackd.log" 2>&1 &
    JACKD_PID=$!
    if ! jack_wait -s "$JACK_DEFAULT_SERVER" -w -t 20 >/dev/null 2>&1; then
        cat "$WORK/jackd.log" >&2
        echo "the JACK server $JACK_DEFAULT_SERVER did not start" >&2
        exit 1
    fi
}

# wait_for_port PORT [SECONDS]: until jack_lsp lists the port (default 20 s).
wait_for_port() {
    for _ in $(seq $((${2:-20} * 10))); do
        jack_lsp 2>/dev/null | grep -qxF "$1" && return 0
        sleep 0.1
    done
    jack_lsp >&2 || true
    echo "no JACK port $1" >&2
    exit 1
}

# wait_for_text FILE TEXT [SECONDS]: until the file holds the text (default 20 s).
wait_for_text() {
    for _ in $(seq $((${3:-20} * 10))); do
        grep -qF "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
