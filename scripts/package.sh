#!/bin/sh
# Builds the Debian package of both programs into build/ with CPack (only
# what the package holds: no tests, no benchmarks):
# build/stepweave-voxnote_<version>_<arch>.deb. Its dependencies come from the
# shared libraries the programs link. Install it with
#   sudo apt install ./build/stepweave-voxnote_*.deb
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/check-commands.sh build package
./scripts/build.sh package
(cd build && cpack -G DEB)
ls -1 build/stepweave-voxnote_*.deb
