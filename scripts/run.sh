#!/usr/bin/env bash
# Builds the program and the sample service, starts the service on a free
# loopback port, starts the program in a real window pointed at it, and stops
# the service when the program ends. The program searches today's sold
# listings on the service (TOLVANE_MARKETPLACE), and the classic
# completed-items pages when chosen in Options. Arguments go to the program;
# TOLVANE_SAMPLE_ARGS goes to the service (for instance "--layout list",
# "--latency-ms 300" or "--fault challenge").
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

build="$root/build-run"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tolvane tolvane-sample-service

# The program finds its pop sound and writes its capture file in the folder
# it runs in.
work="$build/work"
mkdir -p "$work"
cp resources/sound01.wav "$work/"

service_out="$work/sample-service.out"
: >"$service_out"
# shellcheck disable=SC2086
"$build/tools/sample-service/tolvane-sample-service" --port 0 \
  --log "$work/sample-service.log" ${TOLVANE_SAMPLE_ARGS:-} >"$service_out" &
service=$!
trap 'kill "$service" 2>/dev/null || true; wait "$service" 2>/dev/null || true' EXIT

line=""
for _ in $(seq 200); do
  line=$(head -n 1 "$service_out")
  [[ $line == listening* ]] && break
  kill -0 "$service" 2>/dev/null || break
  sleep 0.05
done
if [[ $line != listening* ]]; then
  echo "run.sh: the sample service did not start" >&2
  exit 1
fi
address=${line#listening on }
echo "run.sh: sample service on http://$address (requests in $work/sample-service.log)"

export TOLVANE_MARKETPLACE="http://$address"
export TOLVANE_SEARCH_SERVICE="http://$address"
export TOLVANE_ITEM_HOST="$address"
export TOLVANE_HELP_PAGES="http://$address"
export TOLVANE_ONLINE_HELP="http://$address/tolvane/help.htm"
export TOLVANE_SUPPORT="http://$address/support.htm"

# Preferences follow the program's own rule: the machine-wide file, with the
# user's own file (~/.config/tolvane/prefs.reg) over it for a user who may not
# write it; TOLVANE_PREFS, when set, names one file to use alone.

cd "$work"
"$build/src/gui/tolvane" "$@"
