#!/bin/sh
# The main job: installs what is missing, builds, and plays stepweave's demo
# song through the sound card (the per-user workspace is made on first use).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/stepweave/stepweave play Demo.sng "$@"
