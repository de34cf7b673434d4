#!/bin/sh
# Runs every fuzz target of a fuzzer build for SECONDS each over a copy of its seed corpus
# (fuzz/<folder>/corpus/<name>/ beside the target fuzz/<folder>/<name>.cpp).
# Usage: scripts/fuzz.sh BUILD_DIR [SECONDS]
set -eu
cd "$(dirname "$0")/.."
BUILD="${1:?usage: fuzz.sh BUILD_DIR [SECONDS]}"
SECONDS_EACH="${2:-8}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

found=0
for fuzzer in "$BUILD"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    found=1
    name="$(basename "$fuzzer")"
    name="${name#fuzz_}"
    mkdir -p "$WORK/$name"
    # The seeds stand beside the target's source: fuzz/<folder>/corpus/<name>/.
    source="$(find fuzz -name "$name.cpp" -not -path '*/corpus/*' | head -n 1)"
    corpus="$(dirname "$source")/corpus/$name"
    if [ -n "$source" ] && [ -d "$corpus" ]; then
        cp -r "$corpus/." "$WORK/$name/"
    fi
    echo "fuzzing $name for ${SECONDS_EACH}s"
    "$fuzzer" -max_total_time="$SECONDS_EACH" -rss_limit_mb=1024 -max_len=65536 \
        -artifact_prefix="$WORK/" "$WORK/$name" >"$WORK/$name.log" 2>&1 || {
        tail -n 60 "$WORK/$name.log"
        echo "fuzz target $name failed" >&2
        exit 1
    }
done
[ "$found" = 1 ] || echo "no fuzz targets built"
