# The bear game that closes Alaska, through the game host: a player saved in Alaska's last
# stage, of pairs, one pair from its end continues it; the pair is dragged, the goal is
# complete, and the page before the mini-game leads on to the bear game. Its intro uncovers
# the background and offers Start; play shows the wave's ten fish in a row at the top. Three
# clicks throw three fish, and the row shows seven. The window is closed while the game
# plays, and the game ends cleanly.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/mini_game_steps.sh"

readonly background=alaska.png throws=3 score=1000
# A fish left to throw lies turned upright in the row along the top, one every 30 pixels
# from x 250: its 18 x 36 picture from (259 + 30 i, -9). The mean difference of the part
# below y 2 from the bare background. Arguments: SHOT FISH.
fish_difference() {
  local x=$((259 + 30 * $2)) difference
  convert "$SHOTS/$1.png" -crop "18x24+$((x + client_x))+$((2 + client_y))" +repage "$WORK/shot_area.png"
  convert "$pictures/../minigame/$background" -crop "18x24+$x+2" +repage "$WORK/background_area.png"
  difference=$({ compare -metric MAE "$WORK/shot_area.png" "$WORK/background_area.png" null: 2>&1 || true; } |
    sed 's/.*(\(.*\))/\1/')
  echo "$1: fish $2 $difference" >> "$SHOTS/probes.log"
  echo "$difference"
}
fish_shown() { awk -v d="$(fish_difference "$2" "$1")" 'BEGIN { exit !(d > 0.05) }'; }
fish_gone() { awk -v d="$(fish_difference "$2" "$1")" 'BEGIN { exit !(d < 0.01) }'; }
# The first N fish of the row are shown and the rest of the ten are not. Arguments: N SHOT.
fish_left() {
  local fish
  for ((fish = 0; fish < 10; ++fish)); do
    if ((fish < $1)); then fish_shown "$fish" "$2" || return 1; else fish_gone "$fish" "$2" || return 1; fi
  done
}

: > "$SHOTS/probes.log"
write_profile --habitat Alaska --stage 5 --next-level 2 --score $score --one-goal-left
start_with bear_game run
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
play_last_chain $score
start_mini_game $background
wait_for fish_row fish_left 10 || fail "play did not show the first wave's ten fish"
# The pointer's x aims the cannon: 400 throws at 40 degrees.
for ((throw = 0; throw < throws; ++throw)); do
  click 400 300
  sleep 0.2
done
shot thrown
wait_for fish_row_after fish_left $((10 - throws)) || fail "three throws did not leave seven fish in the row"
sleep 1
shot playing_on
mini_game_playing $background playing_on || fail "the bear game did not play on after the throws"
stop bear_game
