# The end of the last habitat, through the game host: a player saved on the Arctic's first
# stage continues it and the host ends the level. After the report, the call and the memo,
# the awards screen hands over the Arctic's award, and Back returns to the main menu, as no
# habitat is left. On the next start the awards screen, from the main menu, shows the
# Arctic's award in colour and the Amazon's still dark, and Start adventure offers only
# New adventure: the adventure is over.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

: > "$SHOTS/probes.log"
write_profile --habitat Arctic --stage 0 --next-level 3 --score 5000
start_with last_habitat run --finish-level
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
continue_adventure
receive_award 3
press_awards_back
wait_for menu_after_awards menu_buttons_shown || fail "Back after the last habitat did not return to the main menu"
awards_screen_gone menu_after_awards || fail "the awards screen stayed over the main menu"
grep -q '^level finished: Arctic' "$WORK/last_habitat.out" || fail "the host did not end the Arctic's level"
stop last_habitat

start_with next_start run
park_pointer
wait_for next_menu menu_buttons_shown || fail "the main menu's buttons never showed on the next start"
click 400 $view_awards_y
park_pointer_clear_of_awards
wait_for awards_from_menu awards_screen_shown || fail "View awards opened no awards screen"
# Nothing blinks when the screen is only looked at: the shots agree with the end state.
sleep 1
shot awards_from_menu_later
award_in_colour 3 awards_from_menu && award_in_colour 3 awards_from_menu_later ||
  fail "the Arctic's award is not in colour"
! award_in_colour 0 awards_from_menu_later || fail "the Amazon's award, never handed over, shows in colour"
press_awards_back
wait_for menu_again menu_buttons_shown || fail "Back did not return to the main menu"
awards_screen_gone menu_again || fail "the awards screen stayed after Back"
click 400 240
park_pointer
wait_for selection new_adventure_offered || fail "Start adventure did not offer New adventure"
only_new_adventure_offered selection || fail "Start adventure still offers Continue after the last habitat"
stop next_start
