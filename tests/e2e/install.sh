#!/usr/bin/env bash
# Installs the game as a user would: with cmake --install into a temporary
# prefix, and from its Debian package unpacked with dpkg-deb -x into a fresh
# folder. Checks the installed files (desktop entry and AppStream metadata
# through their validators, icons, man page, package fields) and plays each
# copy: started from an unrelated folder with a temporary home and no XDG
# variables, it starts level 1, leaves it with Q and must have written the
# autosave into ~/.local/share/kolvemar-trovix, nothing into its own tree or
# the start folder.
# Usage: tests/e2e/install.sh BUILD_DIR
set -euo pipefail

build="$(cd "${1:?usage: install.sh BUILD_DIR}" && pwd)"
. "$(dirname "$0")/../../scripts/xvfb.sh"
id=org.kolvemartrovix.KolvemarTrovix

# ---- The installed files ----
check_tree() { # $1: the prefix (or usr/ of the unpacked package)
    local p="$1" f s
    for f in bin/kolvemar-trovix bin/levelcreator share/kolvemar-trovix/Constanten.txt \
        share/kolvemar-trovix/levels/level1.txt share/kolvemar-trovix/muziek/Fire.mp3 \
        share/kolvemar-trovix/images/Backgrounds/robotachtergrond.bmp \
        "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
        share/man/man6/kolvemar-trovix.6; do
        [ -f "$p/$f" ] || fail "$f is not installed"
    done
    [ -z "$(find "$p" -name 'save*.txt*' -o -name 'Highscores*' -o -name '*.stamp')" ] ||
        fail "a player's file or a build stamp is installed"
    # Relocatable: nothing in the program names the folder it was installed to.
    ! grep -qF "$p" "$p/bin/kolvemar-trovix" || fail "the program names its prefix"
    desktop-file-validate "$p/share/applications/$id.desktop" || fail "desktop entry"
    appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "AppStream metadata"; }
    for s in 48 64 128 256; do
        f="$p/share/icons/hicolor/${s}x${s}/apps/$id.png"
        [ "$(identify -format '%wx%h' "$f" 2>/dev/null)" = "${s}x${s}" ] || fail "icon $s"
    done
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$p/share/man/man6/kolvemar-trovix.6" \
        >"$work/man.txt" 2>"$work/man.err" || fail "man page"
    [ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man page warnings"; }
    for s in CONTROLS FILES .local/share/kolvemar-trovix; do
        grep -q "$s" "$work/man.txt" || fail "the man page has no $s"
    done
}

# ---- Playing an installed copy ----
play() { # $1: the installed tree, $2: a name for this copy
    local tree="$1" home="$work/home-$2" start="$work/start-$2" before
    local player="$work/home-$2/.local/share/kolvemar-trovix"
    local images="$tree/share/kolvemar-trovix/images"
    mkdir -p "$home" "$start"
    before="$(cd "$tree" && find . -printf '%p %s %T@\n' | sort)"
    (cd "$start" && exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
        SDL_AUDIODRIVER=dummy "$tree/bin/kolvemar-trovix" >"$work/run.out" 2>&1) &
    app_pid=$!
    wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
        fail "$2: no game window"
    xdotool keydown n sleep 0.25 keyup n    # skip the intro
    xdotool mousemove --window "$wid" $(game_xy 50 790)
    wait_screen "install-$2-start-menu" \
        "5 5 $(pixel_of "$images/Backgrounds/robotachtergrond.bmp" 5 5)" \
        "320 80 $(pixel_of "$images/Start0.bmp" 20 10)"
    xdotool mousemove --window "$wid" $(game_xy 400 95) sleep 0.1 click 1 # Start
    wait_screen "install-$2-level" "400 30 22,104,69" # the information bar
    xdotool keydown q sleep 0.25 keyup q
    app_ends 100 || fail "$2: the game did not end"
    wait "$app_pid" || fail "$2: the game exited with status $?"
    app_pid=""
    grep -qx "bye, thanks for playing" "$work/run.out" || fail "$2: no farewell"
    [ -f "$player/levels/save5.txt" ] || fail "$2: no autosave in $player"
    "$tree/bin/levelcreator" check "$player/levels/save5.txt" >/dev/null ||
        fail "$2: the autosave is not a valid level file"
    [ -z "$(ls -A "$start")" ] || fail "$2: the game wrote into the folder it was started from"
    [ "$(cd "$tree" && find . -printf '%p %s %T@\n' | sort)" = "$before" ] ||
        fail "$2: the game changed its installed tree"
    echo "ok: $2 plays from anywhere and saves in the player's folder"
}

start_xvfb 1024x900 "$work/xvfb.log" || fail "Xvfb did not start"

cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
check_tree "$work/prefix"
echo "ok: cmake --install"
play "$work/prefix" installed

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$(ls "$work"/package/kolvemar-trovix_*.deb)"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' ||
    fail "the package's dependencies: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr"
echo "ok: the Debian package"
play "$work/unpacked/usr" unpacked
