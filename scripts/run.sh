#!/usr/bin/env bash
# Installs the dependencies, builds the release preset, starts the acquisition simulator and then
# the program attached to it. The simulator is stopped when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)"
bin=build/release
workdir="${KORVANTA_WORKDIR:-$HOME/korvanta}"
mkdir -p "$workdir"
"$bin/korvanta-sim" --profile demo &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
sleep 1
cd "$workdir"
"$OLDPWD/$bin/korvanta" "$@"
