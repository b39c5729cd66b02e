#!/usr/bin/env bash
# Installs the build into a scratch root and checks what a desktop user gets:
# the binaries, the shared files, the desktop entry, and the launcher's
# first-start set-up in a temporary home.
set -euo pipefail
build=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null

failures=0
expect() {
  if [ -e "$scratch/root/usr/$1" ]; then echo "ok   $1"
  else echo "MISSING $1"; failures=$((failures + 1)); fi
}

expect bin/tolvane-cli
expect bin/tolvane-sample-service
expect bin/tolvane-launch
[ "${TOLVANE_BUILD_GUI:-1}" = "1" ] && expect bin/tolvane
expect share/tolvane/sound01.wav
expect share/tolvane/tolvane.svg
expect share/icons/hicolor/scalable/apps/tolvane.svg
expect share/applications/tolvane.desktop
expect share/man/man1/tolvane-cli.1

desktop="$scratch/root/usr/share/applications/tolvane.desktop"
if [ -f "$desktop" ]; then
  grep -q '^Exec=tolvane-launch' "$desktop" || { echo "desktop entry does not start the launcher"; failures=$((failures + 1)); }
  grep -q '^Categories=.*\(Office\|Finance\)' "$desktop" || { echo "desktop entry has no Office or Finance category"; failures=$((failures + 1)); }
  grep -q '^Icon=tolvane$' "$desktop" || { echo "desktop entry names no icon"; failures=$((failures + 1)); }
fi

# First start from the menu: the working folder is made, the pop copied in,
# and the program runs there, not in the home folder.
home="$scratch/home"
mkdir -p "$home"
probe="$scratch/probe"
cat > "$probe" <<PROBE
#!/bin/sh
pwd > "$scratch/started-in"
echo "\$TOLVANE_PREFS" > "$scratch/prefs"
PROBE
chmod +x "$probe"
HOME="$home" XDG_DATA_HOME= XDG_CONFIG_HOME= TOLVANE_PREFS= \
  TOLVANE_PROGRAM="$probe" \
  TOLVANE_SHARE="$scratch/root/usr/share/tolvane" \
  "$scratch/root/usr/bin/tolvane-launch"
work="$home/.local/share/tolvane"
if [ "$(cat "$scratch/started-in")" = "$work" ]; then echo "ok   launcher starts in $work"
else echo "launcher started in $(cat "$scratch/started-in")"; failures=$((failures + 1)); fi
if cmp -s "$work/sound01.wav" "$scratch/root/usr/share/tolvane/sound01.wav"; then echo "ok   sound01.wav copied"
else echo "sound01.wav not copied"; failures=$((failures + 1)); fi
if [ -n "$(ls -A "$home" | grep -v '^\.local$' | grep -v '^\.config$')" ]; then
  echo "launcher littered the home folder: $(ls -A "$home")"; failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] || { echo "$failures install check(s) failed"; exit 1; }
echo "install tree complete"
