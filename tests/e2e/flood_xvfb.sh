#!/usr/bin/env bash
# The real game in a virtual X server under a sustained flood of input: ten
# bursts of 2,000 key strokes and 10,000 pointer moves while a level runs.
# Afterwards Q must end the program within 2 s with the farewell, and the
# resident memory must have grown by less than a tenth.
# Usage: tests/e2e/flood_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: flood_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
[ -f "$build/game/Constanten.txt" ] || fail "no data folder in $build/game"
cp -r "$build/game/." "$work/game"
# A calm first level: one monster that neither moves nor fires, so the robot
# is still alive, and Q still means quit, however long the flood takes.
cat >"$work/calm.design" <<'DESIGN'
level 1
background images\Backgrounds\level1.bmp
margin-left 40
margin-right 40
margin-top 40
margin-bottom 30
player
x 400
y 690
life 100
radius 20
damage 10
bullet-speed 20
object 1
x 150
y 260
picture 0
radius 20
life 20
move still
speed 0
DESIGN
"$build/bin/levelcreator" build "$work/calm.design" "$work/game/levels/level1.txt" >/dev/null ||
    fail "the calm level was not built"

(cd "$work/game" && exec "$game" >"$work/run.out" 2>"$work/run.err") &
app_pid=$!
find_window

# Past the intro into level 1: N skips the intro, Start opens the level.
xdotool keydown n sleep 0.25 keyup n
for _ in $(seq 60); do
    xdotool mousemove --window "$wid" 400 95 click 1 sleep 0.5
    pixel="$(import -window "$wid" png:- 2>/dev/null | pixel_of png:- $(game_xy 400 30) || true)"
    near "$pixel" "22,104,69" 2>/dev/null && break
done
near "$pixel" "22,104,69" || fail "level 1 did not start"
sleep 1

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }
before="$(rss)"

# One invocation a burst, so the events come as fast as the server takes them.
keys=()
for i in $(seq 2000); do keys+=("$([ $((i % 2)) = 0 ] && echo w || echo x)"); done
moves=()
for i in $(seq 10000); do moves+=(mousemove --window "$wid" $((100 + i % 600)) $((200 + i % 400))); done
started=$(date +%s%N)
for burst in $(seq 10); do
    xdotool key --delay 0 "${keys[@]}"
    xdotool "${moves[@]}"
    kill -0 "$app_pid" 2>/dev/null || fail "the game ended during burst $burst"
done
flood_ms=$((($(date +%s%N) - started) / 1000000))
after="$(rss)"

started=$(date +%s%N)
xdotool keydown q sleep 0.25 keyup q
app_ends 20 || fail "Q did not end the game within 2 s after the flood"
quit_ms=$((($(date +%s%N) - started) / 1000000))
wait "$app_pid" || fail "the game exited with status $?"
app_pid=""
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "no farewell"
[ "$((after * 10))" -lt "$((before * 11))" ] ||
    fail "resident memory grew from $before to $after kB under the flood"
echo "ok: flood of $flood_ms ms; memory $before -> $after kB; Q ended the game in $quit_ms ms"
