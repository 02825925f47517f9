#!/usr/bin/env bash
# The game played with the keyboard alone, no mouse event at all: Esc skips the
# intro, Enter starts a game, Esc opens and closes the in-game menu, Up and
# Enter end the game, Enter leaves the result sheet, Esc twice quits. Every
# key is a quick tap, as xdotool types it.
# Usage: tests/e2e/keyboard_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: keyboard_xvfb.sh BUILD_DIR}" && pwd)"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
cp -r "$build/game/." "$work/game"

(cd "$work/game" && exec "$build/bin/kolvemar-trovix" >"$work/run.out" 2>"$work/run.err") &
app_pid=$!
find_window


sleep 1
tap Escape # the intro
wait_background keyboard-start-menu robotachtergrond.bmp
tap Return # Start, where the focus stands
wait_arena keyboard-level
sleep 2
tap Escape
wait_background keyboard-in-game-menu pauze.bmp
tap Escape # Verder
wait_arena keyboard-level-again
sleep 1
tap Escape
wait_background keyboard-in-game-menu-again pauze.bmp
tap Up # wraps to Afsluiten
tap Up # Menu: ends the game
tap Return
wait_background keyboard-result-sheet gameover.bmp
tap Return
wait_background keyboard-start-menu-again robotachtergrond.bmp
tap Escape # the focus to Afsluiten
tap Escape # and out
app_ends 100 || fail "the game did not end"
wait "$app_pid" || fail "the game exited with status $?"
app_pid=""
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "no farewell"
echo "ok: keyboard only"
