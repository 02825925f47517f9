#!/usr/bin/env bash
# Real window under Xvfb: wimdemo draws every primitive, text style and a masked
# picture; a screenshot of the X display must match its back buffer at the
# sampled pixels. Usage: tests/e2e/wimdows_xvfb.sh BUILD_DIR
# The screenshot stays in BUILD_DIR/e2e/wimdows_xvfb.png for a look by eye.
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
demo="$build/bin/wimdemo"
[ -x "$demo" ] || { echo "missing $demo"; exit 1; }

. "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb 640x480 "$work/xvfb.log"
display="$DISPLAY"

DISPLAY="$display" SDL_VIDEODRIVER=x11 "$demo" "$work" 60 >"$work/demo.log" 2>&1 &
app_pid=$!
for _ in $(seq 200); do
    [ -e "$work/samples.txt" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
[ -e "$work/samples.txt" ] || { echo "wimdemo wrote no samples"; cat "$work/demo.log"; exit 1; }

# Where the window's client area is on the screen, and its size.
info="$(xwininfo -display "$display" -name wimdemo)"
field() { echo "$info" | awk -F: -v k="$1" '$1 ~ k { gsub(/ /, "", $2); print $2 }'; }
wx="$(field 'Absolute upper-left X')"
wy="$(field 'Absolute upper-left Y')"
ww="$(field 'Width')"
wh="$(field 'Height')"
if [ "$ww" != 480 ] || [ "$wh" != 360 ]; then
    echo "window client area is ${ww}x${wh}, expected 480x360"
    exit 1
fi

mkdir -p "$build/e2e"
shot="$build/e2e/wimdows_xvfb.png"
mismatches=-1
for attempt in 1 2 3 4 5; do
    sleep 0.3
    import -display "$display" -window root "$shot"
    # "x,y: (...)  #RRGGBB ..." of the window's area, compared with the samples.
    mismatches="$(convert "$shot" -crop "${ww}x${wh}+${wx}+${wy}" +repage -depth 8 txt:- |
        awk -v samples="$work/samples.txt" '
            BEGIN { while ((getline line < samples) > 0) { split(line, f, " "); want[f[1] "," f[2]] = f[3]; n++ } }
            /^#/ { next }
            { split($1, xy, ":"); key = xy[1]
              if (key in want) {
                  hex = ""; for (i = 2; i <= NF; i++) if ($i ~ /^#/) { hex = substr($i, 2, 6); break }
                  if (hex != want[key]) { bad++; if (bad <= 5) print "pixel " key ": screen " hex ", buffer " want[key] > "/dev/stderr" }
                  seen++ } }
            END { if (seen != n) { print "only " seen " of " n " samples on screen" > "/dev/stderr"; bad += n - seen }
                  print bad + 0 }')"
    [ "$mismatches" = 0 ] && break
    echo "attempt $attempt: $mismatches sampled pixels differ"
done

# Real X input reaches the window thread: a key press and a left click.
input_ok=0
DISPLAY="$display" xdotool mousemove $((wx + 100)) $((wy + 70)) key q click 1
for _ in $(seq 50); do
    grep -q "^key 81$" "$work/demo.log" && grep -q "^click 100 70$" "$work/demo.log" && input_ok=1 && break
    sleep 0.1
done

touch "$work/done"
status=0
wait "$app_pid" || status=$?
app_pid=""
if [ "$status" != 0 ]; then
    echo "wimdemo ended with status $status"
    cat "$work/demo.log"
    exit 1
fi
if [ "$input_ok" != 1 ]; then
    echo "FAIL: the key Q (81) and a click at (100, 70) did not arrive:"
    cat "$work/demo.log"
    exit 1
fi
if [ "$mismatches" != 0 ]; then
    echo "FAIL: screenshot differs from the back buffer ($shot)"
    exit 1
fi
echo "PASS: $(wc -l <"$work/samples.txt") sampled pixels match ($shot); key and click arrived"
