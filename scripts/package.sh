#!/usr/bin/env bash
# Builds the Debian package (build-package/tolvane_1.6_*.deb). With --check it
# then runs lintian on it (any error or warning fails), unpacks it into a
# scratch root, checks its control fields and parses a golden page with the
# installed tolvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

build=build-package
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DTOLVANE_BUILD_TESTS=OFF -DTOLVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tolvane_*.deb | head -n 1)
echo "package: $deb"

[ "${1:-}" = "--check" ] || exit 0

failures=0

# Debian's own checks of the package, pedantic ones included: errors and
# warnings fail, the rest is shown.
if command -v lintian >/dev/null; then
  lintian_out=$(lintian --pedantic --tag-display-limit 0 "$deb" 2>&1) || true
  echo "lintian: ${lintian_out:-no tags}"
  if grep -Eq '^[EW]: ' <<<"$lintian_out"; then
    echo "lintian reports errors or warnings"
    failures=$((failures + 1))
  fi
else
  echo "lintian is missing (scripts/deps.sh installs it)"
  failures=$((failures + 1))
fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "tolvane" ] || { echo "Package is $(field Package)"; failures=$((failures + 1)); }
[ "$(field Version)" = "1.6" ] || { echo "Version is $(field Version)"; failures=$((failures + 1)); }
depends=$(field Depends)
for needed in libqt6widgets6 libqt6network6 libqt6printsupport6 libqt6charts6 libqt6svg6 libasound2 libstdc++6 qt6-qpa-plugins ca-certificates; do
  case "$depends" in
    *"$needed"*) ;;
    *) echo "Depends lacks $needed: $depends"; failures=$((failures + 1)) ;;
  esac
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch"
for f in usr/bin/tolvane usr/bin/tolvane-cli usr/bin/tolvane-sample-service \
         usr/bin/tolvane-launch usr/share/tolvane/sound01.wav \
         usr/share/applications/tolvane.desktop; do
  [ -e "$scratch/$f" ] || { echo "package lacks /$f"; failures=$((failures + 1)); }
done

# The installed command-line tool reads a golden page exactly as the tests do.
checked=0
for case_dir in tests/data/pages/*/; do
  [ -f "$case_dir/page.htm" ] && [ -f "$case_dir/expected.csv" ] || continue
  if LC_ALL=C.UTF-8 "$scratch/usr/bin/tolvane-cli" parse "$case_dir/page.htm" \
      | cmp -s - "$case_dir/expected.csv"; then
    checked=$((checked + 1))
  else
    echo "installed tolvane-cli parse differs on $case_dir"
    failures=$((failures + 1))
  fi
done
echo "installed tolvane-cli parsed $checked golden page(s)"

[ "$failures" -eq 0 ] || { echo "$failures package check(s) failed"; exit 1; }
echo "package checks passed"
