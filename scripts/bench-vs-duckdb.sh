#!/bin/bash
# tolvane-cli summary and stats against DuckDB doing the same work (reading
# the file, cleaning the price text, keeping the first record per item, then
# count, mean, min, max, mean bids and median in SQL, on 2 threads), on two
# generated files of ROWS records (default 1,000,000): the program's own
# export form and a data set of sold listings with the header
# title,sold_price_usd,ended_at,item_id. The three runs of each pair follow
# each other under the same load. Prints each run's wall time and peak
# memory, both programs' answers, the medians and the ratios.
#
# usage: scripts/bench-vs-duckdb.sh [ROWS] [PAIRS]
# Needs a Release build of tolvane-cli in build-rel (see bench/README.md).
# Installs DuckDB's Node package (@duckdb/node-api) with npm into a scratch
# folder (DUCKDB_DIR, default ~/.cache/tolvane-duckdb) when it is missing,
# and nodejs and npm from Debian when they are.
set -euo pipefail

rows=${1:-1000000}
pairs=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${TOLVANE_CLI:-$root/build-rel/tools/cli/tolvane-cli}
duckdb_dir=${DUCKDB_DIR:-$HOME/.cache/tolvane-duckdb}

if [ ! -x "$cli" ]; then
  echo "no $cli: build it first (cmake --build build-rel --target tolvane-cli)" >&2
  exit 1
fi
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  $sudo apt-get install -y nodejs npm >/dev/null
fi
if [ ! -d "$duckdb_dir/node_modules/@duckdb/node-api" ]; then
  mkdir -p "$duckdb_dir"
  (cd "$duckdb_dir" && npm install --silent --no-audit --no-fund \
    @duckdb/node-api >/dev/null)
fi
export NODE_PATH=$duckdb_dir/node_modules

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command under /usr/bin/time; prints "wall-seconds kilobytes
# processor-seconds".
measure() {
  /usr/bin/time -f '%e %M %U %S' -o "$work/time" "$@" >"$work/out" 2>/dev/null
  awk '{ printf "%s %s %.2f\n", $1, $2, $3 + $4 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

compare() {
  local form=$1 csv=$2
  local size
  size=$(stat -c %s "$csv")
  echo "== $form: $rows records, $size bytes"
  : >"$work/summary"
  : >"$work/stats"
  : >"$work/duckdb"
  for _ in $(seq "$pairs"); do
    measure "$cli" summary "$csv" | tee -a "$work/summary" |
      sed 's/^/tolvane-cli summary: wall s, KB, CPU s: /'
    cp "$work/out" "$work/summary.out"
    measure "$cli" stats "$csv" | tee -a "$work/stats" |
      sed 's/^/tolvane-cli stats:   wall s, KB, CPU s: /'
    cp "$work/out" "$work/stats.out"
    measure node "$root/bench/summary_duckdb.js" "$csv" 2 |
      tee -a "$work/duckdb" | sed 's/^/DuckDB:              wall s, KB, CPU s: /'
    cp "$work/out" "$work/duckdb.out"
  done
  echo "tolvane-cli summary says:"
  cat "$work/summary.out"
  echo "tolvane-cli stats says:"
  cat "$work/stats.out"
  echo "DuckDB says:"
  cat "$work/duckdb.out"
  local dk_s dk_kb
  dk_s=$(cut -d' ' -f1 "$work/duckdb" | median)
  dk_kb=$(cut -d' ' -f2 "$work/duckdb" | median)
  for command in summary stats; do
    local s kb pair
    s=$(cut -d' ' -f1 "$work/$command" | median)
    kb=$(cut -d' ' -f2 "$work/$command" | median)
    # The ratio of each pair, run back to back under the same load.
    pair=$(paste -d' ' "$work/$command" "$work/duckdb" |
      awk '{ print $4 / $1 }' | median)
    awk -v c="$command" -v s="$s" -v kb="$kb" -v ds="$dk_s" -v dk="$dk_kb" \
      -v pair="$pair" -v size="$size" 'BEGIN {
  printf "%s: median wall time %.2f s against DuckDB %.2f s: %.1fx faster (median of the pairs: %.1fx)\n", c, s, ds, ds / s, pair
  printf "%s: median peak memory %.0f MB against DuckDB %.0f MB: %.2f of DuckDB, %.2fx the file\n", c, kb / 1024, dk / 1024, kb / dk, kb * 1024 / size
}'
  done
}

python3 "$root/bench/make_csv.py" "$rows" "$work/own.csv"
compare "own export form" "$work/own.csv"
rm -f "$work/own.csv"
python3 "$root/bench/make_csv.py" "$rows" "$work/header.csv" --header
compare "header file (title,sold_price_usd,ended_at,item_id)" "$work/header.csv"
