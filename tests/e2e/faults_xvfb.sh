#!/usr/bin/env bash
# The real game in a virtual X server where a run must stop: a window size the
# game cannot be played in, a termination signal during the intro, and a
# level file missing half-way through a game. Checks the exit
# status, the console lines and how long each stop took.
# Usage: tests/e2e/faults_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: faults_xvfb.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../../scripts/xvfb.sh"

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
[ -f "$build/game/Constanten.txt" ] || fail "no data folder in $build/game"
cp -r "$build/game/." "$work/game"
rm -f "$work"/game/levels/save*.txt

run_game() {
    (cd "$work/game" && exec "$game" >"$work/run.out" 2>"$work/run.err") &
    app_pid=$!
    started=$(date +%s%N)
}

wait_window() {
    wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
        fail "no game window"
}

# Waits up to $1 tenths of a second for the game to end; sets status and
# took_ms (from $2, a time in nanoseconds, to the end).
wait_end() {
    app_ends "$1" || fail "the game did not end within $(($1 / 10)) s"
    status=0
    wait "$app_pid" || status=$?
    took_ms=$((($(date +%s%N) - $2) / 1000000))
    app_pid=""
}

# ---- 1. Window sizes the screens cannot be drawn in ----
cp "$work/game/Constanten.txt" "$work/Constanten.good"
for side in 100000 1; do
    awk -v s="$side" 'NR == 5 { print s "\r"; next } { print }' "$work/Constanten.good" \
        >"$work/game/Constanten.txt"
    run_game
    wait_end 100 "$started"
    [ "$status" -ne 0 ] || fail "window size $side: exit status 0"
    grep -q "\"Constanten.txt\": schermgrootte $side " "$work/run.err" ||
        fail "window size $side: no message naming the file and the value"
    grep -qx "Can't create window." "$work/run.err" || fail "window size $side: no window message"
    echo "ok: window size $side refused in $took_ms ms with status $status"
done
cp "$work/Constanten.good" "$work/game/Constanten.txt"

# ---- 2. A termination signal during the intro ends it in order ----
for way in TERM INT; do
    run_game
    wait_window
    sleep 1
    stopped=$(date +%s%N)
    kill -"$way" "$app_pid"
    wait_end 50 "$stopped"
    [ "$status" -eq 0 ] || fail "$way in the intro: exit status $status"
    [ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "$way: no farewell"
    grep -q "ready to play" "$work/run.out" && fail "$way: the music was still loaded"
    echo "ok: SIG$way in the intro ended in $took_ms ms"
done

# ---- 3. A missing next level is an error stop ----
rm "$work/game/levels/level2.txt"
run_game
wait_window
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool keydown n sleep 0.25 keyup n # skip the intro
# Start, then N to skip level 1, until the game stops: a click in a level and
# N in the menu change nothing.
for _ in $(seq 30); do
    kill -0 "$app_pid" 2>/dev/null || break
    xdotool mousemove --window "$wid" 400 95 sleep 0.1 click 1 sleep 1.5 2>/dev/null || true
    xdotool keydown n sleep 0.25 keyup n sleep 1 2>/dev/null || true
done
wait_end 100 "$started"
[ "$status" -ne 0 ] || fail "missing level 2: exit status 0"
grep -qF 'cannot go on without levels\level2.txt' "$work/run.out" ||
    fail "missing level 2: no message naming the file"
[ "$(tail -n 1 "$work/run.out")" = "bye, thanks for playing" ] || fail "missing level: no farewell"
echo "ok: a missing level 2 ends with status $status"
