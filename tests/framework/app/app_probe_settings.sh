#!/usr/bin/env bash
# The probe application's settings persist from one run to the next (music volume, screen
# mode, window position); a run killed outright is seen as unclean by the next one; an
# unknown command-line parameter is refused with a message and a failed status.
# Usage: app_probe_settings.sh APP_PROBE
set -euo pipefail

probe=$1
source "$(dirname "$0")/probe_environment.sh"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

fail() { echo "FAIL: $*"; exit 1; }
expect() { # expect OUTPUT_FILE LINE
  grep -qx "$2" "$1" || { cat "$1"; fail "expected \"$2\""; }
}

"$probe" -seconds=1 -musicvolume=0.4 -moveto=30,40 > "$work/1" 2>/dev/null || fail "first run failed"
"$probe" -seconds=1 -report -fullscreen > "$work/2" 2>/dev/null || fail "second run failed"
expect "$work/2" "music volume 0.40"
expect "$work/2" "windowed yes"
expect "$work/2" "window at 30,40"
expect "$work/2" "last run ended cleanly yes"
"$probe" -seconds=1 -report > "$work/3" 2>/dev/null || fail "third run failed"
expect "$work/3" "windowed no"

# A run that never gets to shut down.
"$probe" > "$work/4" 2>/dev/null &
pid=$!
timeout 20 bash -c "until grep -q loaded '$work/4'; do sleep 0.1; done" || fail "the run to kill never loaded"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
"$probe" -seconds=1 -report > "$work/5" 2>/dev/null || fail "the run after the kill failed"
expect "$work/5" "last run ended cleanly no"
"$probe" -seconds=1 -report > "$work/6" 2>/dev/null || fail "the last run failed"
expect "$work/6" "last run ended cleanly yes"

status=0
"$probe" -bogus > "$work/7" 2>&1 || status=$?
[ "$status" != 0 ] || fail "-bogus was accepted"
grep -q "Invalid command line parameter: -bogus" "$work/7" || { cat "$work/7"; fail "no message for -bogus"; }
echo "passed"
