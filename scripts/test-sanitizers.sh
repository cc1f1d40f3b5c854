#!/usr/bin/env bash
# Builds the AddressSanitizer + UndefinedBehaviorSanitizer preset and runs the unit, widget and
# end-to-end tests, the hostile test and the ten-minute soak (KORVANTA_SOAK_SECONDS) under it; the
# soak starts first and runs beside the others.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=0 ctest --preset asan -j2 --timeout 600
