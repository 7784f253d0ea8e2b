#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make check-windows: the Windows build checked under wine.
#  1. every test suite of the cross build under wine on the offscreen
#     platform (CTest with wine as the emulator), as many as on Linux but
#     for the exclusions below;
#  2. the game from build-windows/Trefolia/ (its own DLLs only) under wine in
#     Xvfb, level 3 dealt from the keyboard, a screenshot taken
#     (build-windows/check/level3.png) and refused when it is one colour;
#  3. the installer run silently under wine, the installed game started, a
#     set of a user's put beside it, the game uninstalled; the files of the
#     wine prefix before, after installing and after uninstalling are listed
#     in build-windows/check/, and the check fails unless the uninstall left
#     exactly the files there were before, plus the user's set.
# usage: check-windows.sh NATIVE-BUILD-DIR WINDOWS-DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
native=$(cd "$1" && pwd); out=$(cd "$2" && pwd)
check="$out/check"; rm -rf "$check"; mkdir -p "$check"
started=$(date +%s)

# Suites not run under wine, each with its reason (a CTest regular expression).
EXCLUDED=''

# A wine prefix of this check alone, made fresh.
export WINEPREFIX="$check/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine || echo /usr/lib/wine/wine64)
step "Making a wine prefix ($WINEPREFIX)"
"$wine" wineboot -i > "$check/wineboot.log" 2>&1; wineserver -w

step "1. The suites under wine"
linux_count=$(cd "$native" && ctest -N | sed -n 's/^Total Tests: //p')
exclude=(); [ -z "$EXCLUDED" ] || exclude=(-E "$EXCLUDED")
set +e
(cd "$out/cmake" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" --timeout 600 "${exclude[@]}") \
  2>&1 | tee "$check/ctest.log" | grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|tests failed'
suite=${PIPESTATUS[0]}
set -e
windows_count=$(cd "$out/cmake" && ctest -N | sed -n 's/^Total Tests: //p')
echo "Suites: $windows_count in the Windows build, $linux_count in the Linux build (excluded under wine: ${EXCLUDED:-none})"
[ "$suite" = 0 ] || { echo "Suites failed under wine (log: $check/ctest.log)" >&2; exit 1; }
[ "$windows_count" = "$linux_count" ] || { echo "The Windows build has not every suite" >&2; exit 1; }

# The deployed programs are run with no path to the build's DLLs: what they
# need must be in their folder.
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3> "$check/display" > "$check/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$check/display" ] && break; sleep 0.2; done
export DISPLAY=":$(cat "$check/display")"

# wait_window TITLE SECONDS: the id of the visible window TITLE, once it is there.
wait_window() {
  local id
  for _ in $(seq "$2"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 1
  done
  return 1
}
# shoot NAME: a screenshot of the whole display, refused when it is blank.
shoot() {
  import -window root "$check/$1.png"
  local colours
  colours=$(convert "$check/$1.png" -format '%k' info:)
  echo "   screenshot $check/$1.png: $colours colours"
  [ "$colours" -gt 16 ] || { echo "The screenshot is blank" >&2; exit 1; }
}

step "2. The game under wine in Xvfb, level 3"
(cd "$out/Trefolia" && exec "$wine" ./trefolia.exe) > "$check/game.log" 2>&1 &
game=$!
window=$(wait_window '^Trefolia$' 120) || { echo "No game window within two minutes (log: $check/game.log)" >&2; exit 1; }
sleep 4  # the splash fades
xdotool windowfocus --sync "$window" 2>/dev/null || true
shoot started
xdotool key 3
sleep 3
shoot level3
# The deal must have changed the window.
changed=$(compare -metric AE "$check/started.png" "$check/level3.png" null: 2>&1 || true)
echo "   pixels changed by dealing level 3: $changed"
awk -v n="${changed%% *}" 'BEGIN { exit !(n + 0 > 5000) }' || { echo "Dealing level 3 changed nothing on the screen" >&2; exit 1; }
xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" alt+F4 || true
wait $game || true
wineserver -w

step "3. The installer under wine"
listing() { (cd "$WINEPREFIX/drive_c" && find . -type f ! -path './users/*/Temp/*' ! -path './windows/*' | sort); }
listing > "$check/files-before.txt"
"$wine" "$out/trefolia-1.0-setup.exe" /S > "$check/setup.log" 2>&1; wineserver -w
listing > "$check/files-installed.txt"
comm -13 "$check/files-before.txt" "$check/files-installed.txt" > "$check/installed.txt"
echo "   installed $(wc -l < "$check/installed.txt") files:"; sed 's/^/     /' "$check/installed.txt" | head -20
[ "$(wc -l < "$check/installed.txt")" -gt 0 ] || { echo "The installer installed nothing" >&2; exit 1; }
instdir=$(dirname "$(grep '/trefolia\.exe$' "$check/installed.txt" | head -1)")
grep -q 'Start Menu/Programs/Trefolia/Trefolia - zwierzęta.lnk$' "$check/installed.txt" \
  || { echo "No Start-menu entry for the animal set" >&2; exit 1; }
# The installed game, started and shown (it prints when its window is up).
(cd "$WINEPREFIX/drive_c/$instdir" && TREFOLIA_EXIT_WHEN_SHOWN=1 timeout 120 "$wine" ./trefolia.exe --set zwierzeta) \
  > "$check/installed-game.log" 2>&1 || true
grep -q '^shown-at-ns' "$check/installed-game.log" \
  || { echo "The installed game did not show its window (log: $check/installed-game.log)" >&2; exit 1; }
echo "   the installed game started with the animal set and showed its window"
# A set of the user's own, which the uninstaller must leave.
own="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/trefolia/zestawy/mój zestaw"
mkdir -p "$own"; cp "$out/Trefolia/Base/E.bt" "$own/"
listing > "$check/files-with-own-set.txt"
"$wine" "$WINEPREFIX/drive_c/$instdir/odinstaluj.exe" /S > "$check/uninstall.log" 2>&1; wineserver -w
sleep 2; wineserver -w
listing > "$check/files-after.txt"
comm -13 "$check/files-before.txt" "$check/files-after.txt" > "$check/left.txt"
echo "   after uninstalling, beyond the files before: $(cat "$check/left.txt" | tr '\n' ' ')"
[ "$(cat "$check/left.txt")" = "./users/$(id -un)/AppData/Local/trefolia/zestawy/mój zestaw/E.bt" ] \
  || { echo "The uninstaller left files of its own or removed the user's set (see $check/left.txt)" >&2; exit 1; }
comm -23 "$check/files-before.txt" "$check/files-after.txt" > "$check/lost.txt"
[ ! -s "$check/lost.txt" ] || { echo "The uninstaller removed files it had not installed ($check/lost.txt)" >&2; exit 1; }

took=$(( $(date +%s) - started ))
echo "check-windows passed in $((took / 60)) min $((took % 60)) s: $windows_count suites under wine, the game dealt level 3 in Xvfb, installed, started and uninstalled cleanly."
