#!/usr/bin/env bash
# Plays a scenario of the game in a real X window under a virtual display, with fresh XDG
# folders. The scenario is a bash script that sources xvfb/game_steps.sh and drives the game
# with xdotool; its screenshots land in SCREENSHOT_DIR, named after each step. A scenario
# that needs a second window gets the message probe as PROBE.
# Usage: play_under_xvfb.sh SCENARIO GREENATLAS CLOSE_WINDOW SCREENSHOT_DIR [MESSAGE_PROBE]
set -euo pipefail

scenario=$1
export GAME=$2 CLOSER=$3 SHOTS=$4 PROBE=${5:-}
mkdir -p "$SHOTS"
WORK=$(mktemp -d)
export WORK
trap 'rm -rf "$WORK"' EXIT
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Display numbers from 131 up, clear of the ones other tools take first. The longest scenario
# takes two minutes on a quiet machine; a loaded one of two cores may need twice that.
if ! timeout 400 xvfb-run -a -n 131 -s "-screen 0 1024x768x24" bash "$scenario"; then
  for out in "$WORK"/*.out; do
    [ -e "$out" ] && { echo "--- $(basename "$out" .out) run" >&2; cat "$out" >&2; }
  done
  exit 1
fi
echo "passed"
