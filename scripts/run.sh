#!/usr/bin/env bash
# Builds the program and starts it in a real window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=build-run
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

mkdir -p "$build/work"
cd "$build/work"
exec ../src/gui/tolvane "$@"
