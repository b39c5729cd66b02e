#!/bin/bash
# tolvane-cli summary against the pandas script that does the same reading,
# cleaning, de-duplication by item and mean/min/max, on one generated CSV
# file of ROWS records (default 1,000,000), run after each other in pairs.
# Prints each run's wall time and peak memory, the medians and the ratios.
#
# usage: scripts/bench-vs-pandas.sh [ROWS] [PAIRS]
# Needs a Release build of tolvane-cli in build-rel (see bench/README.md);
# installs python3-pandas from Debian when it is missing.
set -euo pipefail

rows=${1:-1000000}
pairs=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${TOLVANE_CLI:-$root/build-rel/tools/cli/tolvane-cli}
python=/usr/bin/python3

if [ ! -x "$cli" ]; then
  echo "no $cli: build it first (cmake --build build-rel --target tolvane-cli)" >&2
  exit 1
fi
if ! "$python" -c 'import pandas' 2>/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y python3-pandas >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
csv=$work/rows.csv
"$python" "$root/bench/make_csv.py" "$rows" "$csv"
echo "file: $rows records, $(stat -c %s "$csv") bytes"

# Runs a command under /usr/bin/time; prints "wall-seconds kilobytes
# processor-seconds".
measure() {
  /usr/bin/time -f '%e %M %U %S' -o "$work/time" "$@" >"$work/out" 2>/dev/null
  awk '{ printf "%s %s %.2f\n", $1, $2, $3 + $4 }' "$work/time"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/cli"
: >"$work/pandas"
for _ in $(seq "$pairs"); do
  measure "$cli" summary "$csv" | tee -a "$work/cli" | sed 's/^/tolvane-cli summary: wall s, KB, CPU s: /'
  cp "$work/out" "$work/cli.out"
  measure "$python" "$root/bench/summary_pandas.py" "$csv" | tee -a "$work/pandas" | sed 's/^/pandas script:       wall s, KB, CPU s: /'
  cp "$work/out" "$work/pandas.out"
done

echo "tolvane-cli summary says:"
cat "$work/cli.out"
echo "the pandas script says:"
cat "$work/pandas.out"

cli_s=$(cut -d' ' -f1 "$work/cli" | median)
cli_kb=$(cut -d' ' -f2 "$work/cli" | median)
pd_s=$(cut -d' ' -f1 "$work/pandas" | median)
pd_kb=$(cut -d' ' -f2 "$work/pandas" | median)
cli_cpu=$(cut -d' ' -f3 "$work/cli" | median)
pd_cpu=$(cut -d' ' -f3 "$work/pandas" | median)
# The ratio of each pair, run back to back under the same load.
pair=$(paste -d' ' "$work/cli" "$work/pandas" | awk '{ print $4 / $1 }' | median)
awk -v cs="$cli_s" -v ck="$cli_kb" -v ps="$pd_s" -v pk="$pd_kb" \
    -v cc="$cli_cpu" -v pc="$pd_cpu" -v pair="$pair" \
    -v size="$(stat -c %s "$csv")" 'BEGIN {
  printf "median wall time: tolvane-cli %.2f s, pandas %.2f s: tolvane-cli %.1fx faster (median of the pairs: %.1fx)\n", cs, ps, ps / cs, pair
  printf "median processor time: tolvane-cli %.2f s, pandas %.2f s: %.1fx less\n", cc, pc, pc / cc
  printf "median peak memory: tolvane-cli %.0f MB, pandas %.0f MB: %.2f of pandas, %.2fx the file\n", ck / 1024, pk / 1024, ck / pk, ck * 1024 / size
}'
