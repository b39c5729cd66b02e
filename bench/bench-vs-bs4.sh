#!/bin/bash
# Today's sold-listings page reader against BeautifulSoup with lxml doing the
# same extraction (bench/sold_page_bs4.py), side by side in one run, on one
# page from bench/make_sold_page.py (LISTINGS cards, default 240: about 2 MB).
# Prints each side's milliseconds per page, wall and processor time, and the
# ratios.
#
# usage: bench/bench-vs-bs4.sh [LISTINGS] [RUNS]
# Needs a Release build of tolvane-bench in build-rel (see bench/README.md);
# installs python3-bs4 and python3-lxml from Debian when they are missing.
set -euo pipefail

listings=${1:-240}
runs=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
bench=${TOLVANE_BENCH:-$root/build-rel/bench/tolvane-bench}
python=/usr/bin/python3

if [ ! -x "$bench" ]; then
  echo "no $bench: build it first (cmake --build build-rel --target tolvane-bench)" >&2
  exit 1
fi
if ! "$python" -c 'import bs4, lxml' 2>/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y python3-bs4 python3-lxml >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page=$work/page.htm
"$python" "$root/bench/make_sold_page.py" "$listings" "$page"
echo "page: $listings listings, $(stat -c %s "$page") bytes"

TOLVANE_SOLD_PAGE=$page "$bench" --benchmark_filter='^BM_ParseSoldPage$' \
  --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/tolvane.json" 2>/dev/null
"$python" "$root/bench/sold_page_bs4.py" "$page" "$runs" >"$work/bs4.txt"

"$python" - "$work/tolvane.json" "$work/bs4.txt" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = next(r for r in runs if r.get("aggregate_name") == "median")
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[median["time_unit"]]
t_wall, t_cpu = median["real_time"] * scale, median["cpu_time"] * scale
bs4 = dict(line.split() for line in open(sys.argv[2]))
b_wall, b_cpu = float(bs4["wall_ms"]), float(bs4["cpu_ms"])
print("tolvane reader:     %d listings, %.2f ms per page (%.2f ms processor time)"
      % (median["listings"], t_wall, t_cpu))
print("BeautifulSoup+lxml: %s listings, %.2f ms per page (%.2f ms processor time)"
      % (bs4["listings"], b_wall, b_cpu))
if int(median["listings"]) != int(bs4["listings"]):
    sys.exit("the two found different numbers of listings: not the same extraction")
print("tolvane is %.0fx faster (%.0fx less processor time)" % (b_wall / t_wall, b_cpu / t_cpu))
PY
