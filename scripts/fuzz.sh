#!/bin/sh
# Runs every fuzz target of a fuzzer build for SECONDS each over a copy of its seed corpus
# (fuzz/<folder>/corpus/<name>/ beside the target fuzz/<folder>/<name>.cpp), then prints
# each target's total runs and runs a second.
#
# Usage: scripts/fuzz.sh BUILD_DIR [SECONDS]
#   scripts/fuzz.sh build-san        a short run (8 s a target), as the tests run it;
#                                    the seed corpora are left as they are
#   scripts/fuzz.sh build-san 600    a long run: from 60 s a target on, what each
#                                    target found that adds coverage is merged into
#                                    its seed corpus (-merge=1), ready to commit
#
# A crash, leak or undefined behaviour stops the run with the target's log; the
# input that caused it is kept in BUILD_DIR/fuzz-findings/.
set -eu
cd "$(dirname "$0")/.."
BUILD="${1:?usage: fuzz.sh BUILD_DIR [SECONDS]}"
SECONDS_EACH="${2:-8}"
MERGE_FROM_SECONDS=60
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
FINDINGS="$BUILD/fuzz-findings"
mkdir -p "$FINDINGS"

# The seed corpus folder of a target: fuzz/<folder>/corpus/<name>/ beside fuzz/<folder>/<name>.cpp.
seed_corpus() {
    source="$(find fuzz -name "$1.cpp" -not -path '*/corpus/*' | head -n 1)"
    [ -n "$source" ] || return 0
    echo "$(dirname "$source")/corpus/$1"
}

# The value of one of libFuzzer's final "stat::" lines in a log.
final_stat() {
    sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

report="$WORK/report.txt"
: >"$report"
found=0
for fuzzer in "$BUILD"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    found=1
    name="$(basename "$fuzzer")"
    name="${name#fuzz_}"
    corpus="$(seed_corpus "$name")"
    mkdir -p "$WORK/$name"
    if [ -n "$corpus" ] && [ -d "$corpus" ]; then
        cp -r "$corpus/." "$WORK/$name/"
    fi
    echo "fuzzing $name for ${SECONDS_EACH}s"
    log="$WORK/$name.log"
    "$fuzzer" -max_total_time="$SECONDS_EACH" -rss_limit_mb=1024 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$FINDINGS/${name}-" "$WORK/$name" >"$log" 2>&1 || {
        tail -n 60 "$log"
        echo "fuzz target $name failed; its input is in $FINDINGS/" >&2
        exit 1
    }
    runs="$(final_stat number_of_executed_units "$log")"
    rate="$(final_stat average_exec_per_sec "$log")"
    echo "  $runs runs, $rate a second"
    printf '%-24s %12s %12s\n' "$name" "$runs" "$rate" >>"$report"

    if [ "$SECONDS_EACH" -ge "$MERGE_FROM_SECONDS" ] && [ -n "$corpus" ]; then
        mkdir -p "$corpus"
        before="$(find "$corpus" -type f | wc -l)"
        "$fuzzer" -merge=1 -rss_limit_mb=1024 -max_len=65536 "$corpus" "$WORK/$name" \
            >"$WORK/$name.merge.log" 2>&1 || {
            tail -n 30 "$WORK/$name.merge.log"
            echo "merging the corpus of $name failed" >&2
            exit 1
        }
        after="$(find "$corpus" -type f | wc -l)"
        echo "  seed corpus $corpus: $before inputs, now $after"
    fi
done
if [ "$found" = 0 ]; then
    echo "no fuzz targets built"
    exit 0
fi
echo
printf '%-24s %12s %12s\n' "target" "runs" "runs/s"
cat "$report"
