#!/usr/bin/env bash
# The game's window on a 1366 x 768 laptop screen with a real window manager
# (openbox): the whole window on the screen, clicks at scaled positions start
# a level, F11 fills the screen with the arena centred at full height and
# gives the window back, the pointer on the same game pixel. Then the display
# is taken from under a running level three ways (the X server killed, the
# connection killed by another program, the window destroyed by another
# program): each ends in order, with the autosave, the farewell and exit
# status 0.
# Usage: tests/e2e/window_xvfb.sh BUILD_DIR [FOLDER_FOR_SCREENSHOTS]
set -euo pipefail

build="$(cd "${1:?usage: window_xvfb.sh BUILD_DIR [SHOTS]}" && pwd)"
shots="${2:-}"
[ -n "$shots" ] && shots="$(cd "$shots" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"
command -v openbox >/dev/null || { echo "openbox is not installed"; exit 1; }

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11
cp -r "$build/game/." "$work/game"
rm -f "$work"/game/levels/save*.txt

screens=0
screen() { # a fresh X server of 1366 x 768 with openbox managing it
    screens=$((screens + 1))
    start_xvfb 1366x768 "$work/xvfb$screens.log" || fail "Xvfb did not start"
    local wm="" _
    for _ in $(seq 150); do
        # Started again should the first one have given up on a busy machine.
        { [ -n "$wm" ] && kill -0 "$wm" 2>/dev/null; } || { openbox --sm-disable >/dev/null 2>&1 & wm=$!; }
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start"
}

start_game() {
    (cd "$work/game" && exec "$game" >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
        fail "no game window"
    sleep 1 # the window manager decorates the window, the game fits it
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
}

wait_game_end() { # $1: what ended it, $2: tenths of a second to wait (10 s)
    app_ends "${2:-100}" || fail "$1: the game did not end"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || fail "$1: exit status $status"
    [ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "$1: no farewell"
}

# The client area: x y width height on the screen.
geometry() {
    local info
    info="$(xwininfo -id "$wid")"
    echo "$info" | awk -F: '/Absolute upper-left X/ {x=$2} /Absolute upper-left Y/ {y=$2}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x+0, y+0, w+0, h+0}'
}

picture() { pixel_of "$work/game/images/$1" "$2" "$3"; }

to() { xdotool mousemove --window "$wid" $(game_xy "$1" "$2"); }
click() { to "$1" "$2" && xdotool sleep 0.1 click 1 sleep 0.4; }
press() { xdotool keydown "$1" sleep 0.25 keyup "$1" sleep 0.2; }
keep() { [ -z "$shots" ] || import -window root "$shots/$1.png"; }

start_menu=("5 5 $(picture Backgrounds/robotachtergrond.bmp 5 5)"
    "320 80 $(picture Start0.bmp 20 10)" "320 680 $(picture Quit0.bmp 20 10)")
arena="400 30 22,104,69" # the information bar over the arena

start_level() {
    start_game
    press n
    to 50 790
    wait_screen start-menu "${start_menu[@]}"
}

# ---- 1. The window on the laptop screen, the clicks, fullscreen ----
screen
start_level
read -r x y w h <<<"$(geometry)"
read -r left right top bottom <<<"$(xprop -id "$(xdotool getwindowfocus)" _NET_FRAME_EXTENTS |
    sed 's/.*= //; s/,//g')" || true
: "${left:=0}" "${right:=0}" "${top:=0}" "${bottom:=0}"
[ "$w" = "$h" ] || fail "the window is $w x $h, not square"
[ "$w" -ge 700 ] && [ "$w" -le 768 ] || fail "the window is $w pixels, not 700 to 768"
[ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] && [ $((x + w + right)) -le 1366 ] &&
    [ $((y + h + bottom)) -le 768 ] ||
    fail "the window ($x,$y ${w}x$h, frame $left $right $top $bottom) is not all on the screen"
echo "ok: a ${w} x ${h} window at ($x,$y) with its frame on the 1366 x 768 screen"
keep window-menu-1366x768
click 400 95 # Start
wait_screen arena "$arena"
to 600 500
xdotool keydown Right sleep 0.5 keyup Right sleep 2 # the monsters are in
keep window-level-1366x768
echo "ok: clicks at scaled positions start a level"

# The pointer stands on game pixel (X, Y), give or take one window pixel.
aims_at() {
    local gx gy wx wy X Y
    read -r gx gy <<<"$(game_xy "$1" "$2")"
    read -r wx wy _ <<<"$(geometry)"
    eval "$(xdotool getmouselocation --shell)"
    [ "${X:-0}" -ge $((wx + gx - 1)) ] && [ "$X" -le $((wx + gx + 1)) ] &&
        [ "${Y:-0}" -ge $((wy + gy - 1)) ] && [ "$Y" -le $((wy + gy + 1)) ]
}
press F11
sleep 1
aims_at 600 500 || fail "F11 moved the pointer off game pixel (600,500)"
read -r fx fy fw fh <<<"$(geometry)"
[ "$fx $fy $fw $fh" = "0 0 1366 768" ] || fail "fullscreen is $fx $fy $fw $fh"
import -window root "$work/full.png"
# The arena 768 x 768 from x = 299, black bars beside it.
near "$(pixel_of "$work/full.png" $((299 + 400 * 768 / 800)) $((30 * 768 / 800)))" 22,104,69 ||
    fail "the arena is not centred at full height"
near "$(pixel_of "$work/full.png" 150 400)" 0,0,0 || fail "no black bar on the left"
near "$(pixel_of "$work/full.png" 1220 400)" 0,0,0 || fail "no black bar on the right"
keep fullscreen-level-1366x768
press F11
sleep 1
[ "$(geometry)" = "$x $y $w $h" ] || fail "F11 again gave $(geometry), not the window $x $y $w $h"
aims_at 600 500 || fail "F11 again moved the pointer off game pixel (600,500)"
echo "ok: F11 fills the screen with the arena centred and gives the window back, the aim kept"
# A size the player gives the window is kept for the next run.
xdotool windowsize "$wid" 600 600
sleep 0.5
press q
wait_game_end "Q"
start_game
[ "$(geometry | cut -d' ' -f3-)" = "600 600" ] || fail "the size 600 x 600 is not remembered"
xdotool keydown q # held through the intro
wait_game_end "Q in the remembered window" 600
xdotool keyup q
echo "ok: the window's size is remembered"

# ---- 2. The display taken from under a level ----
autosaved() { # slot 5 written since the level began, wherever the player's files are
    [ -n "$(find "$work" -name save5.txt -newer "$work/level-began")" ] || fail "$1: no autosave"
}
for how in server connection window; do
    [ "$how" = server ] || screen
    start_level
    click 400 95
    wait_screen "arena-$how" "$arena"
    touch "$work/level-began"
    sleep 0.5
    case $how in
    server) kill "$xvfb_pid"; xvfb_pid="" ;;
    connection) xdotool windowkill "$wid" ;;
    window) xdotool windowclose "$wid" ;;
    esac
    wait_game_end "display lost ($how)"
    autosaved "$how"
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" && xvfb_pid=""
    echo "ok: a lost $how ends the level in order"
done
