#!/bin/sh
# The main job: installs what is missing, builds, and opens stepweave's window
# on the demo song (the per-user workspace is made on first use). Without a
# display it plays the demo song through the sound card from the terminal.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-commands.sh build
./scripts/build.sh programs
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: playing the demo song from the terminal instead (Ctrl+C stops)."
    exec ./build/stepweave/stepweave play Demo.sng "$@"
fi
exec ./build/stepweave/stepweave Demo.sng "$@"
