#!/bin/sh
# The main job: installs what is missing, builds, and plays every sound of the
# default drum kit through the sound card.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/stepweave/stepweave kit play build/data/standard.dxg "$@"
