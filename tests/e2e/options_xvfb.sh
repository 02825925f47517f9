#!/usr/bin/env bash
# --fullscreen and --window in the real game under Xvfb: the window opens as
# asked, whatever the settings file says, and the settings file keeps the
# player's own choice after the run.
# Usage: tests/e2e/options_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: options_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

command -v openbox >/dev/null || fail "openbox is not installed"
start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 150); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
export SDL_AUDIODRIVER=dummy
settings="$XDG_CONFIG_HOME/kolvemar-trovix/settings.txt"
mkdir -p "$(dirname "$settings")"

# run_with FULLSCREEN_IN_FILE OPTION EXPECTED_SIZE
run_with() {
    printf 'fullscreen=%s\n' "$1" >"$settings"
    (cd "$work" && exec "$game" "$2" >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
        fail "$2: no game window"
    xdotool keydown n sleep 0.25 keyup n # skip the intro
    local size=""
    for _ in $(seq 150); do # the window manager may take its time under load
        size="$(xwininfo -id "$wid" | awk -F: '/Width:/ {w=$2} /Height:/ {h=$2} END {print w+0 "x" h+0}')"
        [ "$size" = "$3" ] && break
        sleep 0.1
    done
    [ "$size" = "$3" ] || fail "$2 with fullscreen=$1 in the file: the window is $size, not $3"
    wait_background options-start-menu robotachtergrond.bmp
    xdotool mousemove --window "$wid" $(game_xy 400 695) sleep 0.2 click 1 # Afsluiten
    app_ends 100 || fail "$2: the game did not end"
    wait "$app_pid" || fail "$2: the game exited with status $?"
    app_pid=""
    grep -qx "fullscreen=$1" "$settings" || fail "$2 changed the settings: $(cat "$settings")"
    echo "ok: $2 opens at $3 and leaves fullscreen=$1 in the settings"
}

run_with false --fullscreen 1024x900
run_with true --window 800x800
