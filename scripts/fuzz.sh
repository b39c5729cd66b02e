#!/usr/bin/env bash
# The fuzzers, in their own clang build, each for a bounded time, with the
# markers of tests/fuzz/NAME.dict; the page parsers start from their golden
# pages.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$fuzz" -DCMAKE_BUILD_TYPE=Debug \
  -DTOLVANE_FUZZ=ON -DTOLVANE_SANITIZE=ON -DTOLVANE_BUILD_GUI=OFF \
  -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzz" -j "$(nproc)" --target fuzzers >/dev/null
for target in "$fuzz"/tests/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  args=(-max_total_time="${TOLVANE_FUZZ_SECONDS:-60}" -max_len=4096)
  [ -f "tests/fuzz/$name.dict" ] && args+=(-dict="tests/fuzz/$name.dict")
  if [ "$name" = page_parser_fuzz ]; then
    args+=(-seed_inputs="$(find tests/data/pages -name page.htm | sort |
      paste -sd, -)")
  fi
  if [ "$name" = sold_page_fuzz ]; then
    args+=(-seed_inputs="$(find tests/data/sold_pages -name page.htm | sort |
      paste -sd, -)")
  fi
  mkdir -p "$fuzz/corpus/$name"
  "$target" "${args[@]}" "$fuzz/corpus/$name"
done
