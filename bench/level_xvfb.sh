#!/usr/bin/env bash
# How light the game is on a machine without a GPU: starts it in a virtual X
# server of 1920 x 1080 with openbox, skips the intro at once and prints the
# time from exec to the start menu on the screen and the memory in the menu,
# then enters level 1 and prints the process's CPU (of one core) and memory
# while the player stands idle. Run it on a quiet machine. PRESENT (auto,
# renderer or surface) goes into the settings file, to compare the two paths,
# and so does SMOOTH (true or false), to compare drawing between ticks or not;
# further arguments go to the game (--fullscreen: the whole 1920 x 1080 screen).
# Usage: bench/level_xvfb.sh BUILD_DIR [SECONDS_MEASURED [PRESENT [SMOOTH [GAME_ARGS...]]]]
set -euo pipefail

build="$(cd "${1:?usage: level_xvfb.sh BUILD_DIR [SECONDS]}" && pwd)"
seconds="${2:-10}"
game="$build/bin/kolvemar-trovix"
. "$(dirname "$0")/../scripts/xvfb.sh"

start_xvfb 1920x1080 "$work/xvfb.log"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
cp -r "$build/game/." "$work/game"
rm -f "$work"/game/levels/save*.txt
mkdir -p "$XDG_CONFIG_HOME/kolvemar-trovix"
{
    [ -z "${3:-}" ] || echo "present=$3"
    [ -z "${4:-}" ] || echo "smooth=$4"
} >"$XDG_CONFIG_HOME/kolvemar-trovix/settings.txt"
export SDL_AUDIODRIVER=dummy
images="$work/game/images"

# The start menu and the arena, as game pixels and the colours they show.
menu="5 5 $(pixel_of "$images/Backgrounds/robotachtergrond.bmp" 5 5)"
menu="$menu;320 80 $(pixel_of "$images/Start0.bmp" 20 10)"
arena="400 30 22,104,69"

python3 - "$game" "$work/game" "$menu" "$arena" "$seconds" "${@:5}" <<'EOF'
import ctypes, os, subprocess, sys, time

game, folder, menu, arena, seconds = sys.argv[1:6]
game_args = sys.argv[6:]
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
display = x11.XOpenDisplay(None)
xtst = ctypes.CDLL("libXtst.so.6")
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
KEY_N = x11.XKeysymToKeycode(display, ord("n"))
# A look at a window not yet mapped is an X error; it only means "not yet".
on_error = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
x11.XSetErrorHandler(on_error)

def checks(text):
    out = []
    for part in text.split(";"):
        x, y, rgb = part.split()
        out.append((int(x), int(y), tuple(int(c) for c in rgb.split(","))))
    return out

def size(wid):
    root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
    w, h, b, d = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
    x11.XGetGeometry(display, wid, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                     ctypes.byref(w), ctypes.byref(h), ctypes.byref(b), ctypes.byref(d))
    return w.value, h.value

def pixel(wid, gx, gy):
    w, h = size(wid)
    side = min(w, h)
    if side == 0:
        return None
    px, py = (w - side) // 2 + gx * side // 800, (h - side) // 2 + gy * side // 800
    img = x11.XGetImage(display, wid, px, py, 1, 1, 0xFFFFFFFF, 2)
    if not img:
        return None
    p = x11.XGetPixel(img, 0, 0)
    # XDestroyImage is a macro; the image leaks a few bytes per look.
    return ((p >> 16) & 255, (p >> 8) & 255, p & 255)

def shows(wid, want):
    for gx, gy, rgb in want:
        got = pixel(wid, gx, gy)
        if got is None or any(abs(a - b) > 24 for a, b in zip(got, rgb)):
            return False
    return True

def key_n(down):  # straight through XTest: a program per key would add its own start-up
    xtst.XTestFakeKeyEvent(display, KEY_N, down, 0)
    x11.XFlush(display)

def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.split()

def cpu(pid):  # user + system time in clock ticks
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])

def rss(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0

def wait_for(what, test, limit=30):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        got = test()
        if got:
            return got
        time.sleep(0.002)
    sys.exit(f"{what} never came")

started = time.monotonic()
app = subprocess.Popen([game] + game_args, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    wid = int(wait_for("the window", lambda: xdo("search", "--name", "^Kolvemar-Trovix$")[:1])[0])
    # N held from the window's first moment, let go once the intro shows: a
    # check of the intro sees it held, the next one with it up ends the intro.
    wait_for("the focus", lambda: xdo("windowfocus", str(wid)) or xdo("getwindowfocus") == [str(wid)])
    key_n(True)
    wait_for("the intro", lambda: shows(wid, [(5, 400, (255, 255, 255))]))
    intro = time.monotonic() - started
    time.sleep(0.06)  # the intro's first check comes 40 ms after its first frame
    key_n(False)
    wait_for("the start menu", lambda: shows(wid, checks(menu)))
    print(f"start to the intro's first frame: {intro:.2f} s")
    print(f"start to menu, N held from the start: {time.monotonic() - started:.2f} s")
    time.sleep(1.5)
    print(f"memory in the menu: {rss(app.pid):.0f} MB")
    w, h = size(wid)
    side = min(w, h)
    xdo("mousemove", "--window", str(wid), str((w - side) // 2 + 400 * side // 800),
        str((h - side) // 2 + 95 * side // 800), "click", "1")
    wait_for("the arena", lambda: shows(wid, checks(arena)))
    xdo("mousemove", "--window", str(wid), "0", "0")
    time.sleep(3)  # the level's opening animation
    tick = os.sysconf("SC_CLK_TCK")
    t0, c0 = time.monotonic(), cpu(app.pid)
    time.sleep(float(seconds))
    used = (cpu(app.pid) - c0) / tick / (time.monotonic() - t0)
    print(f"CPU in level 1, player idle: {100 * used:.1f}% of a core")
    print(f"memory in level 1: {rss(app.pid):.0f} MB")
finally:
    app.terminate()
    app.wait(20)
EOF
kill "$wm" 2>/dev/null || true
