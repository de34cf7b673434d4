#!/bin/sh
# Configures and builds the programs, tests and benchmarks into build/ (g++, optimised).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
