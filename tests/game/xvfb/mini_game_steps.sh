# Steps of the scenarios that play a habitat's mini-game through the game host (sourced after
# game_steps.sh and adventure_steps.sh): a saved game one chain from the end of the habitat's
# last stage, its chain dragged, the page before the mini-game, the mini-game's intro and its
# Start; and the score of the saved player.

# The chain that the host's write printed ("chain: COLUMN ROW ..."), as "column row" pairs.
chain_cells() { sed -n 's/^chain: //p' "$WORK/write.out" | tail -n 1; }

# One cell's look: the mean colours of a 4 x 4 grid over the middle of its tile, as
# fingerprints gives them for every cell. Arguments: SHOT COLUMN ROW.
look_of() {
  convert "$SHOTS/$1.png" \
    -crop "48x48+$(($(centre_x "$2") - 24 + client_x))+$(($(centre_y "$3") - 24 + client_y))" \
    +repage -scale '4x4!' -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | tr '\n' ' '
}
# The two looks agree (one creature's picture): they differ by less than 6 on average.
looks_alike() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    n = split(a, x, " "); split(b, y, " "); sum = 0
    for (i = 1; i <= n; ++i) { d = x[i] - y[i]; sum += d < 0 ? -d : d }
    exit !(n > 0 && sum / n < 6)
  }'
}
# Dealt, as far as the looks tell: the chain's cells show one creature and look as in the
# shot before (the tiles rest), and the first of them shows another look than the bottom
# left cell, which holds a creature of the pattern around and is dealt after them (cells
# are dealt row by row from the top). Bare cells may pass too where the board is clear
# enough to show a plain background.
chain_dealt() {
  local cells first look looks i
  read -ra cells <<<"$(chain_cells)"
  first=$(look_of "$1" "${cells[0]}" "${cells[1]}")
  looks=$first
  ! looks_alike "$first" "$(look_of "$1" 0 5)" || return 1
  for ((i = 2; i < ${#cells[@]}; i += 2)); do
    look=$(look_of "$1" "${cells[i]}" "${cells[i + 1]}")
    looks+=$look
    looks_alike "$first" "$look" || return 1
  done
  [ "$looks" = "$(cat "$WORK/chain_looks.txt" 2>/dev/null)" ] && return 0
  echo "$looks" > "$WORK/chain_looks.txt"
  return 1
}
# Presses on the chain's first cell, moves over the others in turn and lets go.
drag_chain() {
  local cells i
  read -ra cells <<<"$(chain_cells)"
  xdotool mousemove --window "$window" "$(centre_x "${cells[0]}")" "$(centre_y "${cells[1]}")"
  sleep 0.3
  xdotool mousedown 1
  for ((i = 2; i < ${#cells[@]}; i += 2)); do
    sleep 0.3
    xdotool mousemove --window "$window" "$(centre_x "${cells[i]}")" "$(centre_y "${cells[i + 1]}")"
  done
  sleep 0.3
  xdotool mouseup 1
}
# The board takes a chain once play has begun, which the dealt tiles do not show: the chain
# is dragged until the score shows another number than the saved one. Arguments: the
# saved score. Shot: chain_taken.
take_chain() {
  local saved attempt
  saved=$(printf '%09d' "$1")
  for ((attempt = 0; attempt < 20; ++attempt)); do
    drag_chain
    park_pointer
    sleep 0.5
    shot chain_taken
    score_shown "$saved" chain_taken || return 0
  done
  fail "the board never took the chain"
}

# From the main menu of the saved player: Continue, the map's Done, the dealt board; the
# chain dragged completes the last goal, and the page before the mini-game comes to rest
# with its Continue, which is pressed. Arguments: the saved score. Shots:
# continue_selection, continue_map, dealt, chain_taken, before_mini_game.
play_last_chain() {
  [ -n "$(chain_cells)" ] || fail "the host's write printed no chain"
  continue_adventure
  wait_for dealt chain_dealt || fail "the saved board was never dealt with the chain's creature on its cells"
  take_chain "$1"
  wait_for before_mini_game story_continue_offered || fail "the goal-complete page never came to rest with its Continue"
  click $((story_continue_x + 100)) $((story_continue_y + 25))
  park_pointer
}

# The mini-game's large button (Start in the ready panel, Done in the finish panel), centred
# at the foot of the panel that lies centred on the screen.
readonly mini_button_x=300 mini_button_y=450 panel_x=192 panel_y=50

# A corner of the habitat's mini-game background, bare in every state but the intro's start.
# Arguments: BACKGROUND_FILE SHOT.
mini_game_background() { shows_picture "$2" 0 0 "../minigame/$1" 0 0 40 30; }
# The intro uncovers the background from the top down before the Start button comes.
mini_game_intro() { mini_game_background "$1" "$2" && ! large_button_at "$2" $mini_button_x $mini_button_y; }
# The panel with its button: the ready panel's Start, the finish panel's Done.
mini_game_panel() {
  mini_game_background "$1" "$2" && shows_picture "$2" $panel_x $panel_y submenu.png 20 200 30 60 &&
    large_button_at "$2" $mini_button_x $mini_button_y
}
# Play: neither the panel nor its button.
mini_game_playing() {
  mini_game_background "$1" "$2" && ! shows_picture "$2" $panel_x $panel_y submenu.png 20 200 30 60 &&
    ! large_button_at "$2" $mini_button_x $mini_button_y
}

# The intro lasts two seconds or so: it is looked for in small captures of the corner of
# the screen, taken one after the other, for up to 60 seconds, and shot once the corner
# shows the background. Arguments: the background's file.
catch_intro() {
  local n difference
  convert "$pictures/../minigame/$1" -crop 40x30+0+0 +repage "$WORK/background_corner.png"
  for ((n = 0; n < 600; ++n)); do
    import -window root -crop "40x30+$client_x+$client_y" +repage "$WORK/corner.png"
    difference=$({ compare -metric MAE "$WORK/corner.png" "$WORK/background_corner.png" null: 2>&1 || true; } |
      sed 's/.*(\(.*\))/\1/')
    if awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }'; then
      shot intro
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The intro, the ready panel, Start, and play. Arguments: the background's file.
# Shots: intro, ready, playing.
start_mini_game() {
  catch_intro "$1" || fail "the page's Continue did not lead on to the mini-game"
  mini_game_intro "$1" intro || fail "no intro uncovered the mini-game's background"
  wait_for ready mini_game_panel "$1" || fail "the intro never ended in the ready panel with its Start"
  click $((mini_button_x + 100)) $((mini_button_y + 25))
  wait_for playing mini_game_playing "$1" || fail "Start did not start the mini-game"
}

# The score of the first player in profiles.dat: after the count and the current index (two
# 32-bit numbers), the name (a 16-bit length and its letters) and the habitats started.
saved_score() {
  local length
  length=$(od -An -tu2 -j8 -N2 "$profiles" | tr -d ' ')
  od -An -td4 -j$((8 + 2 + length + 4)) -N4 "$profiles" | tr -d ' '
}
