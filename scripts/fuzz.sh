#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for FUZZ_SECONDS (60 unless set), as many at once as
# there are cores, starting from the fixture files. A crash fails the script and leaves its input
# in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)"
mkdir -p build/fuzz/artifacts
# A small quarantine keeps ASan from touching fresh memory for every allocation, and two frames
# of each allocation's stack are enough to tell what a report is about (a crash input kept in
# artifacts/ can be run again alone with full stacks). Short allocation stacks alone made
# number_fuzz three times as fast.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=2}"
# The targets write each input to a file and read it back; on a memory file system that costs
# no disk flush, and they run several times as many inputs.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
# One fuzzer per core at a time; each prints its log when it ends, and a crash fails the script.
jobs="${FUZZ_JOBS:-$(nproc)}"
fuzz_one() {
    local fuzzer=$1 name seeds corpus
    name=$(basename "$fuzzer")
    corpus="build/fuzz/corpus/$name"
    case "$name" in
    settings_file_fuzz) seeds=tests/data/settings ;;
    period_fuzz | number_fuzz) seeds=tests/data/texts ;;
    *) seeds=tests/data/files ;;
    esac
    mkdir -p "$corpus"
    local status=0
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ "$corpus" "$seeds" >"build/fuzz/$name.log" 2>&1 ||
        status=$?
    # One write, so the reports of fuzzers ending together do not interleave.
    printf 'fuzzed %s for %s s (status %s)\n%s\n' "$name" "$seconds" "$status" \
        "$(grep -E "^stat::number_of_executed_units|^==.*ERROR|^SUMMARY" "build/fuzz/$name.log")"
    [ "$status" -eq 0 ] || { tail -40 "build/fuzz/$name.log"; return "$status"; }
}
running=()
for fuzzer in build/fuzz/tests/fuzz/*_fuzz; do
    fuzz_one "$fuzzer" &
    running+=($!)
    if [ "${#running[@]}" -ge "$jobs" ]; then
        wait "${running[0]}"
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid"
done
