# The end of a level, through the game host: a player saved on the Amazon's first stage
# continues it, and the host ends the level once the board rests, as the mini-game's Done
# will. The report counts and offers Done; the receiving-awards screen's call (the partner,
# then the guide), the memo with the Amazon's award, and the awards screen with that award
# blinking; Back starts the next habitat, the Grand Canyon, on its world map, where the
# plane lands on its point.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

# The Grand Canyon's point on the map is (120, 200); its flag stands 5 left and 35 above.
grand_canyon_map() {
  done_offered "$1" && shows_picture "$1" 115 165 flag.png 0 0 40 40 && ! phones_shown "$1"
}

: > "$SHOTS/probes.log"
write_profile --habitat Amazon --stage 0 --next-level 0 --score 1000
start_with level_end run --finish-level
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
continue_adventure
receive_award 0
press_awards_back
wait_for next_map grand_canyon_map || fail "Back did not open the Grand Canyon's world map"
awards_screen_gone next_map || fail "the awards screen stayed over the world map"
grep -q '^level finished: Amazon' "$WORK/level_end.out" || fail "the host did not end the Amazon's level"
stop level_end
