#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the cross build under wine (CTest's emulator):
# with the cached Qt's and libraries' DLLs and the MinGW runtime on its path,
# in a wine prefix of the project's own under the cache, quietly.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
MINGW=x86_64-w64-mingw32
winpath() { echo "Z:${1//\//\\}"; }
qt=$("$here/build-qt.sh" --prefix)
libs=$("$here/build-libs.sh" --prefix)
runtime=$(dirname "$($MINGW-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="$(winpath "$qt/bin");$(winpath "$libs/bin");$(winpath "$runtime");$(winpath "/usr/$MINGW/lib")"
export WINEPREFIX=${WINEPREFIX:-$TREFOLIA_CACHE/wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs when the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine=$(command -v wine || echo /usr/lib/wine/wine64)
exec "$wine" "$@"
