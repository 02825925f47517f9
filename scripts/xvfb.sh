# Sourced by the scripts that run the game in a virtual X server. It gives the
# caller a temporary folder, $work; at exit the program whose pid the caller
# keeps in app_pid, the server and the folder all go.
work="$(mktemp -d)"
# The programs keep their settings and the player's files in $work, never in a real home.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# start_xvfb WIDTHxHEIGHT LOG starts Xvfb on a display it picks itself (so
# parallel runs never collide), exports DISPLAY and sets xvfb_pid for the
# caller's clean-up. Returns 1, with the server's log on stderr, when no
# server answers.
start_xvfb() {
    local size="$1" log="$2"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$log.display" >"$log" 2>&1 &
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
