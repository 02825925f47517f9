#!/usr/bin/env bash
# A game recorded through the menus with --record replays to the same end
# state in the window (--playdemo) and as fast as it goes (--timedemo); Esc
# ends a --playdemo at once.
# Usage: tests/e2e/demo_xvfb.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: demo_xvfb.sh BUILD_DIR}" && pwd)"
. "$(dirname "$0")/../../scripts/xvfb.sh"

fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/*.out; do echo "--- $f:" >&2; cat "$f" >&2; done
    exit 1
}

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"
export SDL_AUDIODRIVER=dummy
game="$build/bin/kolvemar-trovix"
demo="$work/game.ktdemo"

"$game" --record "$demo" >"$work/record.out" 2>&1 &
app_pid=$!
find_window
xdotool key --window "$wid" Escape # the intro
wait_background demo-start-menu robotachtergrond.bmp
xdotool key --window "$wid" Return # Start
wait_arena demo-level
xdotool mousemove --window "$wid" 200 200 keydown --window "$wid" Right
sleep 2
xdotool mousedown --window "$wid" 1 keyup --window "$wid" Right keydown --window "$wid" Down
sleep 2
xdotool mouseup --window "$wid" 1 keyup --window "$wid" Down key --window "$wid" q
app_ends 100 || fail "the recorded game did not end with Q"
[ -s "$demo" ] || fail "no demo written"

"$game" --playdemo "$demo" >"$work/play.out" 2>&1 &
app_pid=$!
app_ends 300 || fail "--playdemo did not end"
wait "$app_pid" || fail "--playdemo: status $?"
played="$(grep '^levels' "$work/play.out")" || fail "--playdemo printed no end state"
case "$played" in *": quit, score "*) ;; *) fail "--playdemo: $played" ;; esac

"$game" --timedemo "$demo" >"$work/time.out" 2>&1 || fail "--timedemo: status $?"
[ "$(grep '^levels' "$work/time.out")" = "$played" ] || fail "--timedemo ended otherwise"
grep -Eq '^[0-9]+ frames, [0-9.]+ seconds, [0-9.]+ fps$' "$work/time.out" || fail "no figures"

"$game" --playdemo "$demo" >"$work/esc.out" 2>&1 &
app_pid=$!
find_window
sleep 3.5 # into the level, past its start
xdotool key --window "$wid" Escape
app_ends 30 || fail "Esc did not end --playdemo"
wait "$app_pid" || fail "--playdemo ended by Esc: status $?"
grep -q "stopped with Esc at frame" "$work/esc.out" || fail "no word of Esc"
app_pid=""
echo "demo: recorded, played in the window, timed: $played"
