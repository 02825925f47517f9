#!/usr/bin/env bash
# Replays one regression demo headless, as fast as it goes, with smooth
# drawing on and off: every frame must match the recording and the level must
# end as stats.txt says. A difference names the first frame and field that differ.
# Usage: tests/demos/replay.sh BUILD_DIR DEMO
set -euo pipefail

build="$(cd "${1:?usage: replay.sh BUILD_DIR DEMO}" && pwd)"
demo="${2:?usage: replay.sh BUILD_DIR DEMO}"
stats="$(dirname "$demo")/stats.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LANG=C

mkdir -p "$work/config/kolvemar-trovix"
for smooth in true false; do
    echo "smooth=$smooth" >"$work/config/kolvemar-trovix/settings.txt"
    status=0
    "$build/bin/kolvemar-trovix" --data-dir "$build/game" --timedemo "$demo" >"$work/out" 2>&1 ||
        status=$?
    if [ "$status" != 0 ]; then
        grep -v '^$' "$work/out" >&2
        echo "FAIL: $demo does not replay as recorded (smooth=$smooth)" >&2
        exit 1
    fi
    line="$(grep '^levels/' "$work/out")"
    expected="$(grep -F "${line%%:*}:" "$stats")" || true
    if [ "$line" != "$expected" ]; then
        echo "FAIL: $demo ended otherwise than stats.txt says (smooth=$smooth)" >&2
        echo "  replayed: $line" >&2
        echo "  expected: $expected" >&2
        exit 1
    fi
    tail -n1 "$work/out"
done
