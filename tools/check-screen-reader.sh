#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the game with the real Orca listening, on a display of its own, and
# checks what Orca said (tools/screen_reader_check.py holds the game and the
# checks). Everything runs in a private directory: an Xvfb display, a D-Bus
# session, the AT-SPI bus, speech-dispatcher speaking through espeak-ng into
# ALSA's null device (no sound card, no sound server), Orca with its debug
# log, then the game. Only the processes started here are stopped.
#
#   tools/check-screen-reader.sh [BUILD_DIR]
# Keeps the logs in BUILD_DIR/screen-reader/ (orca.log, game.log, ...).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
tools=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3   # the system's, where pyatspi and speechd live

if [ "${TREFOLIA_IN_SESSION:-}" != 1 ]; then
    out="$build/screen-reader"
    rm -rf "$out"
    mkdir -p "$out/home" "$out/run"
    chmod 700 "$out/run"
    # A free display number of its own: other users' displays stay untouched.
    exec 3<> "$out/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$out/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [ -s "$out/display" ] && break
        sleep 0.1
    done
    display=":$(head -n1 "$out/display")"
    [ "$display" != ":" ] || { echo "Xvfb nie wystartował (zob. $out/xvfb.log)" >&2; exit 1; }
    status=0
    env -i PATH="$PATH" LANG=C.UTF-8 DISPLAY="$display" HOME="$out/home" XDG_RUNTIME_DIR="$out/run" \
        XDG_CONFIG_HOME="$out/home/.config" XDG_DATA_HOME="$out/home/.local/share" \
        XDG_CACHE_HOME="$out/home/.cache" TREFOLIA_IN_SESSION=1 \
        dbus-run-session -- "$0" "$build" || status=$?
    exit "$status"
fi

# ---- inside the D-Bus session
out="$build/screen-reader"
pids=()
stop_all() {
    # Last started, first stopped; Orca first gets SIGINT, its gentle way out.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
}
trap stop_all EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
pids+=($!)

# speech-dispatcher from a copy of its configuration: espeak-ng, ALSA's null device.
mkdir -p "$out/speechd"
cp -r /etc/speech-dispatcher/. "$out/speechd/"
cat >>"$out/speechd/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
DefaultModule espeak-ng
EOF
socket="$out/run/speechd.sock"
speech-dispatcher -s -t 0 -C "$out/speechd" -S "$socket" -L "$out" >"$out/speechd.log" 2>&1 &
pids+=($!)
export SPEECHD_ADDRESS="unix_socket:$socket"
for _ in $(seq 100); do
    [ -S "$socket" ] && break
    sleep 0.1
done

"$python" "$tools/screen_reader_check.py" orca "$out/orca.log" >"$out/orca.out" 2>&1 &
orca=$!
pids+=($orca)

status=0
"$python" "$tools/screen_reader_check.py" play "$out/orca.log" "$build/trefolia" "$out/game.log" || status=$?
# Orca ends on SIGINT after saying goodbye; its log is then complete.
kill -INT "$orca" 2>/dev/null || true
for _ in $(seq 50); do
    kill -0 "$orca" 2>/dev/null || break
    sleep 0.1
done
"$python" "$tools/screen_reader_check.py" check "$out/orca.log" "$out/game.log" "$build/Base" || status=$?
exit "$status"
