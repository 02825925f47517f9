#!/usr/bin/env bash
# The level designers' tool end to end: build, check, normalise, and refusals.
set -euo pipefail
build="$(cd "$1" && pwd)"
src="$(cd "$(dirname "$0")/../.." && pwd)"
tool="$build/bin/levelcreator"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Every sample design builds, checks clean and matches the data folder's copy.
for design in "$src"/data/levels/*.design; do
    name="$(basename "$design" .design)"
    "$tool" build "$design" "$tmp/$name.txt" || fail "build $name"
    [ "$(wc -l < "$tmp/$name.txt")" -eq 4425 ] || fail "$name: not 4425 lines"
    "$tool" check "$tmp/$name.txt" > "$tmp/out" || fail "check $name: $(cat "$tmp/out")"
    cmp "$tmp/$name.txt" "$build/game/levels/$name.txt" || fail "$name differs from the data folder"
    "$tool" normalise "$tmp/$name.txt" "$tmp/$name.norm" || fail "normalise $name"
    cmp "$tmp/$name.txt" "$tmp/$name.norm" || fail "normalise changed $name"
done

# Line feeds only read like CR LF; normalise restores the CR LF form.
tr -d '\r' < "$tmp/level1.txt" > "$tmp/lf.txt"
"$tool" normalise "$tmp/lf.txt" "$tmp/lf.norm" || fail "normalise LF-only"
cmp "$tmp/level1.txt" "$tmp/lf.norm" || fail "LF-only file read differently"

# A damaged file is refused with its file and line; a good one beside it is not.
sed '23s/.*/    9/' "$tmp/level1.txt" > "$tmp/bad.txt"
if "$tool" check "$tmp/level1.txt" "$tmp/bad.txt" > "$tmp/out"; then fail "bad file passed"; fi
grep -q "^$tmp/bad.txt:23: objecten\[0\].soort: " "$tmp/out" || fail "message: $(cat "$tmp/out")"
[ "$(wc -l < "$tmp/out")" -eq 1 ] || fail "good file reported: $(cat "$tmp/out")"
head -c 30000 "$tmp/level1.txt" > "$tmp/short.txt"
if "$tool" check "$tmp/short.txt" > "$tmp/out"; then fail "truncated file passed"; fi
grep -q "^$tmp/short.txt:[0-9]*: " "$tmp/out" || fail "message: $(cat "$tmp/out")"
# A background that names a file outside the data folder is a damaged field.
sed '11s/.*/..\\..\\..\\..\\etc\\passwd/' "$tmp/level1.txt" > "$tmp/climbs.txt"
if "$tool" check "$tmp/climbs.txt" > "$tmp/out"; then fail "climbing background passed"; fi
grep -q "^$tmp/climbs.txt:11: locatieachtergrond: " "$tmp/out" || fail "message: $(cat "$tmp/out")"
if "$tool" normalise "$tmp/bad.txt" "$tmp/never.txt" > /dev/null; then fail "normalised bad"; fi
[ ! -e "$tmp/never.txt" ] || fail "normalise wrote from a bad file"

# Design mistakes are reported by design line, and nothing is written.
printf 'level 2\nplayer\nx 400\nmove sideways\nobject 70\nobject 1\ny 5\n' > "$tmp/bad.design"
if "$tool" build "$tmp/bad.design" "$tmp/bad-design.txt" > "$tmp/out"; then fail "bad design built"; fi
grep -q "^$tmp/bad.design:4: \"sideways\" is not one of" "$tmp/out" || fail "$(cat "$tmp/out")"
grep -q "^$tmp/bad.design:5: object slots run from 0 to 60" "$tmp/out" || fail "$(cat "$tmp/out")"
grep -q "^$tmp/bad.design:2: object 0 needs both" "$tmp/out" || fail "$(cat "$tmp/out")"
grep -q "^$tmp/bad.design:6: object 1 needs both" "$tmp/out" || fail "$(cat "$tmp/out")"
[ ! -e "$tmp/bad-design.txt" ] || fail "a bad design was written"

# Usage errors exit 2.
set +e
"$tool" frobnicate > /dev/null 2>&1
[ $? -eq 2 ] || fail "unknown command"
set -e
echo "levelcreator: all checks passed"
