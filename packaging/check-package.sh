#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that `make package` built in the build directory
# given: Debian's own checks (lintian, the AppStream and desktop-entry
# validators) on what the package ships, then the game started from the
# package unpacked into a scratch root, as /usr/games/trefolia, on the
# offscreen platform. Any failure ends the check with a non-zero status.
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

echo "== the shipped content"
"$root/usr/bin/trefolia-content" check "$root/usr/share/trefolia/Base" || fail "the shipped content is damaged"

# The game finds Base beside its own resolved path, so this run proves both
# links. A refused start-up check waits in its message box for ever on the
# offscreen platform; the time limit turns that into a failure.
echo "== the game from $root/usr/games/trefolia"
status=0
output=$(cd / && timeout 60 env QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 TREFOLIA_EXIT_WHEN_SHOWN=1 \
    "$root/usr/games/trefolia" 2>&1) || status=$?
printf '%s\n' "$output"
if [ "$status" -eq 124 ]; then
    fail "the game did not show its main window within 60 s (a start-up check refused it: content not found?)"
fi
[ "$status" -eq 0 ] || fail "the game ended with status $status"
printf '%s\n' "$output" | grep -q '^shown-at-ns ' || fail "the game ended without showing its main window"
echo "check-package: $deb passed"
