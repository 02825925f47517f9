# Sourced by the scripts that run the game in a virtual X server. It gives the
# caller a temporary folder, $work; at exit the program whose pid the caller
# keeps in app_pid, the server and the folder all go.
work="$(mktemp -d)"
# The programs keep their settings and the player's files in $work, never in a real home.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
# The game speaks Dutch, its own language, unless the caller asks for another
# after sourcing this: the screenshots are checked against the Dutch pictures.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# fail MESSAGE ends the script with the message and the game's console
# ($work/run.out and run.err, where the caller keeps them); a script with other
# files to show defines its own after sourcing this.
fail() {
    echo "FAIL: $*" >&2
    local f
    for f in run.out run.err; do
        [ -f "$work/$f" ] && { echo "--- $f:" >&2; cat "$work/$f" >&2; }
    done
    exit 1
}

# app_ends TENTHS waits up to that many tenths of a second for the program
# whose pid is in app_pid to end; false when it still runs.
app_ends() {
    for _ in $(seq "$1"); do
        kill -0 "$app_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$app_pid" 2>/dev/null
}

# start_xvfb WIDTHxHEIGHT LOG starts Xvfb on a display it picks itself (so
# parallel runs never collide), exports DISPLAY and sets xvfb_pid for the
# caller's clean-up. Returns 1, with the server's log on stderr, when no
# server answers. The server never resets: after the check's own client left,
# a reset could refuse the next client (the window manager) for a moment.
start_xvfb() {
    local size="$1" log="$2"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$log.display" >"$log" 2>&1 &
    xvfb_pid=$!
    local n=""
    for _ in $(seq 100); do
        [ -s "$log.display" ] && n="$(head -n1 "$log.display")" && break
        sleep 0.1
    done
    if [ -z "$n" ] || ! xdpyinfo -display ":$n" >/dev/null 2>&1; then
        echo "Xvfb did not start" >&2
        cat "$log" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

# ---- The game's window, whose id is kept in wid.

# find_window: waits for the game's window, keeps its id in wid and gives it the keyboard.
find_window() {
    wid="$(timeout 20 xdotool search --sync --name '^Kolvemar-Trovix$' | head -n 1)" ||
        fail "no game window"
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
}

# tap KEY: one quick press and release, as a player's tap.
tap() {
    xdotool key --window "$wid" "$1"
    sleep 0.3
}

# ---- Reading pixels; the game's window is the one whose id the caller keeps in wid.

# Pixel (x, y) of a picture file, or of a screenshot, as "r,g,b".
pixel_of() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# near "r,g,b" "r,g,b": true when no channel differs by more than 24.
near() {
    local IFS=,
    local r1 g1 b1 r2 g2 b2 d
    read -r r1 g1 b1 <<<"$1"
    read -r r2 g2 b2 <<<"$2"
    for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
        [ "${d#-}" -le 24 ] || return 1
    done
}

# game_xy X Y: game pixel (X, Y) as a position in the window, which shows the
# 800 x 800 game square in its middle, scaled to fit.
game_xy() {
    local WIDTH HEIGHT side
    eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(WIDTH|HEIGHT)=')"
    side=$((WIDTH < HEIGHT ? WIDTH : HEIGHT))
    echo "$(((WIDTH - side) / 2 + $1 * side / 800)) $(((HEIGHT - side) / 2 + $2 * side / 800))"
}

# wait_background NAME PICTURE: waits until the game shows the background
# PICTURE (a file of the built data's images/Backgrounds, under $build).
wait_background() {
    wait_screen "$1" "5 5 $(pixel_of "$build/game/images/Backgrounds/$2" 5 5)"
}

# wait_arena NAME: waits until a level runs, its information bar over the arena.
wait_arena() {
    wait_screen "$1" "400 30 22,104,69"
}

# wait_screen NAME "x y r,g,b"...: waits until every game pixel matches the
# window (about 30 s at most); else the caller's fail, with the screenshot
# left in $build/e2e-NAME.png.
wait_screen() {
    local what=$1 got="" x y want ok check
    shift
    for _ in $(seq 150); do
        import -window "$wid" "$work/shot.png" 2>/dev/null || true
        ok=1
        for check in "$@"; do
            read -r x y want <<<"$check"
            got="$(pixel_of "$work/shot.png" $(game_xy "$x" "$y") 2>/dev/null || true)"
            near "$got" "$want" 2>/dev/null || { ok=0; break; }
        done
        [ "$ok" = 1 ] && return 0
        sleep 0.2
    done
    cp "$work/shot.png" "$build/e2e-$what.png" 2>/dev/null || true
    fail "$what: pixel ($x,$y) is $got, expected about $want (screenshot in $build/e2e-$what.png)"
}
