# The spider game that closes the Amazon, through the game host: a player saved in the
# Amazon's last stage one chain from its end continues it; the chain is dragged, the goal is
# complete, and the page before the mini-game leads on to the spider game. Its intro uncovers
# the background and offers Start. Seven clicks, each under a spider of the first row, move
# the cannon there and fire a shot that cuts the spider's thread: the spider falls away. The
# cannon then waits under the eighth spider, which on its next descent touches it and ends
# the game early. Done hands the 700 points back and opens the level report; the score saved
# when the window closes holds them.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/mini_game_steps.sh"

readonly background=amazon.png score=1000
# The first row's spiders hang 49 pixels apart from x 250, on threads from y 20, and move
# only up and down, at most to y 520 (where a spider touches the cannon below it). Around
# each, a column of the field from y 20 to 500, clear of the cannon. The pointer, which
# shows in the shots, moves the cannon from below that column (aim_y).
readonly first_spider_x=250 spider_pitch=49 spiders=8 hit_spiders=7 aim_y=505
spider_x() { echo $((first_spider_x + $1 * spider_pitch)); }
# The share of the column that differs from the bare background: near 0 once the spider and
# its thread are gone. Arguments: SHOT SPIDER.
spider_column_difference() {
  local difference
  difference=$(picture_difference_at "$1" $(($(spider_x "$2") - 14)) 20 28 480)
  echo "$1: spider $2 column $difference" >> "$SHOTS/probes.log"
  echo "$difference"
}
# The mean difference between an area of the screenshot and the same area of the
# background. Arguments: SHOT X Y W H.
picture_difference_at() {
  convert "$SHOTS/$1.png" -crop "$4x$5+$(($2 + client_x))+$(($3 + client_y))" +repage "$WORK/shot_area.png"
  convert "$pictures/../minigame/$background" -crop "$4x$5+$2+$3" +repage "$WORK/background_area.png"
  { compare -metric MAE "$WORK/shot_area.png" "$WORK/background_area.png" null: 2>&1 || true; } |
    sed 's/.*(\(.*\))/\1/'
}
# A spider on its thread changes a column by about 0.025, its thread alone by 0.006.
spider_hangs() { awk -v d="$(spider_column_difference "$2" "$1")" 'BEGIN { exit !(d > 0.012) }'; }
spider_gone() { awk -v d="$(spider_column_difference "$2" "$1")" 'BEGIN { exit !(d < 0.003) }'; }
wave_hangs() {
  local spider
  for ((spider = 0; spider < spiders; ++spider)); do spider_hangs "$spider" "$1" || return 1; done
}
shot_spiders_gone() {
  local spider
  for ((spider = 0; spider < hit_spiders; ++spider)); do spider_gone "$spider" "$1" || return 1; done
}

: > "$SHOTS/probes.log"
write_profile --habitat Amazon --stage 6 --next-level 0 --score $score --one-goal-left
start_with spider_game run
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
play_last_chain $score
start_mini_game $background
wait_for wave wave_hangs || fail "the first wave's eight spiders never hung in their columns"
for ((spider = 0; spider < hit_spiders; ++spider)); do click "$(spider_x $spider)" $aim_y; done
sleep 0.5
shot shots_fired
wait_for hits shot_spiders_gone || fail "the shots under the first seven spiders did not bring them down"
! spider_gone $hit_spiders hits || fail "the eighth spider's thread went without a shot"
# The cannon follows the pointer along the bottom.
xdotool mousemove --window "$window" "$(spider_x $hit_spiders)" $aim_y
wait_for finish mini_game_panel $background || fail "the spider over the cannon never ended the game with Done"
click $((mini_button_x + 100)) $((mini_button_y + 25))
park_pointer
wait_for report report_done_offered || fail "the mini-game's Done did not open the level report"
stop spider_game
# The chain's 150 points and the filled frame's 2500 on top of the saved 1000, and 100 a hit.
[ "$(saved_score)" = $((score + 150 + 2500 + 100 * hit_spiders)) ] ||
  fail "the saved score is $(saved_score), not the game's and the mini-game's points"
