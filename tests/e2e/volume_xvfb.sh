#!/usr/bin/env bash
# The volume keys in the real game under Xvfb: minus three times on the start
# menu shows the indicator with seven of ten bars lit over the menu, which is
# gone after about a second; 0 mutes (no bar lit); the settings file keeps
# both. The screenshots stay in BUILD_DIR/e2e/volume-*.png for a look by eye.
# Usage: tests/e2e/volume_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: volume_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
settings="$XDG_CONFIG_HOME/kolvemar-trovix/settings.txt"
cp -r "$build/game/." "$work/game"
mkdir -p "$build/e2e"

(cd "$work/game" && exec "$game" >"$work/run.out" 2>&1) &
app_pid=$!
find_window

shot() { import -window "$wid" "$work/shot.png" 2>/dev/null; }
# The ten bars of the indicator, at the top of the game: "#" lit, "." dark.
bars() {
    local i got s=""
    for i in $(seq 0 9); do
        got="$(pixel_of "$work/shot.png" $(game_xy $((343 + 16 * i)) 44))"
        if near "$got" 250,250,250; then
            s="$s#"
        elif near "$got" 90,90,100; then
            s="$s."
        else
            s="${s}?"
        fi
    done
    echo "$s"
}
expect_bars() { # waits a few seconds for the bars $1, then keeps the screenshot as $2
    local got=""
    for _ in $(seq 30); do
        shot
        got="$(bars)"
        [ "$got" = "$1" ] && { cp "$work/shot.png" "$build/e2e/$2"; return 0; }
        sleep 0.1
    done
    cp "$work/shot.png" "$build/e2e/$2"
    fail "bars $got, expected $1 (screenshot in $build/e2e/$2)"
}

xdotool keydown n sleep 0.3 keyup n # skip the intro
wait_background volume-start-menu robotachtergrond.bmp
xdotool mousemove --window "$wid" $(game_xy 50 790)
for _ in 1 2 3; do xdotool key minus sleep 0.1; done
expect_bars "#######..." volume-70.png
sleep 1.6
shot
[ "$(bars)" != "#######..." ] || fail "the indicator stayed past its second"
xdotool key 0
expect_bars ".........." volume-muted.png
grep -qx 'volume=70' "$settings" || fail "volume not stored"
grep -qx 'mute=true' "$settings" || fail "mute not stored"
xdotool mousemove --window "$wid" $(game_xy 400 695) sleep 0.2 click 1 # Quit
app_ends 100 || fail "the game did not end"
wait "$app_pid" || fail "the game exited with status $?"
app_pid=""
echo "ok: the volume keys and their indicator"
