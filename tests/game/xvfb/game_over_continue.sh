# A saved game without a move, through the game host: a player saved on a food-chain stage
# of the Amazon whose board holds one creature everywhere continues it; once the board is
# dealt the game is over. Done enters the score in the high-score table, which opens with
# its row marked. On the next start the table holds the score in one row, unmarked, and
# Start adventure offers only New adventure.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

readonly score=12345 game_over_done_x=300 game_over_done_y=540
# The table's Back, centred below the rows.
readonly scores_back_x=399 scores_back_y=484

# scoreslists.dat: ten records of a 16-bit name length, the name, the level and the score.
# The number of records with the score.
rows_with_score() {
  local file="$(dirname "$profiles")/scoreslists.dat" offset=0 length found=0 row
  for row in 0 1 2 3 4 5 6 7 8 9; do
    length=$(od -An -tu2 -j$offset -N2 "$file" | tr -d ' ')
    [ "$(od -An -td4 -j$((offset + 2 + length + 4)) -N4 "$file" | tr -d ' ')" = "$1" ] && found=$((found + 1))
    offset=$((offset + 2 + length + 8))
  done
  echo "$found"
}

: > "$SHOTS/probes.log"
write_profile --habitat Amazon --stage 2 --next-level 0 --score $score --no-moves
start_with game_over run
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
continue_adventure
wait_for game_over game_over_shown || fail "the board without a move did not end in game over"
click $((game_over_done_x + 100)) $((game_over_done_y + 25))
park_pointer
wait_for scores panel_shown || fail "Done after game over opened no high-score table"
sleep 1.5
shot scores_shown
score_row_marked scores_shown 0 || fail "the new best score's row is not marked"
! score_row_marked scores_shown 1 || fail "a second row is marked"
stop game_over
[ "$(rows_with_score $score)" = 1 ] || fail "scoreslists.dat does not hold the score $score once"

start_with next_start run
park_pointer
wait_for next_menu menu_buttons_shown || fail "the main menu's buttons never showed on the next start"
click 400 $score_list_y
park_pointer
wait_for next_scores panel_shown || fail "Score list opened no table"
sleep 1.5
shot next_scores_shown
no_score_row_marked next_scores_shown || fail "a row is marked when the table is only looked at"
click $scores_back_x $scores_back_y
park_pointer
wait_for next_menu_again menu_buttons_shown || fail "the table's Back did not return to the main menu"
click 400 240
park_pointer
wait_for selection new_adventure_offered || fail "Start adventure did not offer New adventure"
only_new_adventure_offered selection || fail "Start adventure still offers Continue after game over"
stop next_start
[ "$(rows_with_score $score)" = 1 ] || fail "scoreslists.dat does not hold the score $score once after the next start"
