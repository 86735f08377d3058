#!/usr/bin/env bash
# Types and clicks into the message probe's real X window under a virtual display and
# compares the keyboard and mouse messages it printed with the stream a desktop gives.
# Usage: probe_under_xvfb.sh MESSAGE_PROBE CLOSE_WINDOW
set -euo pipefail

probe=$1
closer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -euo pipefail
# A real X window, whatever driver the other tests chose.
SDL_VIDEODRIVER=x11 "$1" > "$3" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name "Message Probe" | head -n 1)
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
xdotool type --delay 50 "aZ"
xdotool key Return
xdotool mousemove --window "$window" 10 20
sleep 0.2
xdotool click 1
# Past the double-click time, so that the next pair starts afresh.
sleep 0.8
xdotool click --repeat 2 --delay 80 1
sleep 0.3
xdotool key alt+r
sleep 0.3
"$2" "$window"
wait "$pid"
DRIVE
chmod +x "$work/drive.sh"

timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$work/drive.sh" "$probe" "$closer" "$work/messages.txt"

# Keyboard and button messages only, without their lParam (scan codes differ by keyboard).
grep -E '^WM_(SYS)?(KEY|CHAR)|^WM_[LRM]BUTTON|^WM_CLOSE' "$work/messages.txt" |
  sed -E 's/^(WM_[A-Z]+ [^ ]+) .*/\1/' > "$work/actual.txt"

cat > "$work/expected.txt" <<'EXPECTED'
WM_KEYDOWN 0x41
WM_CHAR 0x61
WM_KEYUP 0x41
WM_KEYDOWN 0x10
WM_KEYDOWN 0x5A
WM_CHAR 0x5A
WM_KEYUP 0x10
WM_KEYUP 0x5A
WM_KEYDOWN 0xD
WM_CHAR 0xD
WM_KEYUP 0xD
WM_LBUTTONDOWN 10,20
WM_LBUTTONUP 10,20
WM_LBUTTONDOWN 10,20
WM_LBUTTONUP 10,20
WM_LBUTTONDBLCLK 10,20
WM_LBUTTONUP 10,20
WM_SYSKEYDOWN 0x12
WM_SYSKEYDOWN 0x52
WM_SYSCHAR 0x72
WM_SYSKEYUP 0x12
WM_KEYUP 0x52
WM_CLOSE 0x0
EXPECTED

diff -u "$work/expected.txt" "$work/actual.txt"
