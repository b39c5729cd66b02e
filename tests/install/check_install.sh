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
for page in tolvane tolvane-cli tolvane-launch tolvane-sample-service; do
  expect "share/man/man1/$page.1.gz"
done
expect share/doc/tolvane/copyright
expect share/doc/tolvane/changelog.gz

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

# The program alone decides where preferences go; the launcher adds no rule.
if [ -s "$scratch/prefs" ] && [ -n "$(cat "$scratch/prefs")" ]; then
  echo "launcher set TOLVANE_PREFS to $(cat "$scratch/prefs")"; failures=$((failures + 1))
fi

# The package's set-up of the machine-wide folder, run in a scratch root over
# what an earlier version's world-writable folder may hold: a link planted by
# another user must not make root change its target, and nothing in the
# folder may stay writable by others.
if [ "$(id -u)" -eq 0 ]; then
  fake="$scratch/dpkg-root"
  prefs="$fake/var/lib/tolvane"
  mkdir -p "$prefs"
  chmod 0777 "$prefs"
  printf 'secret\n' >"$scratch/victim"
  chmod 0600 "$scratch/victim"
  ln -s "$scratch/victim" "$prefs/prefs.reg"
  touch "$prefs/prefs.reg.lock"
  chown nobody "$prefs/prefs.reg.lock"
  DPKG_ROOT="$fake" sh "$source_dir/resources/debian/postinst" configure
  [ "$(stat -c %a:%U "$prefs")" = "755:root" ] || { echo "folder is $(stat -c %a:%U "$prefs")"; failures=$((failures + 1)); }
  [ "$(stat -c %a "$scratch/victim")" = "600" ] || { echo "postinst changed a link's target"; failures=$((failures + 1)); }
  if [ -n "$(find "$prefs" -maxdepth 1 -mindepth 1 ! -name 'set-aside-*')" ]; then
    echo "planted files left in place: $(ls -A "$prefs")"; failures=$((failures + 1))
  fi
  rm -rf "$prefs"/set-aside-*
  printf 'shared\n' >"$prefs/prefs.reg"
  chmod 0666 "$prefs/prefs.reg"
  DPKG_ROOT="$fake" sh "$source_dir/resources/debian/postinst" configure
  [ "$(stat -c %a "$prefs/prefs.reg")" = "644" ] && [ "$(cat "$prefs/prefs.reg")" = "shared" ] ||
    { echo "shared file of an earlier version not kept read-only"; failures=$((failures + 1)); }
  echo "ok   postinst secures /var/lib/tolvane"
fi

[ "$failures" -eq 0 ] || { echo "$failures install check(s) failed"; exit 1; }
echo "install tree complete"
