#!/usr/bin/env bash
# Plays the first start of the game in a real X window under a virtual display, with fresh
# XDG folders: after the title, the name entry asks for a name; "Ann" typed and Enter bring
# the main menu greeting Ann; closing the window saves her, and the next start greets her
# again without asking. Screenshots of each step land in SCREENSHOT_DIR.
# Usage: game_first_player_under_xvfb.sh GREENATLAS CLOSE_WINDOW SCREENSHOT_DIR
set -euo pipefail

game=$1
closer=$2
shots=$3
mkdir -p "$shots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
set -euo pipefail
game=$1 closer=$2 work=$3 shots=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
profiles="$XDG_DATA_HOME/Brightfold/Green Atlas/GAData/profiles.dat"

# The window's client area lies at (112, 64) on the 1024 x 768 screen; the probes below are
# screen positions.
shot() { import -window root "$shots/$1.png"; }
# True when every channel of the pixel is above the value.
brighter() { convert "$shots/$1.png" -format "%[fx:min(p{$2,$3}.r,min(p{$2,$3}.g,p{$2,$3}.b))*255>$4]" info: | grep -q 1; }
# The parchment of the name entry's panel, left of the main menu's board.
name_entry_shown() { brighter "$1" 350 450 200; }
# The pale face of the main menu's first button, on the board's dark wood.
menu_buttons_shown() { brighter "$1" 442 296 190; }
# Dark letters on the welcome panel: the greeting and the player's name.
greeting_shown() {
  local white
  white=$(convert "$shots/$1.png" -crop 125x45+140+325 +repage -colorspace Gray -threshold 60% -format "%[fx:mean]" info:)
  awk -v w="$white" 'BEGIN { exit !(w < 0.97) }'
}
# Shoots until the test holds, for up to 60 seconds.
wait_for() {
  local name=$1 test=$2
  for _ in $(seq 1 120); do
    shot "$name"
    "$test" "$name" && return 0
    sleep 0.5
  done
  return 1
}

# Starts the game, waits for its content and clicks through the title.
start() {
  local run=$1
  "$game" > "$work/$run.out" 2>&1 &
  pid=$!
  timeout 60 bash -c "until grep -q '^Resource Loading Time' '$work/$run.out'; do sleep 0.2; done" ||
    fail "$run: loading never ended"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Green Atlas" | tail -n 1)
  sleep 0.5
  xdotool mousemove --window "$window" 400 535
  sleep 0.3
  xdotool click 1
}

stop() {
  local run=$1
  "$closer" "$window"
  local status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "$run: exit status $status after the window was closed"
  if grep -q 'FATAL ERROR' "$work/$run.out"; then fail "$run: an error was shown"; fi
}

start first
wait_for first_name_entry name_entry_shown || fail "the name entry never appeared"
[ ! -e "$profiles" ] || fail "profiles.dat exists before a name was given"
xdotool type --window "$window" --delay 100 "Ann"
xdotool key --window "$window" Return
# Away from the buttons, which change under the pointer.
xdotool mousemove --window "$window" 700 100
wait_for first_menu menu_buttons_shown || fail "the main menu's buttons never came back"
sleep 1.5
shot first_menu
! name_entry_shown first_menu || fail "the name entry is still open"
greeting_shown first_menu || fail "the main menu greets nobody"
grep -q "Ann" "$profiles" || fail "Ann was not saved"
stop first

start second
xdotool mousemove --window "$window" 700 100
wait_for second_menu menu_buttons_shown || fail "the main menu's buttons never appeared on the second start"
sleep 1.5
shot second_menu
! name_entry_shown second_menu || fail "the second start asked for a name again"
crop() { convert "$shots/$1.png" -crop 125x45+140+325 +repage "$work/$1_welcome.png"; }
crop first_menu
crop second_menu
[ "$(compare -metric AE "$work/first_menu_welcome.png" "$work/second_menu_welcome.png" null: 2>&1)" = 0 ] ||
  fail "the second start's greeting differs from the first"
stop second
DRIVE
chmod +x "$work/drive.sh"

# Display numbers from 131 up, clear of the ones other tools take first.
if ! timeout 240 xvfb-run -a -n 131 -s "-screen 0 1024x768x24" "$work/drive.sh" "$game" "$closer" "$work" "$shots"; then
  for run in first second; do
    [ -e "$work/$run.out" ] && { echo "--- $run run" >&2; cat "$work/$run.out" >&2; }
  done
  exit 1
fi
echo "passed"
