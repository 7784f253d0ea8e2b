#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Qt 6.4.2 for 64-bit Windows from Debian's own sources (the
# version the Linux build uses), only the modules and features the game needs:
# qtbase (Core, Gui, Widgets, Network for Multimedia, Test, the windows and
# offscreen platform plug-ins, png/jpeg/gif/ico image formats), Qt SVG and
# qtmultimedia (QSoundEffect on the Windows audio backend). Debian's host Qt
# provides moc, rcc, uic and the other build tools (QT_HOST_PATH=/usr).
# Debian's mirror has no source of qt6-svg: Qt SVG is built from Debian's
# qtsvg-opensource-src 5.15.8 brought to Qt 6 (see qtsvg/CMakeLists.txt).
#
# The result is cached outside the clone, keyed by the Qt version and every
# option below:  ${TREFOLIA_CACHE:-~/.cache/trefolia}/qt-6.4.2-mingw64-<key>/
# Each module is built in its own directory (kept, so that an interrupted
# build resumes), installed into <prefix>.partial, and the prefix appears by
# one rename when every module is in. Prints the prefix on its last line.
#
#   packaging/windows/build-qt.sh            build unless cached
#   packaging/windows/build-qt.sh --prefix   print the prefix and exit
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

QT_VERSION=6.4.2
QTBASE_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  # Debian's source lacks wintab.h, which the Windows plug-in needs for tablets.
  # (qtbase.patch: without OpenGL the plug-in must not ask about dynamic GL.)
  -DFEATURE_tabletevent=OFF
  # Not used by the game, the tests, Svg or Multimedia: not built.
  -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_sctp=OFF -DFEATURE_networklistmanager=OFF
  -DFEATURE_androiddeployqt=OFF -DFEATURE_qmake=OFF
  # Third-party code from Qt's own tree, not from the host.
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)
QTSVG_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)
QTMULTIMEDIA_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  # The Windows Media Foundation / WASAPI backend only.
  -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF -DFEATURE_spatialaudio=OFF
)

key_of() { printf '%s\n' "$QT_VERSION" "$@" | cat - "$here/mingw64.cmake" | sha256sum | cut -c1-10; }
# A module's build directory is keyed by its configure options (a changed
# patch only recompiles what it touches there); the prefix by everything.
base_key=$(key_of "${QTBASE_OPTIONS[@]}")
svg_key=$(key_of "$base_key" "$(cat "$here/qtbase.patch")" "${QTSVG_OPTIONS[@]}")
mm_key=$(key_of "$svg_key" "${QTMULTIMEDIA_OPTIONS[@]}")
prefix_key=$(key_of "$mm_key" "$(cat "$here/qtsvg.patch" "$here/qtsvg/CMakeLists.txt" "$here/qtmultimedia.patch")")
prefix="$TREFOLIA_CACHE/qt-$QT_VERSION-mingw64-$prefix_key"

if [ "${1:-}" = --prefix ]; then echo "$prefix"; exit 0; fi
if [ -d "$prefix" ]; then
  echo "Qt $QT_VERSION for Windows: cached in $prefix"
  echo "$prefix"; exit 0
fi

echo "Qt $QT_VERSION for Windows is not cached: building it (about 1.5 to 2 hours on two cores)."
started=$(date +%s)
partial="$prefix.partial"
rm -rf "$partial"

# build_module NAME SOURCE-PACKAGE KEY CONFIGURE-COMMAND...: the project is
# the Debian source itself, or packaging/windows/NAME/ when that exists (it is
# then given the Debian source as NAME_SOURCE_DIR, upper case).
build_module() {
  local name=$1 package=$2 key=$3; shift 3
  local src project bdir="$TREFOLIA_CACHE/build/$name-$key"
  src=$(debian_source "$package")
  [ ! -f "$here/$name.patch" ] || apply_patch_once "$src" "$here/$name.patch"
  project=(-S "$src")
  [ ! -d "$here/$name" ] || project=(-S "$here/$name" "-D${name^^}_SOURCE_DIR=$src")
  mkdir -p "$bdir"
  if [ ! -f "$bdir/build.ninja" ]; then
    step "$name: configuring ($bdir)"
    (cd "$bdir" && "$@" "${project[@]}" > configure.log 2>&1) || { tail -40 "$bdir/configure.log"; exit 1; }
  fi
  step "$name: building (log: $bdir/build.log)"
  run_ninja "$bdir" "$JOBS"
  step "$name: installing into $partial"
  # A module's build directory serves every prefix its own options lead to:
  # the prefix is given at install time.
  cmake --install "$bdir" --prefix "$partial" > "$bdir/install.log" 2>&1 || { tail -20 "$bdir/install.log"; exit 1; }
}

cross=(cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_INSTALL_PREFIX="$partial")
build_module qtbase qt6-base "$base_key" "${cross[@]}" "${QTBASE_OPTIONS[@]}"
# The modules over qtbase are configured through the partial prefix's qt-cmake
# toolchain, as Qt's own modules are; their build directories name that
# prefix, so they are keyed by it too.
modcross=(cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$partial/lib/cmake/Qt6/qt.toolchain.cmake"
          -DCMAKE_INSTALL_PREFIX="$partial")
build_module qtsvg qtsvg-opensource-src "$svg_key-$prefix_key" "${modcross[@]}" "${QTSVG_OPTIONS[@]}"
build_module qtmultimedia qt6-multimedia "$mm_key-$prefix_key" "${modcross[@]}" "${QTMULTIMEDIA_OPTIONS[@]}"

# The Polish translations of Qt's own texts ("Tak", "Nie") do not depend on
# the architecture: Debian's are copied.
mkdir -p "$partial/translations"
cp /usr/share/qt6/translations/qtbase_pl.qm /usr/share/qt6/translations/qt_pl.qm \
   /usr/share/qt6/translations/qtmultimedia_pl.qm "$partial/translations/" 2>/dev/null || true
mv "$partial" "$prefix"
took=$(( $(date +%s) - started ))
echo "Qt $QT_VERSION for Windows built in $((took / 60)) min $((took % 60)) s; $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
