#!/bin/sh
# Configures and builds into build/ (g++, optimised).
#   scripts/build.sh             everything: the programs, their data, tests and benchmarks
#   scripts/build.sh programs    only the two programs and their data (the main job)
#   scripts/build.sh package     only what the Debian package holds (no tests, no benchmarks)
set -eu
cd "$(dirname "$0")/.."
case "${1:-all}" in
    all)
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWITH_TESTS=ON -DWITH_BENCHMARKS=ON >/dev/null
        cmake --build build ;;
    programs)
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build build --target stepweave voxnote ;;
    package)
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWITH_TESTS=OFF -DWITH_BENCHMARKS=OFF >/dev/null
        cmake --build build ;;
    *)
        echo "usage: scripts/build.sh [programs|package]" >&2
        exit 2 ;;
esac
