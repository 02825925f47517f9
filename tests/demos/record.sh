#!/usr/bin/env bash
# Re-records the rules' regression demos: the project's bot plays every level
# and tutorial level, and each demo's end state, as a replay prints it, goes
# into stats.txt. Run it only on purpose, when a rule is meant to change.
# Usage: tests/demos/record.sh [BUILD_DIR]
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

rm -f "$here"/*.ktdemo
"$build/bin/playtest" --record "$here" "$build/game"
: >"$here/stats.txt"
for demo in "$here"/*.ktdemo; do
    "$build/bin/kolvemar-trovix" --data-dir "$build/game" --timedemo "$demo" |
        grep '^levels/' >>"$here/stats.txt"
done
echo "recorded $(ls "$here"/*.ktdemo | wc -l) demos; end states in $here/stats.txt"
