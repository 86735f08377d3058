# Steps shared by the scenarios that play the game under a virtual display (sourced; see
# play_under_xvfb.sh, which sets GAME, CLOSER, WORK and SHOTS).
set -euo pipefail
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
profiles="$XDG_DATA_HOME/Brightfold/Green Atlas/GAData/profiles.dat"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The window's client area lies at (112, 64) on the 1024 x 768 screen. Probes and clicks
# take positions in the game's own 800 x 600 coordinates.
readonly client_x=112 client_y=64
shot() { import -window root "$SHOTS/$1.png"; }
# The pixel's "r g b" at a game position of the named screenshot.
pixel() {
  convert "$SHOTS/$1.png" -format "%[fx:int(255*p{$(($2 + client_x)),$(($3 + client_y))}.r)] %[fx:int(255*p{$(($2 + client_x)),$(($3 + client_y))}.g)] %[fx:int(255*p{$(($2 + client_x)),$(($3 + client_y))}.b)]" info:
}
# True when every channel of the pixel is above the value.
brighter() {
  local r g b
  read -r r g b < <(pixel "$1" "$2" "$3")
  [ "$r" -gt "$4" ] && [ "$g" -gt "$4" ] && [ "$b" -gt "$4" ]
}
# True when the pixel is within 12 of the colour in every channel.
colour_near() {
  local r g b
  read -r r g b < <(pixel "$1" "$2" "$3")
  local dr=$((r - $4)) dg=$((g - $5)) db=$((b - $6))
  [ "${dr#-}" -le 12 ] && [ "${dg#-}" -le 12 ] && [ "${db#-}" -le 12 ]
}
# Shoots until the test holds, for up to 60 seconds.
wait_for() {
  local name=$1
  shift
  for _ in $(seq 1 120); do
    shot "$name"
    "$@" "$name" && return 0
    sleep 0.5
  done
  return 1
}
click() {
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.3
  xdotool click 1
}
# Away from every button, which would change under the pointer.
park_pointer() { xdotool mousemove --window "$window" 700 100; }

# The parchment of a dialog's panel, left of the main menu's board.
panel_shown() { brighter "$1" 238 386 200; }
# The pale face of the main menu's first button, on the board's dark wood.
menu_buttons_shown() { brighter "$1" 330 232 190; }
# Dark letters on the welcome sign: the greeting and the player's name.
greeting_shown() {
  local white
  white=$(convert "$SHOTS/$1.png" -crop 125x45+140+325 +repage -colorspace Gray -threshold 60% -format "%[fx:mean]" info:)
  awk -v w="$white" 'BEGIN { exit !(w < 0.97) }'
}

# Starts the program with the arguments that follow the run's name and waits for its
# content and its window.
launch() {
  local run=$1
  shift
  "$GAME" "$@" > "$WORK/$run.out" 2>&1 &
  pid=$!
  timeout 60 bash -c "until grep -q '^Resource Loading Time' '$WORK/$run.out'; do sleep 0.2; done" ||
    fail "$run: loading never ended"
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Green Atlas" | tail -n 1)
}

# Starts the game, waits for its content and clicks through the title.
start() {
  launch "$1"
  sleep 0.5
  click 400 535
}

# Closes the window as a player would and expects a clean exit.
stop() {
  local run=$1
  "$CLOSER" "$window"
  local status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "$run: exit status $status after the window was closed"
  if grep -q 'FATAL ERROR' "$WORK/$run.out"; then fail "$run: an error was shown"; fi
}

# Types the name into the open name entry and presses Enter.
enter_name() {
  xdotool type --window "$window" --delay 100 "$1"
  xdotool key --window "$window" Return
}

# Writes a prepared player into the data folder through the host's write command; the
# arguments follow "write".
write_profile() {
  "$GAME" write "$@" >> "$WORK/write.out" 2>&1 || { cat "$WORK/write.out" >&2; fail "no profile was written"; }
}
# As start, with the arguments that follow the run's name given to the program.
start_with() {
  launch "$@"
  sleep 0.5
  click 400 535
}
