#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds zlib, libpng and libarchive for 64-bit Windows from Debian's
# sources (the versions the Linux build uses), static except libarchive, with
# only what the game needs: libarchive reads and writes zip archives (deflate,
# through zlib) and nothing else. Cached like Qt, keyed by the options:
#   ${TREFOLIA_CACHE:-~/.cache/trefolia}/libs-mingw64-<key>/
# Prints the prefix on its last line; --prefix prints it without building.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

MINGW=x86_64-w64-mingw32
CFLAGS_W="-O2"
# libarchive's only test that runs a program asks whether zlib was built with
# ZLIB_WINAPI (it is not); unanswered, that test crashes CMake 3.25 when
# cross-compiling, so "running" it fails at once (CMAKE_CROSSCOMPILING_EMULATOR).
LIBARCHIVE_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release -DENABLE_ZLIB=ON
  -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF
  -DENABLE_LIBB2=OFF -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LZMA=OFF
  -DENABLE_ZSTD=OFF -DENABLE_BZip2=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF
  -DENABLE_PCREPOSIX=OFF -DENABLE_LibGCC=OFF -DENABLE_ICONV=OFF
  -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_TAR=OFF -DENABLE_CPIO=OFF
  -DENABLE_CAT=OFF -DENABLE_TEST=OFF -DENABLE_INSTALL=ON
)
key=$(printf '%s\n' "$CFLAGS_W" "${LIBARCHIVE_OPTIONS[@]}" | cat - "$here/mingw64.cmake" "$0" | sha256sum | cut -c1-10)
prefix="$TREFOLIA_CACHE/libs-mingw64-$key"
if [ "${1:-}" = --prefix ]; then echo "$prefix"; exit 0; fi
if [ -d "$prefix" ]; then echo "zlib, libpng, libarchive for Windows: cached in $prefix"; echo "$prefix"; exit 0; fi

started=$(date +%s)
partial="$prefix.partial"
rm -rf "$partial"; mkdir -p "$partial"/{include,lib,bin}
work=$(mktemp -d "$TREFOLIA_CACHE/build/libs.XXXXXX")
trap 'rm -rf "$work"' EXIT

step "zlib"
zsrc=$(debian_source zlib)
(cd "$work" && for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
                       inflate inftrees trees uncompr zutil; do
   nice -n 19 $MINGW-gcc-posix $CFLAGS_W -c "$zsrc/$c.c" -o "zlib-$c.o" || exit 1
 done && $MINGW-ar rcs "$partial/lib/libz.a" zlib-*.o)
cp "$zsrc/zlib.h" "$zsrc/zconf.h" "$partial/include/"

step "libpng"
psrc=$(debian_source libpng1.6)
mkdir -p "$work/png"
(cd "$work/png" && "$psrc/configure" -q --host=$MINGW --prefix="$partial" --disable-shared --enable-static \
   CC=$MINGW-gcc-posix CFLAGS="$CFLAGS_W" CPPFLAGS="-I$partial/include" LDFLAGS="-L$partial/lib" > configure.log 2>&1 \
 && nice -n 19 make -s -j "$JOBS" install > make.log 2>&1) || { tail -30 "$work"/png/*.log; exit 1; }

step "libarchive"
asrc=$(debian_source libarchive)
(nice -n 19 cmake -G Ninja -S "$asrc" -B "$work/archive" -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" \
   -DCMAKE_PREFIX_PATH="$partial" -DCMAKE_INSTALL_PREFIX="$partial" "${LIBARCHIVE_OPTIONS[@]}" \
   -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false > "$work/archive.log" 2>&1 \
 && nice -n 19 cmake --build "$work/archive" -j "$JOBS" >> "$work/archive.log" 2>&1 \
 && cmake --install "$work/archive" >> "$work/archive.log" 2>&1) || { tail -40 "$work/archive.log"; exit 1; }
# The game links the DLL; the static copy would only be picked up by mistake.
rm -f "$partial/lib/libarchive_static.a"

mv "$partial" "$prefix"
took=$(( $(date +%s) - started ))
echo "zlib, libpng, libarchive for Windows built in $((took / 60)) min $((took % 60)) s; $(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
