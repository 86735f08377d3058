#!/usr/bin/env bash
# Shows the display probe's test picture in a window and in full screen on a virtual
# 1280x800 display, and the reference scene with a moving cursor in a window; takes a
# screenshot of each and checks a few pixels of them: the window shows the picture as is
# at the top left, full screen shows it scaled to the screen's height between black bars,
# and the scene is drawn on the display surface.
# Usage: display_probe_under_xvfb.sh DISPLAY_PROBE OUTPUT_FOLDER
set -euo pipefail

probe=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/shoot.sh" <<'SHOOT'
#!/usr/bin/env bash
set -euo pipefail
# A real X window, whatever driver the other tests chose.
SDL_VIDEODRIVER=x11 "$1" "$2" 4 > "$4" 2>&1 &
pid=$!
for _ in $(seq 100); do
  grep -q presented "$4" && break
  sleep 0.2
done
sleep 0.5
import -window root "$3"
wait "$pid"
SHOOT
chmod +x "$work/shoot.sh"

# The colour of one pixel of a screenshot, as "R,G,B".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Each channel within 2 of the expected one: fills and blits on the display surface may
# round a channel down.
expect() {
  local actual
  actual=$(pixel "$1" "$2" "$3")
  local -a want got
  IFS=, read -r -a want <<< "$4"
  IFS=, read -r -a got <<< "$actual"
  for i in 0 1 2; do
    local difference=$(( want[i] - got[i] ))
    if (( difference > 2 || difference < -2 )); then
      echo "$1 at ($2,$3): expected $4, found $actual" >&2
      return 1
    fi
  done
}

for mode in windowed fullscreen scene; do
  timeout 120 xvfb-run -a -s "-screen 0 1280x800x24" "$work/shoot.sh" "$probe" "$mode" "$out/display_$mode.png" \
    "$work/$mode.log" || { cat "$work/$mode.log" >&2; exit 1; }
done

# Windowed: the white bar at (60, 200), the yellow one next to it, the frame's orange corner.
expect "$out/display_windowed.png" 60 200 255,255,255
expect "$out/display_windowed.png" 160 200 255,255,0
expect "$out/display_windowed.png" 0 0 255,140,0
# Full screen: 800x600 scaled by 4/3 to 1066x800 at x = 107, black bars on both sides.
expect "$out/display_fullscreen.png" 50 400 0,0,0
expect "$out/display_fullscreen.png" 1230 400 0,0,0
expect "$out/display_fullscreen.png" 200 300 255,255,255
# The scene: the background and the first sprite's top-left pixel.
expect "$out/display_scene.png" 790 20 30,50,70
expect "$out/display_scene.png" 20 20 0,0,96
