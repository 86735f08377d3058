#!/usr/bin/env bash
# Runs the framework probe application headless for three seconds: it must load, update
# at the fixed rate of 100 updates a second (never more), present frames and exit 0.
# Usage: app_probe_headless.sh APP_PROBE
set -euo pipefail

probe=$1
source "$(dirname "$0")/probe_environment.sh"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

status=0
"$probe" -seconds=3 > "$work/out" 2> "$work/err" || status=$?
cat "$work/out" "$work/err"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
grep -q '^loaded$' "$work/out" || { echo "FAIL: loading was never handed over"; exit 1; }
updates=$(tr -d '\r' < "$work/err" | sed -n 's/^Update Count *= *//p')
draws=$(tr -d '\r' < "$work/err" | sed -n 's/^Draw Count *= *//p')
# A slow machine may fall behind (owed time is capped), but the loop never runs ahead of
# the clock.
[ "$updates" -ge 100 ] && [ "$updates" -le 310 ] || { echo "FAIL: $updates updates in 3 seconds"; exit 1; }
[ "$draws" -gt 0 ] || { echo "FAIL: nothing was presented"; exit 1; }
echo "passed: $updates updates, $draws frames"
