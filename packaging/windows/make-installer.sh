#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make-installer.sh FOLDER SETUP.EXE VERSION: the NSIS installer of the laid
# out folder. The lists of files to install and to remove are made from the
# folder itself, so the uninstaller removes exactly what was installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$1" && pwd); outfile=$2; version=$3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
win() { echo "${1//\//\\}"; }
(cd "$src"
 find . -mindepth 1 -type d | sed 's#^\./##' | sort | while read -r d; do
   echo "CreateDirectory \"\$INSTDIR\\$(win "$d")\""
 done
 find . -type f | sed 's#^\./##' | sort | while read -r f; do
   echo "File \"/oname=\$INSTDIR\\$(win "$f")\" \"$src/$f\""
 done) > "$work/files.nsh"
(cd "$src"
 find . -type f | sed 's#^\./##' | sort | while read -r f; do echo "Delete \"\$INSTDIR\\$(win "$f")\""; done
 find . -mindepth 1 -type d | sed 's#^\./##' | sort -r | while read -r d; do echo "RMDir \"\$INSTDIR\\$(win "$d")\""; done
) > "$work/remove.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DSOURCE="$src" -DOUTFILE="$(realpath -m "$outfile")" -DVERSION="$version" \
  -DFILES="$work/files.nsh" -DREMOVE="$work/remove.nsh" "$here/trefolia.nsi"
