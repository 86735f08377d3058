# The profile selection and the high-score table, from the main menu: a second player is
# created over the selection, then that player's row is selected and deleted, and Done
# keeps the first player; the Score list opens the table, and its back button closes it.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"

# The selection's list of names (its top-left corner, its rows one label-font height apart
# below a 4-pixel inset) and the dialog's buttons, centred on x 399.
readonly list_x=299 list_y=210 row_height=24
row_y() { echo $((list_y + 4 + $1 * row_height + row_height / 2)); }
readonly create_y=159 delete_y=434 done_y=484
list_background() { colour_near "$1" "$((list_x + 6))" "$(row_y 5)" 105 80 10; }
# The selection bar lies under the row; its left end is clear of the centred name.
row_selected() { colour_near "$1" "$((list_x + 6))" "$(row_y "$2")" 60 18 0; }
# Dark letters of a name in the row (rows that are not selected are written in black).
row_has_name() {
  local dark
  dark=$(convert "$SHOTS/$1.png" -crop "160x16+$((list_x + 20 + client_x))+$(($(row_y "$2") - 8 + client_y))" +repage \
    -colorspace Gray -threshold 20% -negate -format "%[fx:mean]" info:)
  awk -v d="$dark" 'BEGIN { exit !(d > 0.01) }'
}
not() { ! "$@"; }

start first
wait_for name_entry panel_shown || fail "the name entry never appeared"
enter_name "Ann"
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu never showed its buttons"

click 94 324
park_pointer
wait_for selection_one_player list_background || fail "the change-profile button opened no profile selection"
row_selected selection_one_player 0 || fail "Ann's row is not selected on opening"
not row_has_name selection_one_player 1 || fail "the list shows more than Ann"

click 399 "$create_y"
park_pointer
wait_for name_entry_over_selection not list_background || fail "Create new opened no name entry"
enter_name "Bob"
park_pointer
wait_for selection_two_players list_background || fail "the selection did not come back after the name entry"
row_selected selection_two_players 0 || fail "row 0 is not selected after a new player"
row_has_name selection_two_players 1 || fail "Bob is not in the list"
grep -q "Bob" "$profiles" || fail "Bob was not saved when he was named"

click 399 "$(row_y 1)"
park_pointer
sleep 0.5
shot bob_selected
row_selected bob_selected 1 || fail "a click on Bob's row did not select it"
not row_selected bob_selected 0 || fail "Ann's row is still selected"

click 399 "$delete_y"
park_pointer
sleep 0.5
shot bob_deleted
row_selected bob_deleted 0 || fail "row 0 is not selected after the delete"
not row_has_name bob_deleted 1 || fail "Bob's row is still in the list"

click 399 "$done_y"
park_pointer
wait_for menu_after_selection menu_buttons_shown || fail "Done did not bring the main menu back"
greeting_shown menu_after_selection || fail "the main menu greets nobody"
grep -q "Ann" "$profiles" || fail "Ann is gone from profiles.dat"
not grep -q "Bob" "$profiles" || fail "Bob is still in profiles.dat after Done"

click 400 429
park_pointer
wait_for high_scores panel_shown || fail "the Score list button opened nothing"
sleep 1.5
shot high_scores
dark=$(convert "$SHOTS/high_scores.png" -crop "240x220+$((192 + 25 + client_x))+$((50 + 80 + client_y))" +repage \
  -colorspace Gray -threshold 30% -negate -format "%[fx:mean]" info:)
awk -v d="$dark" 'BEGIN { exit !(d > 0.02) }' || fail "the table shows no rows"

click 399 "$done_y"
park_pointer
wait_for menu_after_scores menu_buttons_shown || fail "the back button did not close the table"
sleep 1
shot menu_after_scores
not panel_shown menu_after_scores || fail "the table is still shown"
stop first
