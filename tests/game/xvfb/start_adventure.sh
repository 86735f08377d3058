# A new player names themself and presses Play (Start adventure) on the main menu, then New
# adventure in the game selection and Done on the world map: after the introduction, play
# begins in the first habitat, the Amazon, whose board deals a tile into each of its 36 cells
# over the habitat's background; its first tip is read and closed.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

# A tile's pale backdrop down the left edge of the cell, where the dark board shows through
# an empty cell.
tile_in_cell() {
  local x=$((board_x + $2 * cell_pitch + 3)) y=$((board_y + $3 * cell_pitch + 19)) light
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

start_as_new_player Eve
sleep 1.5
! every_cell_dealt menu || fail "the main menu already shows a board"

open_world_map
press_done
pass_introduction
dismiss_tip
wait_for board every_cell_dealt || fail "Done brought no board with a tile in every cell"
wait_for settled board_settled || fail "the board never settled"
amazon_background settled || fail "the Amazon's background is not shown"
every_cell_dealt settled || fail "a cell of the settled board is empty"
! menu_buttons_shown settled || fail "the main menu's buttons are still shown"
! done_offered settled || fail "the world map's Done button stayed in play"
stop adventure
