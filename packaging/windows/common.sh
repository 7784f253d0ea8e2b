# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the Windows build scripts: the cache, Debian's sources, progress.
TREFOLIA_CACHE=${TREFOLIA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/trefolia}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
mkdir -p "$TREFOLIA_CACHE/src" "$TREFOLIA_CACHE/build"

step() { echo "[$(date +%H:%M:%S)] $*"; }

# apt-get source needs deb-src entries for the suites the system's packages
# come from (the security updates too, so that the sources carry the same
# fixes as the installed libraries); they are added beside the deb entries,
# with the same mirrors and key.
ensure_deb_src() {
  local f=/etc/apt/sources.list.d/trefolia-deb-src.sources
  if apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources; then return; fi
  # On standard error: debian_source's caller reads its standard output.
  step "Adding a deb-src entry for bookworm ($f)" >&2
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
    'Suites: bookworm bookworm-updates' 'Components: main' \
    'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' '' \
    'Types: deb-src' 'URIs: http://deb.debian.org/debian-security' \
    'Suites: bookworm-security' 'Components: main' \
    'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $SUDO tee "$f" > /dev/null
  $SUDO apt-get update -qq >&2
}

# debian_source PACKAGE: unpacks Debian's source of PACKAGE (with Debian's
# patches) under the cache once, and prints its directory.
debian_source() {
  local package=$1 dir
  dir=$(find "$TREFOLIA_CACHE/src" -maxdepth 1 -type d -name "$package-[0-9]*" | sort | tail -1)
  if [ -z "$dir" ]; then
    ensure_deb_src
    (cd "$TREFOLIA_CACHE/src" && apt-get source -qq "$package" > /dev/null 2>&1) \
      || { echo "apt-get source $package failed" >&2; exit 1; }
    dir=$(find "$TREFOLIA_CACHE/src" -maxdepth 1 -type d -name "$package-[0-9]*" | sort | tail -1)
  fi
  echo "$dir"
}

# apply_patch_once SOURCE PATCH: applies the project's patch to a Debian
# source once; the stamp keeps the patch applied, so that a changed patch
# replaces it (the old one reversed first).
apply_patch_once() {
  local stamp="$1/.trefolia-$(basename "$2").applied"
  if [ -f "$stamp" ]; then
    cmp -s "$stamp" "$2" && return
    patch -d "$1" -p1 -R -s < "$stamp"
  fi
  patch -d "$1" -p1 -s < "$2"
  cp "$2" "$stamp"
}

# run_ninja BUILD-DIR JOBS: builds, printing a line at every 5 % of the steps
# (the whole output goes to BUILD-DIR/build.log).
run_ninja() {
  local bdir=$1 jobs=$2
  NINJA_STATUS='[%f/%t] ' nice -n 19 ninja -C "$bdir" -j "$jobs" > "$bdir/build.log" 2>&1 &
  local pid=$! last=-5
  while kill -0 $pid 2>/dev/null; do
    sleep 20
    local p
    p=$(grep -ao '^\[[0-9]*/[0-9]*\]' "$bdir/build.log" | tail -1 | tr -d '[]' | awk -F/ '$2 {print int($1*100/$2)}' || true)
    if [ -n "$p" ] && [ "$p" -ge $((last + 5)) ]; then last=$p; step "  $p %"; fi
  done
  if ! wait $pid; then
    grep -a -B2 -A12 'FAILED:' "$bdir/build.log" | head -60
    echo "Build failed; the whole log is $bdir/build.log" >&2
    exit 1
  fi
}
