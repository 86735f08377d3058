#!/usr/bin/env bash
# Measures the game at rest at the main menu: it starts the game under a virtual display with
# fresh XDG folders, clicks through the title and gives a name as a player would, then
# watches the resting menu for a while and prints the peak resident memory (VmHWM) and the
# share of one core the game used (user plus system time over the wall time). Then it closes
# the window and expects a clean exit. A measurement, not a test: it passes no judgement.
# Usage: tools/measure-idle.sh [BUILD_DIR [SECONDS]]   (default build/release, 30)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../build/release}" && pwd)
seconds=${2:-30}

if [ -z "${MEASURE_IDLE_UNDER_X:-}" ]; then
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  export WORK MEASURE_IDLE_UNDER_X=1
  export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  xvfb-run -a -n 171 -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" "$build" "$seconds"
  exit
fi

export GAME="$build/greenatlas" CLOSER="$build/tools/close_window" SHOTS="$WORK/shots"
mkdir -p "$SHOTS"
source "$here/../tests/game/xvfb/game_steps.sh"

# CPU time (user plus system) of a process so far, in clock ticks. The command name in
# /proc/PID/stat is in parentheses and may hold spaces, so fields count from its end.
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<< "$stat"
  echo $((fields[11] + fields[12]))
}

start idle
wait_for idle_name_entry panel_shown || fail "the name entry never appeared"
enter_name "Ann"
park_pointer
wait_for idle_menu menu_buttons_shown || fail "the main menu never appeared"
sleep 2

ticks_before=$(cpu_ticks "$pid")
sleep "$seconds"
ticks_after=$(cpu_ticks "$pid")
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
ticks_per_second=$(getconf CLK_TCK)

awk -v kb="$peak_kb" -v ticks=$((ticks_after - ticks_before)) -v hz="$ticks_per_second" -v s="$seconds" \
  'BEGIN { printf "VmHWM at the idle main menu: %.1f MB\nCPU at the idle main menu: %.3f of a core over %d s\n", kb / 1024, ticks / hz / s, s }'
stop idle
