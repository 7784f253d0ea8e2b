#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the game as the menu starts it on desktops with large text and
# high-density screens, each on an Xvfb display of its own with a window
# manager, and checks that it starts at the size that fits; then checks
# that every refused start ends with its own exit status and, for the
# screen, says how to start the game scaled. Only the processes started
# here are stopped.
#
#   tools/check-scaling.sh [BUILD_DIR]
# Keeps a screenshot of every start, with a level-3 deal, and the logs in
# BUILD_DIR/scaling/.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
game="$build/trefolia"
out="$build/scaling"
rm -rf "$out"
mkdir -p "$out/home" "$out/run"
chmod 700 "$out/run"
failures=0
fail() {
    echo "check-scaling: $*" >&2
    failures=$((failures + 1))
}

# The menu's command: the desktop entry's Exec line, with the built program.
exec_line=$(sed -n 's/^Exec=//p' "$root/packaging/trefolia.desktop" | head -n1)
menu_arguments=${exec_line#* }
[ "$menu_arguments" != "$exec_line" ] || menu_arguments=""

xvfb=""
wm=""
game_pid=""
stop_display() {
    for pid in $game_pid $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $game_pid $wm $xvfb; do
        wait "$pid" 2>/dev/null || true
    done
    game_pid="" wm="" xvfb=""
}
trap stop_display EXIT

# start_display WIDTHxHEIGHT XFT_DPI: an Xvfb display with openbox.
start_display() {
    exec 3<> "$out/display"
    : > "$out/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -noreset -nolisten tcp >>"$out/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$out/display" ] && break
        sleep 0.1
    done
    exec 3>&-
    DISPLAY=":$(head -n1 "$out/display")"
    export DISPLAY
    echo "Xft.dpi: $2" | xrdb -nocpp -merge
    openbox >>"$out/openbox.log" 2>&1 &
    wm=$!
    sleep 1
}

run_game() {
    env HOME="$out/home" XDG_RUNTIME_DIR="$out/run" XDG_CONFIG_HOME="$out/home/.config" \
        XDG_DATA_HOME="$out/home/.local/share" QT_ACCESSIBILITY=0 "$@"
}

# The main window of the game just started, by its title, within 20 s.
main_window() {
    for _ in $(seq 200); do
        for id in $(xdotool search --onlyvisible --name '^Trefolia$' 2>/dev/null); do
            echo "$id"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# check_start NAME SCREEN XFT_DPI VARIABLE=VALUE EXPECTED_CLIENT_SIZE
check_start() {
    local name=$1 screen=$2 dpi=$3 variable=$4 expected=$5 id size
    start_display "$screen" "$dpi"
    # shellcheck disable=SC2086 # the entry's arguments are words
    run_game env "$variable" "$game" $menu_arguments >"$out/$name.log" 2>&1 &
    game_pid=$!
    if ! id=$(main_window); then
        fail "$name: no window (log: $out/$name.log)"
        stop_display
        return
    fi
    size=$(xdotool getwindowgeometry "$id" | sed -n 's/^ *Geometry: //p')
    # The splash fades for about three seconds; then away with the rules,
    # a level-3 deal, and a look.
    sleep 3.5
    xdotool key Escape
    sleep 0.3
    xdotool key 3
    sleep 1
    import -window root "$out/$name.png" 2>/dev/null || true
    if [ "$size" = "$expected" ]; then
        echo "$name: $screen, Xft.dpi $dpi, $variable: window $size"
    else
        fail "$name: window $size, expected $expected"
    fi
    stop_display
}

# check_refusal NAME SCREEN XFT_DPI STATUS HINT PROGRAM [ARGUMENT...]
check_refusal() {
    local name=$1 screen=$2 dpi=$3 expected=$4 hint=$5 status=0 box=""
    shift 5
    start_display "$screen" "$dpi"
    run_game "$@" >"$out/$name.log" 2>&1 &
    game_pid=$!
    # The refusal's box, answered as a pupil would.
    for _ in $(seq 200); do
        box=$(xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r id; do
            title=$(xdotool getwindowname "$id" 2>/dev/null || true)
            case "$title" in
                "Program nie może być uruchomiony" | "Rozdzielczość monitora w ppi" | "Własności MONITORA")
                    echo "$id"
                    break
                    ;;
            esac
        done) || true
        [ -n "$box" ] && break
        sleep 0.1
    done
    if [ -z "$box" ]; then
        fail "$name: no refusal box"
        stop_display
        return
    fi
    xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$game_pid" || status=$?
    game_pid=""
    if [ "$status" != "$expected" ]; then
        fail "$name: exit status $status, expected $expected"
    elif [ "$hint" = yes ] && ! grep -q -- '--skala auto' "$out/$name.log"; then
        fail "$name: no command to start the game scaled on the standard error"
    else
        echo "$name: refused with status $status$([ "$hint" = yes ] && echo ', the scaled command printed')"
    fi
    stop_display
}

for screen in 1920x1080 1366x768; do
    # What the menu's --skala auto draws at: the desktop's scale where the
    # window fits, else the largest quarter step that does.
    if [ "$screen" = 1920x1080 ]; then
        sizes=(993x713 1191x855 1390x998 1191x855 1390x998)
    else
        sizes=(993x713 993x713 993x713 993x713 993x713)
    fi
    check_start "xft120-$screen" "$screen" 120 TREFOLIA_NONE=1 "${sizes[0]}"
    check_start "xft144-$screen" "$screen" 144 TREFOLIA_NONE=1 "${sizes[1]}"
    check_start "xft192-$screen" "$screen" 192 TREFOLIA_NONE=1 "${sizes[2]}"
    check_start "factors1.5-$screen" "$screen" 96 QT_SCREEN_SCALE_FACTORS=1.5 "${sizes[3]}"
    check_start "factors2-$screen" "$screen" 96 QT_SCREEN_SCALE_FACTORS=2 "${sizes[4]}"
done

# A copy of the program in a folder without Base/.
mkdir -p "$out/alone"
cp "$game" "$out/alone/trefolia"
check_refusal no-content 1024x768 96 3 no "$out/alone/trefolia"
check_refusal large-text 1920x1080 120 4 yes "$game"
check_refusal scaled-screen 1920x1080 96 4 yes env QT_SCREEN_SCALE_FACTORS=2 "$game"
check_refusal small-screen 640x480 96 5 yes "$game"
check_refusal too-large-scale 1366x768 96 5 yes "$game" --skala 300
check_refusal auto-cannot-fit 640x480 120 5 no "$game" --skala auto

if [ "$failures" -ne 0 ]; then
    echo "check-scaling: $failures failed (logs and screenshots in $out)" >&2
    exit 1
fi
echo "check-scaling: every start passed (screenshots in $out)"
