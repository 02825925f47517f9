#!/usr/bin/env bash
# The real program's command line, without a display: --help, --version and
# bad command lines with their exit statuses; no display ends within a second
# with "Can't create window." and status 1; the built manual page reads
# without warnings and has every option --help shows.
# Usage: tests/cli/command_line.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: command_line.sh BUILD_DIR}" && pwd)"
game="$build/bin/kolvemar-trovix"
page="$build/share/man/man6/kolvemar-trovix.6"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# run ARGS...: the status in $status, the console in $work/out and $work/err.
run() {
    status=0
    "$@" >"$work/out" 2>"$work/err" || status=$?
}

run "$game" --help
[ "$status" = 0 ] && [ ! -s "$work/err" ] || fail "--help: status $status"
head -n1 "$work/out" | grep -qx "Usage: kolvemar-trovix \[OPTION\]..." || fail "--help: no usage line"
cp "$work/out" "$work/help"
run "$game" -h
cmp -s "$work/out" "$work/help" || fail "-h differs from --help"

run "$game" --version
[ "$status" = 0 ] || fail "--version: status $status"
grep -qx "kolvemar-trovix [0-9.]*" "$work/out" || fail "--version: no version line"
grep -qx "data: $build/game" "$work/out" || fail "--version: data folder: $(cat "$work/out")"
grep -qx "saves: $XDG_DATA_HOME/kolvemar-trovix" "$work/out" || fail "--version: saves"

for bad in "--bogus" "--level 0" "--level 99" "-t" "--data-dir $work" "extra"; do
    # shellcheck disable=SC2086
    run "$game" $bad
    [ "$status" = 2 ] || fail "'$bad': status $status, not 2"
    [ ! -s "$work/out" ] || fail "'$bad' wrote to standard output"
    [ "$(wc -l <"$work/err")" = 2 ] && [ "$(tail -n1 "$work/err")" = "Try 'kolvemar-trovix --help'." ] ||
        fail "'$bad': $(cat "$work/err")"
done
run "$game" --level 99
grep -qx "kolvemar-trovix: there is no level 99 (1 to 12)" "$work/err" || fail "$(cat "$work/err")"
echo "ok: --help, --version and bad command lines"

start=$(date +%s%N)
run env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$game"
ms=$((($(date +%s%N) - start) / 1000000))
[ "$status" = 1 ] || fail "no display: status $status"
grep -qx "Can't create window." "$work/err" || fail "no display: $(cat "$work/err")"
! grep -q "ready to play" "$work/out" || fail "no display: the game played on"
[ "$ms" -lt 1000 ] || fail "no display: it took $ms ms"
echo "ok: no display ends in $ms ms with status 1"

LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$work/man" 2>"$work/man.err" || fail "man"
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man page warnings"; }
for option in $(grep -o -- '--[a-z-]*' "$work/help" | sort -u); do
    grep -q -- "$option" "$work/man" || fail "the man page has no $option"
done
for s in OPTIONS CONTROLS F11 F12 "game controller" volume FILES screenshots "EXIT STATUS"; do
    grep -q "$s" "$work/man" || fail "the man page has no $s"
done
echo "ok: the manual page"
