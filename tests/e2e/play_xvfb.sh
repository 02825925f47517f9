#!/usr/bin/env bash
# Plays the real game in a virtual X server like a player would, in a copy of
# the data folder (a working folder with "Constanten.txt" is the game's data),
# with a temporary player's folder: first a run that holds Q through the intro, then a short
# game (start, move, fire, skip a level, save to slot 1, give up, result sheet,
# high scores, load slot 1 and play on from it, quit with Q), and a run ended
# by SIGTERM in a level. Checks screenshots at known pixels, the console lines,
# the save files and Highscores.txt.
# Usage: tests/e2e/play_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: play_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy

[ -f "$build/game/images/Backgrounds/robotachtergrond.bmp" ] ||
    fail "the data folder $build/game has no pictures: build the gamedata target first"
cp -r "$build/game/." "$work/game"
rm -f "$work"/game/levels/save*.txt "$work/game/Highscores.txt"
# The saves and the high scores go to the player's folder, never into the data.
player="$XDG_DATA_HOME/kolvemar-trovix"

start_game() {
    (cd "$work/game" && exec "$game" >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    find_window
}

wait_game_end() {
    app_ends "$1" || fail "the game did not end"
    wait "$app_pid" || fail "the game exited with status $?"
    app_pid=""
}

# The expected colours of wait_screen come from the game's own pictures where
# the screen shows one unscaled, so the test follows the artwork.
picture() { # the colour of game picture $1 at (x, y)
    pixel_of "$work/game/images/$1" "$2" "$3"
}

click() {
    xdotool mousemove --window "$wid" "$1" "$2" sleep 0.1 click 1 sleep 0.4
}

press() { # a key held long enough for the game loop to see it
    xdotool keydown "$1" sleep 0.25 keyup "$1" sleep 0.2
}

# ---- 1. Holding Q through the intro ends the program at once ----
start_game
xdotool keydown q
wait_game_end 600
xdotool keyup q
printf '\nWelcome on Kolvemar-Trovix\n%s\nready to play\nbye, thanks for playing\n' \
    "$(sed -n 3p "$work/run.out")" >"$work/expected.out"
diff "$work/expected.out" "$work/run.out" >&2 || fail "console lines of the Q run"
grep -qxE 'muziek in orde|probleem met de muziek' <(sed -n 3p "$work/run.out") ||
    fail "sound line"
echo "ok: Q at the end of the intro"

# ---- 2. A short game ----
bg=Backgrounds
start_menu=("5 5 $(picture $bg/robotachtergrond.bmp 5 5)" "320 80 $(picture Start0.bmp 20 10)"
    "320 680 $(picture Quit0.bmp 20 10)")
# Skips the intro and starts level 1; $1 names the screenshots of a failure.
start_level() {
    press n
    xdotool mousemove --window "$wid" 50 790
    wait_screen "start-menu$1" "${start_menu[@]}"
    click 400 95                          # Start
    wait_screen "arena$1" "400 30 22,104,69" # the information bar over the arena
}

start_game
start_level ""
xdotool keydown Right sleep 0.6 keyup Right keydown Down sleep 0.4 keyup Down
xdotool mousemove --window "$wid" 600 500 mousedown 1 sleep 0.5 mouseup 1
press n                                   # skip to level 2
sleep 3
press m                                   # the in-game menu
wait_screen pause-menu "5 5 $(picture $bg/pauze.bmp 5 5)" "320 110 $(picture Resume0.bmp 20 10)"
click 400 225                             # Save
wait_screen save-screen "5 5 $(picture $bg/sterrenhemel2.bmp 5 5)"
click 400 125                             # slot 1
click 400 525                             # back
wait_screen pause-menu-again "5 5 $(picture $bg/pauze.bmp 5 5)"
click 400 125                             # Resume
sleep 1
press k                                   # give up
wait_screen result-sheet "200 400 $(picture $bg/gameover.bmp 200 400)" \
    "710 770 $(picture back0.bmp 110 70)"
click 700 750                             # back to the start menu
xdotool mousemove --window "$wid" 50 790
wait_screen start-menu-again "${start_menu[@]}"
click 400 395                             # high scores
xdotool mousemove --window "$wid" 50 790
wait_screen highscores "5 5 $(picture $bg/wit.bmp 5 5)" "710 770 $(picture back0.bmp 110 70)"
click 700 750                             # back
xdotool mousemove --window "$wid" 50 790
wait_screen start-menu-last "${start_menu[@]}"
click 400 295                             # Load
wait_screen load-screen "5 5 $(picture $bg/sterrenhemel2.bmp 5 5)"
click 400 125                             # slot 1
click 400 625                             # back
click 400 95                              # Start: the game goes on from slot 1
wait_screen arena-from-slot "400 30 22,104,69"
press q                                   # Q in a level ends the program
wait_game_end 100

# ---- 3. What the game left behind ----
head -n 4 "$work/run.out" | diff <(head -n 4 "$work/expected.out") - >&2 || fail "greeting"
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "farewell"
for slot in 1 5; do
    f="$player/levels/save$slot.txt"
    [ -f "$f" ] || fail "save$slot.txt was not written"
    [ "$(wc -l <"$f")" -eq 4425 ] || fail "save$slot.txt is not a whole level file"
    "$build/bin/levelcreator" check "$f" >/dev/null || fail "save$slot.txt does not pass check"
done
grep -qE '^\(\* Alle gegevens van level:  2 \*\)' "$player/levels/save1.txt" ||
    fail "slot 1 does not hold level 2"
hs="$player/Highscores.txt"
[ "$(wc -c <"$hs")" -eq 1184 ] || fail "Highscores.txt is not 1184 bytes"
[ "$(grep -c $'\r$' "$hs")" -eq 102 ] || fail "Highscores.txt is not 102 CR LF lines"
# The game's score, when above 0, is rank 1 of the fresh table, stamped this year.
score="$(sed -n 4p "$hs" | tr -d ' \r')"
year="$(sed -n 12p "$hs" | tr -d ' \r')"
if [ "$score" -gt 0 ] && [ "$year" != "$(date +%Y)" ]; then
    fail "Highscores.txt: rank 1 ($score) is not stamped with this year ($year)"
fi
[ -z "$(find "$work/game" -name 'save*.txt*' -o -name 'Highscores.txt*')" ] ||
    fail "the game wrote into its data folder"
echo "ok: a short game"

# ---- 4. A termination signal in a level ends the game as Q would ----
rm -f "$player/levels/save5.txt"
start_game
start_level -signal
kill -TERM "$app_pid"
wait_game_end 50
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "farewell after SIGTERM"
[ -f "$player/levels/save5.txt" ] || fail "no autosave after SIGTERM"
echo "ok: SIGTERM in a level"
