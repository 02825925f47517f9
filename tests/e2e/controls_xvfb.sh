#!/usr/bin/env bash
# The W A S D preset chosen on the controls screen with the keyboard, level 1
# played with W A S D, Q no longer quits there but F10 does; started again,
# the game still has the preset (the settings file keeps it).
# Usage: tests/e2e/controls_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: controls_xvfb.sh BUILD_DIR}" && pwd)"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
cp -r "$build/game/." "$work/game"
settings="$XDG_CONFIG_HOME/kolvemar-trovix/settings.txt"

start_game() {
    (cd "$work/game" && exec "$build/bin/kolvemar-trovix" >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    find_window
    sleep 1
    tap Escape # the intro
    wait_background start-menu robotachtergrond.bmp
}
hold() { # a key held for a while
    xdotool keydown --window "$wid" "$1"
    sleep 0.4
    xdotool keyup --window "$wid" "$1"
}
level_one() { # Start, where the focus stands, and the level's information bar
    tap Return
    wait_arena "$1"
    sleep 2
}
quits_only_on_f10() {
    tap q
    sleep 1
    kill -0 "$app_pid" 2>/dev/null || fail "Q still quits"
    tap F10
    app_ends 100 || fail "F10 did not quit"
    wait "$app_pid" || fail "the game exited with status $?"
    app_pid=""
}

start_game
for _ in 1 2 3 4; do tap Down; done # Instellingen
tap Return
tap Up # wraps to Besturing
tap Return
wait_screen controls "250 110 176,0,0" # the first cell framed in red
for _ in $(seq 10); do tap Down; done # the presets
tap Right # W A S D
tap Return
sleep 0.5
tap Escape # the settings screen
tap Escape # the start menu
for _ in 1 2 3 4; do tap Up; done # Start
level_one level
for k in w a s d; do hold "$k"; done
quits_only_on_f10
grep -qx "key_up=W,Up" "$settings" || fail "the preset is not in the settings file"
grep -qx "key_quit=F10" "$settings" || fail "quit is not on F10 in the settings file"

start_game
level_one level-again
quits_only_on_f10
[ -s "$work/run.err" ] && fail "console complaints: $(cat "$work/run.err")"
echo "ok: controls kept"
