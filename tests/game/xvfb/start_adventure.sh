# A new player names themself and presses Play (Start adventure) on the main menu: the menu
# gives way to the first habitat, the Amazon, whose board deals a tile into each of its 36
# cells over the habitat's background.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"

# The board's first cell starts here; the cells lie 89 pixels apart.
readonly cell_x=256 cell_y=20 cell_pitch=89

# A tile's pale backdrop down the left edge of the cell, where the dark board shows through
# an empty cell.
tile_in_cell() {
  local x=$((cell_x + $2 * cell_pitch + 3)) y=$((cell_y + $3 * cell_pitch + 15)) light
  light=$(convert "$SHOTS/$1.png" -crop "6x40+$((x + client_x))+$((y + client_y))" +repage -colorspace Gray \
    -format "%[fx:mean]" info:)
  awk -v l="$light" 'BEGIN { exit !(l > 0.45) }'
}
every_cell_dealt() {
  local column row
  for row in 0 1 2 3 4 5; do
    for column in 0 1 2 3 4 5; do
      tile_in_cell "$1" "$column" "$row" || return 1
    done
  done
}
# The Amazon's pale sky in the upper left and its dark undergrowth in the lower left.
amazon_background() { colour_near "$1" 100 100 125 159 145 && colour_near "$1" 30 560 23 46 33; }

start adventure
wait_for name_entry panel_shown || fail "the name entry never appeared"
enter_name "Eve"
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never came back"
sleep 1.5
! every_cell_dealt menu || fail "the main menu already shows a board"

# Play, the first of the large buttons.
click 400 240
park_pointer
wait_for board every_cell_dealt || fail "Play brought no board with a tile in every cell"
sleep 1.5
shot board
amazon_background board || fail "the Amazon's background is not shown"
every_cell_dealt board || fail "a cell of the settled board is empty"
! menu_buttons_shown board || fail "the main menu's buttons are still shown"
stop adventure
