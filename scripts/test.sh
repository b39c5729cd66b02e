#!/usr/bin/env bash
# Builds everything with AddressSanitizer, UndefinedBehaviorSanitizer and
# -Werror, then runs every test with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=build-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DTOLVANE_SANITIZE=ON -DTOLVANE_WERROR=ON -DTOLVANE_CI_CHECKS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export LC_ALL=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
cd "$build"
ctest --output-on-failure -j "$(nproc)"
