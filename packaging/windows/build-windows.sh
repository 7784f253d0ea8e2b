#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make windows: the game, the content tool and the whole test suite
# cross-built for 64-bit Windows against the cached Qt and libraries (built
# first when the cache lacks them), then
#   build-windows/Trefolia/                the folder a school can copy
#   build-windows/trefolia-1.0-windows.zip the same folder zipped
#   build-windows/trefolia-1.0-setup.exe   the installer (NSIS)
# usage: build-windows.sh NATIVE-BUILD-DIR [OUT-DIR]
# The native build gives the content directories (Base/, sets/), which do
# not depend on the platform.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/common.sh"
native=$(cd "${1:?native build directory}" && pwd)
out=${2:-$root/build-windows}
mkdir -p "$out"; out=$(cd "$out" && pwd)
started=$(date +%s)

qt=$("$here/build-qt.sh" | tee /dev/stderr | tail -1)
libs=$("$here/build-libs.sh" | tee /dev/stderr | tail -1)

MINGW=x86_64-w64-mingw32
GCC_RUNTIME=$(dirname "$($MINGW-g++-posix -print-file-name=libstdc++-6.dll)")
version=$(sed -n 's/^project(Trefolia VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

step "Cross-building the game, the content tool and the tests (build dir $out/cmake)"
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -G Ninja -S "$root" -B "$out/cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw64.cmake" \
  -DCMAKE_PREFIX_PATH="$libs" -DTREFOLIA_NATIVE_BUILD_DIR="$native" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh" "${launcher[@]}" > "$out/configure.log" 2>&1 \
  || { tail -40 "$out/configure.log"; exit 1; }
run_ninja "$out/cmake" "$JOBS"

# The folder: the programs, the DLLs they load (found by following the import
# tables through Qt, the libraries and the MinGW runtime; Windows' own are
# left out), the plug-ins Qt loads for them, the content and the documents.
step "Laying out $out/Trefolia"
dest="$out/Trefolia"
rm -rf "$dest"; mkdir -p "$dest"
search=("$qt/bin" "$libs/bin" "$GCC_RUNTIME" "/usr/$MINGW/lib")
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll
         imageformats/qgif.dll imageformats/qico.dll imageformats/qjpeg.dll imageformats/qsvg.dll
         multimedia/windowsmediaplugin.dll)
cp "$out/cmake/trefolia.exe" "$out/cmake/trefolia-content.exe" "$dest/"
for p in "${plugins[@]}"; do
  mkdir -p "$dest/$(dirname "$p")"; cp "$qt/plugins/$p" "$dest/$p"
done
declare -A seen=()
deploy_imports() {
  local dll
  for dll in $($MINGW-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
    [ -z "${seen[${dll,,}]:-}" ] || continue
    seen[${dll,,}]=1
    for d in "${search[@]}"; do
      if [ -f "$d/$dll" ]; then cp "$d/$dll" "$dest/"; deploy_imports "$d/$dll"; break; fi
    done
  done
}
for f in "$dest"/*.exe "${plugins[@]/#/$dest/}"; do deploy_imports "$f"; done
# Debian's MinGW runtime DLLs carry their debugging information (libstdc++
# alone is 23 MB with it); the folder does not need it.
for f in "$dest"/*.exe "$dest"/lib*.dll; do $MINGW-strip --strip-debug "$f"; done
mkdir -p "$dest/translations"
cp "$qt"/translations/*_pl.qm "$dest/translations/"
# Qt finds its plug-ins and translations beside the program, not under the
# prefix it was built for.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' > "$dest/qt.conf"
cp -r "$out/cmake/Base" "$dest/Base"
mkdir -p "$dest/trefolia/zestawy"
cp -r "$out/cmake/sets/zwierzeta" "$dest/trefolia/zestawy/zwierzeta"
find "$dest/Base" "$dest/trefolia" -type d -name '*.poprzedni' -prune -exec rm -rf {} +
cp "$root/docs/zestawy.md" "$dest/Zestawy - przewodnik dla nauczycieli.txt"
cp "$root/LICENSE" "$dest/LICENSE.txt"

step "Zipping the folder"
rm -f "$out/trefolia-$version-windows.zip"
(cd "$out" && zip -qr -X "trefolia-$version-windows.zip" Trefolia)

step "Making the installer"
"$here/make-installer.sh" "$dest" "$out/trefolia-$version-setup.exe" "$version"

took=$(( $(date +%s) - started ))
echo "Windows build done in $((took / 60)) min $((took % 60)) s:"
(cd "$out" && find Trefolia -type f -printf '%10s  %p\n' | sort -k2)
ls -l "$out/trefolia-$version-setup.exe" "$out/trefolia-$version-windows.zip"
