#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for FUZZ_SECONDS (60 unless set), starting from the
# fixture files. A crash stops the script and leaves its input in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)"
mkdir -p build/fuzz/artifacts
# A small quarantine keeps ASan from touching fresh memory for every allocation.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"
for fuzzer in build/fuzz/tests/fuzz/*_fuzz; do
    name=$(basename "$fuzzer")
    corpus="build/fuzz/corpus/$name"
    case "$name" in
    settings_file_fuzz) seeds=tests/data/settings ;;
    period_fuzz | number_fuzz) seeds=tests/data/texts ;;
    *) seeds=tests/data/files ;;
    esac
    mkdir -p "$corpus"
    echo "fuzzing $name for $seconds s"
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/artifacts/ "$corpus" "$seeds"
done
