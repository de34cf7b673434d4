#!/bin/sh
# Installs what is missing, builds, and runs every test:
#  1. the unit and window tests (g++ build in build/),
#  2. the core tests again under ASan and UBSan (clang build in build-san/),
#  3. every fuzz target for a few seconds over its seed corpus (same clang build).
set -eu
cd "$(dirname "$0")/.."
FUZZ_SECONDS="${FUZZ_SECONDS:-8}"

./scripts/install-deps.sh
./scripts/check-commands.sh build test package
./scripts/build.sh
ctest --test-dir build --output-on-failure -j2

CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DWITH_GUI=OFF -DWITH_BENCHMARKS=OFF -DWITH_SANITIZERS=ON -DWITH_FUZZERS=ON >/dev/null
cmake --build build-san
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-san --output-on-failure -j2

./scripts/fuzz.sh build-san "$FUZZ_SECONDS"
echo "All tests passed."
