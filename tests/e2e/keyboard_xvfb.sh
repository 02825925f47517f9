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
images="$work/game/images"

(cd "$work/game" && exec "$build/bin/kolvemar-trovix" >"$work/run.out" 2>"$work/run.err") &
app_pid=$!
wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
    fail "no game window"
xdotool windowfocus --sync "$wid" 2>/dev/null || true

tap() { # one quick press and release
    xdotool key --window "$wid" "$1"
    sleep 0.3
}
screen() { # the background $1 fills the game's corner
    wait_screen "keyboard-$2" "5 5 $(pixel_of "$images/Backgrounds/$1" 5 5)"
}
arena() {
    wait_screen "keyboard-$1" "400 30 22,104,69" # the information bar
}

sleep 1
tap Escape # the intro
screen robotachtergrond.bmp start-menu
tap Return # Start, where the focus stands
arena level
sleep 2
tap Escape
screen pauze.bmp in-game-menu
tap Escape # Verder
arena level-again
sleep 1
tap Escape
screen pauze.bmp in-game-menu-again
tap Up # wraps to Afsluiten
tap Up # Menu: ends the game
tap Return
screen gameover.bmp result-sheet
tap Return
screen robotachtergrond.bmp start-menu-again
tap Escape # the focus to Afsluiten
tap Escape # and out
app_ends 100 || fail "the game did not end"
wait "$app_pid" || fail "the game exited with status $?"
app_pid=""
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "no farewell"
echo "ok: keyboard only"
