#!/usr/bin/env bash
# The real game with LANG=en_US.UTF-8 under Xvfb, played with the keyboard:
# the start menu shows the English buttons, a whole game is played through
# every level to the result sheet, and the sheet, its Back button and its
# lines are English. The Dutch reference is a short game under LANG=C, ended
# from the in-game menu. The pixels come from F12 screenshots (the game's own
# 800 x 800 pixels), compared by region with the game's pictures.
# Usage: tests/e2e/language_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: language_xvfb.sh BUILD_DIR}" && pwd)"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x1024 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
images="$build/game/images"

start_game() { # $1: the run's name, also its screenshot folder
    rm -rf "${XDG_DATA_HOME:?}" "$work/$1"
    (cd "$work" && exec "$build/bin/kolvemar-trovix" --window --screenshot-dir "$work/$1" \
        >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    find_window
    xdotool mousemove --window "$wid" $(game_xy 50 790)
}


# shoot RUN NAME: F12, and the picture it wrote kept as $work/NAME.png.
shoot() {
    local shots=()
    mkdir -p "$work/$1"
    rm -f "$work/$1"/*.png
    tap F12
    for _ in $(seq 50); do
        shots=("$work/$1"/*.png)
        [ -f "${shots[0]}" ] && break
        sleep 0.1
    done
    cp "${shots[0]}" "$work/$2.png" || fail "no screenshot of $2"
}

# differing SHOT X Y PICTURE [MASK]: how many pixels of the picture, drawn at
# (X, Y) over the screen's background, the screenshot shows otherwise.
differing() {
    local shot=$1 x=$2 y=$3 picture=$4 mask=${5:-} size
    size="$(identify -format '%wx%h' "$picture")"
    convert "$shot" -crop "$size+$x+$y" +repage "$work/part.png"
    if [ -n "$mask" ]; then
        convert "$work/part.png" "$picture" "$mask" -composite "$work/want.png"
    else
        convert "$picture" "$work/want.png"
    fi
    compare -metric AE -fuzz 8% "$work/part.png" "$work/want.png" null: 2>&1 || true
}

# button_differs SHOT X Y STEM [MASK]: how many pixels of button STEM, plain
# (STEM0.bmp) or lit (STEM1.bmp) whichever is nearer, the screenshot shows otherwise.
button_differs() {
    local shot=$1 x=$2 y=$3 stem=$4 mask=${5:-} n0 n1
    n0="$(differing "$shot" "$x" "$y" "${stem}0.bmp" "$mask")"
    n1="$(differing "$shot" "$x" "$y" "${stem}1.bmp" "$mask")"
    echo $((n0 < n1 ? n0 : n1))
}
shows() {
    local n
    n="$(button_differs "$@")"
    [ "$n" -le 20 ] || fail "$(basename "$1") does not show $4 at ($2,$3): $n pixels differ"
}

# region_differs A B GEOMETRY: two screenshots differ clearly in that region.
region_differs() {
    local n
    convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
    convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
    n="$(compare -metric AE -fuzz 8% "$work/a.png" "$work/b.png" null: 2>&1 || true)"
    [ "$n" -ge 40 ] || fail "$1 and $2 are alike in $3 ($n pixels differ)"
}

quit_from_start_menu() {
    tap Escape # the focus to Quit
    tap Escape # and out
    app_ends 100 || fail "the game did not end"
    wait "$app_pid" || fail "the game exited with status $?"
    app_pid=""
}

# ---- 1. The Dutch reference: a game given up from the in-game menu ----
start_game dutch
tap Escape # the intro
wait_background language-dutch-start-menu robotachtergrond.bmp
tap Return # Start
wait_arena language-dutch-level
sleep 2 # the level-start animation
tap Escape
wait_background language-dutch-in-game-menu pauze.bmp
tap Up # wraps to Afsluiten
tap Up # Menu: ends the game
tap Return
wait_background language-dutch-result-sheet gameover.bmp
shoot dutch dutch-sheet
shows "$work/dutch-sheet.png" 600 700 "$images/back" "$images/back_mask.bmp"
tap Return
wait_background language-dutch-start-menu-again robotachtergrond.bmp
quit_from_start_menu
echo "ok: the Dutch result sheet"

# ---- 2. In English: the start menu, then every level to the result sheet ----
export LANG=en_US.UTF-8
start_game english
tap Escape
wait_background language-start-menu robotachtergrond.bmp
shoot english menu
y=70
for button in Start Tutorial Load Hiscore Settings Credits Quit; do
    shows "$work/menu.png" 300 "$y" "$images/en/$button"
    # Where the words differ, the Dutch button is not what shows.
    if [ "$(differing "$images/${button}0.bmp" 0 0 "$images/en/${button}0.bmp")" -gt 200 ]; then
        [ "$(button_differs "$work/menu.png" 300 "$y" "$images/$button")" -gt 200 ] ||
            fail "the start menu shows the Dutch $button button"
    fi
    y=$((y + 100))
done
echo "ok: the English start menu"

tap Return # Start
wait_arena language-level
# N skips the level-start animation, then the level; after the last level the game ends.
sheet="$(pixel_of "$images/Backgrounds/gameover.bmp" 5 5)"
for _ in $(seq 40); do
    xdotool keydown n sleep 0.15 keyup n sleep 0.1 keydown n sleep 0.15 keyup n sleep 0.1
    import -window "$wid" "$work/shot.png"
    near "$(pixel_of "$work/shot.png" 5 5)" "$sheet" && break
done
grep -qE '^\(\* Alle gegevens van level: +12 \*\)' "$XDG_DATA_HOME/kolvemar-trovix/levels/save5.txt" ||
    fail "the game did not reach the last level"
wait_background language-result-sheet gameover.bmp
shoot english sheet
shows "$work/sheet.png" 600 700 "$images/en/back" "$images/en/back_mask.bmp"
# Every line but "Level:" reads otherwise than the Dutch: the title, the labels, the end line.
for box in 300x20+195+18 95x20+145+58 95x20+145+98 95x20+145+178 95x20+145+218 \
    95x20+145+258 95x20+145+298 200x20+5+748; do
    region_differs dutch-sheet sheet "$box"
done
tap Return
wait_background language-start-menu-again robotachtergrond.bmp
quit_from_start_menu
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "no farewell"
echo "ok: a whole game in English"
