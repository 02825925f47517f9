#!/usr/bin/env bash
# F12 in the real game under Xvfb, started with --window and --screenshot-dir:
# on the start menu it writes a PNG of the game's 800 x 800 pixels, named by
# the date and time, says where on the console, and a camera shows over the
# window for a moment; the picture's pixels are the window's.
# Usage: tests/e2e/screenshot_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: screenshot_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x1024 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
shots="$work/shots"
(cd "$work" && exec "$game" --window --screenshot-dir "$shots" >"$work/run.out" 2>"$work/run.err") &
app_pid=$!
find_window
xdotool keydown n sleep 0.25 keyup n # skip the intro
xdotool mousemove --window "$wid" $(game_xy 50 790)
images="$build/game/images"
wait_screen screenshot-start-menu \
    "5 5 $(pixel_of "$images/Backgrounds/robotachtergrond.bmp" 5 5)" \
    "320 80 $(pixel_of "$images/Start0.bmp" 20 10)"
import -window "$wid" "$work/window.png"

xdotool key --window "$wid" F12
# The camera stands over the top right corner for a moment, then goes.
wait_screen screenshot-note "758 17 250,250,250"
sleep 2
wait_screen screenshot-note-gone "758 17 $(pixel_of "$work/window.png" $(game_xy 758 17))"

png="$(ls "$shots"/*.png)" || fail "no screenshot in $shots"
[ "$(echo "$png" | wc -l)" = 1 ] || fail "more than one screenshot: $png"
[[ "$(basename "$png")" =~ ^kolvemar-trovix_[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}\.png$ ]] ||
    fail "the name $(basename "$png")"
grep -qx "Screenshot: $png" "$work/run.out" || fail "no console line for $png"
[ "$(identify -format '%m %wx%h' "$png")" = "PNG 800x800" ] || fail "$(identify "$png")"
# The window shows the game unscaled here, so its pixels are the picture's.
for xy in "5 5" "320 80" "400 400" "100 700" "790 790"; do
    set -- $xy
    [ "$(pixel_of "$png" "$1" "$2")" = "$(pixel_of "$work/window.png" $(game_xy "$1" "$2"))" ] ||
        fail "pixel ($1,$2): $(pixel_of "$png" "$1" "$2") in the picture"
done
echo "ok: F12 writes $(basename "$png")"

xdotool mousemove --window "$wid" $(game_xy 400 695) sleep 0.2 click 1 # Afsluiten
app_ends 100 || fail "the game did not end"
wait "$app_pid" || fail "the game exited with status $?"
app_pid=""
