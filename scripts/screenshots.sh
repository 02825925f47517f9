#!/usr/bin/env bash
# Plays the real game under Xvfb and keeps screenshots for the README: the start menu, the
# high-score screen and the first level, then the start menu and a result sheet in each of
# the game's languages (language-<code>-menu.png, language-<code>-result.png).
# Usage: scripts/screenshots.sh [BUILD_DIR [OUT_DIR]]
# The pictures are scaled to half size (400 x 400) to keep the repository small.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
out="$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)"
game="$build/bin/kolvemar-trovix"
[ -x "$game" ] || { echo "missing $game"; exit 1; }

. scripts/xvfb.sh
start_xvfb 1024x1024 "$work/xvfb.log"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

# The game finds its data in the build; the temporary player's folder of xvfb.sh gets a sample
# high-score table, so that the screen shows more than zeros.
mkdir -p "$XDG_DATA_HOME/kolvemar-trovix"
{
    printf 'Dit zijn de Higscores van KolvemarTrovix\r\n'
    printf '****************************************\r\n'
    day=28
    for points in 18450 15120 12990 9870 8020 6410 5230 3100 1870 640; do
        printf '\r\n'
        # points, ms, s, min, h, day, weekday, month, year
        for v in "$points" $((points % 1000)) $((points % 60)) $((points % 59)) $((10 + day % 12)) \
            "$day" $((day % 7)) 12 2026; do
            printf '%10d\r\n' "$v"
        done
        day=$((day - 1))
    done
} >"$XDG_DATA_HOME/kolvemar-trovix/Highscores.txt"
# open_game [OPTION...]: starts the game and waits for its window.
open_game() {
    (cd "$work" && exec "$game" "$@" >"$work/game.log" 2>&1) &
    app_pid=$!
    window=""
    for _ in $(seq 200); do
        window="$(xdotool search --name '^Kolvemar-Trovix$' 2>/dev/null | head -1 || true)"
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no game window"; cat "$work/game.log"; exit 1; }
}
open_game
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep "${3:-1}"; }
shot() { import -window "$window" -resize 50% +dither -colors 128 "$out/$1"; }

# Let the intro run a moment, then skip it with N: held for a few passes, then released.
sleep 3
xdotool keydown --window "$window" n
sleep 0.5
xdotool keyup --window "$window" n
sleep 2
xdotool mousemove --window "$window" 400 20
sleep 1
shot screenshot-menu.png
click 400 395 2 # Highscores
shot screenshot-highscores.png
click 700 750 1 # Terug
click 400 95 4  # Start: the level-start animation runs about two seconds
xdotool mousemove --window "$window" 330 300 mousedown 1 # fire for a moment
sleep 1.2
shot screenshot-level.png
xdotool mouseup 1
xdotool key --window "$window" q
wait "$app_pid" || true

# Each language's start menu and the result sheet of a short game, played with the keyboard
# (the mouse parked in a corner): a few shots, then Menu in the in-game menu.
key() { xdotool key --window "$window" "$1"; sleep "${2:-0.4}"; }
for code in nl en de fr; do
    LANG="${code}_$(tr a-z A-Z <<<"$code").UTF-8" open_game --window
    sleep 2
    key Escape 2 # the intro
    xdotool mousemove --window "$window" 799 799
    sleep 1
    shot "language-$code-menu.png"
    key Return 4 # Start, and the level-start animation
    xdotool keydown --window "$window" Right sleep 0.5 keyup Right
    xdotool mousemove --window "$window" 600 300 mousedown 1 sleep 1 mouseup 1
    xdotool mousemove --window "$window" 799 799
    sleep 0.5
    key Escape 1
    key Up
    key Up # Menu
    key Return 2
    shot "language-$code-result.png"
    key Return 1
    key Escape
    key Escape 0
    wait "$app_pid" || true # one game at a time: the next window must be the next game's
done
echo "screenshots in $out"
