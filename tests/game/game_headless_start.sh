#!/usr/bin/env bash
# Starts the game as a player would, headless, from main.pak beside it: it must load the
# resource group "Game", keep running until it is asked to close (SIGTERM, which reaches it
# as the window's close), then save the players' files and exit 0.
# Usage: game_headless_start.sh GREENATLAS
set -euo pipefail

game=$1
pid=
work=$(mktemp -d)
trap 'kill "$pid" 2> /dev/null || true; rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

# Started from elsewhere: the game finds its content in its own folder.
cd "$work"
"$game" > "$work/out" 2>&1 &
pid=$!

for _ in $(seq 1 600); do
  grep -q '^Resource Loading Time' "$work/out" && break
  kill -0 "$pid" 2> /dev/null || break
  sleep 0.1
done
grep -q '^Resource Loading Time' "$work/out" || { cat "$work/out"; echo "FAIL: loading never ended"; exit 1; }
# Still running after loading, until it is closed.
sleep 1
kill -0 "$pid" 2> /dev/null || { cat "$work/out"; echo "FAIL: the game ended by itself"; exit 1; }

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
cat "$work/out"
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
if grep -q 'FATAL ERROR' "$work/out"; then echo "FAIL: an error was shown"; exit 1; fi
data="$XDG_DATA_HOME/Brightfold/Green Atlas/GAData"
[ "$(stat -c %s "$data/options.dat")" = 18 ] || { echo "FAIL: options.dat not saved"; exit 1; }
[ "$(stat -c %s "$data/scoreslists.dat")" = 180 ] || { echo "FAIL: scoreslists.dat not saved"; exit 1; }
echo "passed"
