#!/usr/bin/env bash
# Runs the framework probe application in a real X window under a virtual display: the
# window is centred, a click on its button reaches the application, a second copy wakes
# the first and exits 0, and closing the window shuts the application down cleanly.
# Usage: app_probe_under_xvfb.sh APP_PROBE CLOSE_WINDOW SCREENSHOT_DIR
set -euo pipefail

probe=$1
closer=$2
shots=$3
mkdir -p "$shots"
source "$(dirname "$0")/probe_environment.sh"

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -euo pipefail
probe=$1 closer=$2 work=$3 shots=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
# A real X window, whatever driver the other tests chose.
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
"$probe" > "$work/first.out" 2> "$work/first.err" &
pid=$!
timeout 20 bash -c "until grep -q loaded '$work/first.out'; do sleep 0.1; done" || fail "loading never ended"
# Looked up once loading has ended: the display set-up may replace the first window it makes.
window=$(timeout 20 xdotool search --sync --onlyvisible --name "GreenAtlas framework probe" | tail -n 1)

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window at $X,$Y size ${WIDTH}x${HEIGHT}"
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x${HEIGHT}"
# Centred across the 1024-pixel screen, its top at 38.2% of the free height.
[ "$X" = 112 ] && [ "$Y" = 64 ] || fail "window at $X,$Y instead of 112,64"

xdotool mousemove --window "$window" 400 300
sleep 0.3
xdotool click 1
timeout 10 bash -c "until grep -q 'clicked 1' '$work/first.out'; do sleep 0.1; done" || fail "the click did not reach the button"
sleep 0.3
import -window root "$shots/app_probe.png"
# The pictures loaded from the manifest are on the screen: the first tile, the leaf and the
# badge (the window's client area starts at 112,64).
pixels=$(convert "$shots/app_probe.png" -format "%[pixel:p{184,516}] %[pixel:p{500,512}] %[pixel:p{620,512}]" info:)
[ "$pixels" = "srgb(46,125,50) srgb(40,110,40) srgb(240,150,40)" ] || fail "loaded pictures not drawn: $pixels"

"$probe" > "$work/second.out" 2>&1 || fail "the second copy exited with $?"
timeout 10 bash -c "until grep -q 'woken by another copy' '$work/first.out'; do sleep 0.1; done" ||
  fail "the first copy was not woken"
kill -0 "$pid" 2>/dev/null || fail "the first copy ended when the second started"

"$closer" "$window"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the probe exited with $status after its window was closed"
grep -q "shut down" "$work/first.out" || fail "no orderly shutdown"
grep -q "Update Count" "$work/first.err" || fail "no run statistics"
DRIVE
chmod +x "$work/drive.sh"

if ! timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh" "$probe" "$closer" "$work" "$shots"; then
  echo "--- first copy" >&2; cat "$work/first.out" "$work/first.err" >&2 || true
  echo "--- second copy" >&2; cat "$work/second.out" >&2 2>/dev/null || true
  exit 1
fi
echo "passed"
