#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that `make package` built in the build directory
# given: Debian's own checks (lintian, the AppStream and desktop-entry
# validators) on what the package ships, then the game started from the
# package unpacked into a scratch root, as /usr/games/trefolia, on the
# offscreen platform: without a choice, and with each set the desktop entry
# offers, found through XDG_DATA_DIRS. Any failure ends the check with a
# non-zero status.
set -eu

build_dir=${1:?usage: check-package.sh <build directory>}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
deb="$build_dir/trefolia_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "check-package: no package $deb (run make package)" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT INT TERM

fail() { echo "check-package: $*" >&2; exit 1; }

echo "== lintian $deb"
# A warning fails as an error does: every one that is kept has its reasoned
# override in packaging/lintian-overrides.
lintian --display-info --fail-on error,warning "$deb" || fail "lintian found errors or warnings"

dpkg-deb -x "$deb" "$root"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "the AppStream metainfo is not valid"

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/trefolia.desktop" || fail "the desktop entry is not valid"

sets="$root/usr/share/trefolia/zestawy"
for name in owoce zwierzeta; do
    echo "== the shipped set $name"
    "$root/usr/bin/trefolia-content" check "$sets/$name" || fail "the shipped set $name is damaged"
done
[ "$(readlink "$root/usr/lib/trefolia/Base")" = ../../share/trefolia/zestawy/owoce ] ||
    fail "Base beside the game is not the relative link to the fruit set"
[ -s "$root/usr/share/doc/trefolia/zestawy.md.gz" ] || fail "the teachers' guide is not shipped"

# The sets are found as on an installed system, through the XDG data
# directories, but in the unpacked root; no set of the user running the
# check may come in between.
home=$root/home-data
mkdir "$home"
play() {
    cd / && timeout 60 env QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 TREFOLIA_EXIT_WHEN_SHOWN=1 \
        XDG_DATA_HOME="$home" XDG_DATA_DIRS="$root/usr/share" "$@" </dev/null
}

echo "== trefolia --list-sets"
listed=$(play "$root/usr/games/trefolia" --list-sets) || fail "--list-sets ended with an error"
printf '%s\n' "$listed"
expected=$(printf 'owoce\t%s/owoce\nzwierzeta\t%s/zwierzeta' "$sets" "$sets")
[ "$listed" = "$expected" ] || fail "--list-sets does not list exactly the shipped sets owoce and zwierzeta"
status=0
play "$root/usr/games/trefolia" --set nieznany >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "an unknown set was not refused (status $status)"

# The game finds Base beside its own resolved path, so the run without a
# choice proves both links. A refused start-up check waits in its message
# box for ever on the offscreen platform; the time limit turns that into a
# failure. Then every command of the desktop entry, its actions too.
commands=$( (echo /usr/games/trefolia; sed -n 's/^Exec=//p' "$root/usr/share/applications/trefolia.desktop") |
    sort -u)
printf '%s\n' "$commands" | grep -q -- '--set zwierzeta$' || fail "the desktop entry offers no animal set"
while read -r program arguments; do
    echo "== the game: $program $arguments"
    status=0
    # shellcheck disable=SC2086 # the entry's arguments are words
    output=$(play "$root$program" $arguments 2>&1) || status=$?
    printf '%s\n' "$output"
    if [ "$status" -eq 124 ]; then
        fail "the game did not show its main window within 60 s (a start-up check refused it: content not found?)"
    fi
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
    printf '%s\n' "$output" | grep -q '^shown-at-ns ' || fail "the game ended without showing its main window"
done <<EOF
$commands
EOF
echo "check-package: $deb passed"
