# A new player starts an adventure as new_adventure does: the introduction, then "don't show
# tips" on the first tip. In play the head-up display names the Amazon and shows the score
# (nine zeros), the empty bars of the first stage's three goals, the progress bar, the
# match-same mode and the pause and food-web buttons; a chain of three then scores. The pause
# button opens the pause menu over the shaded screen and Resume closes it; a focus loss, when
# a second window (the message probe) takes the keyboard focus, opens it as well, and it stays
# when the game gets the focus back. The food-web button opens the Amazon's food web, one row
# per level; resting the pointer on the anaconda shows its enlarged picture and name on the
# left, a click lists its chains, and Back returns to the same board. Save and exit returns to
# the main menu, where Start adventure now offers Continue above New adventure; Continue,
# through the world map, resumes the same stage: the same tiles, score, goals and mode.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

[ -x "$PROBE" ] || fail "no message probe was given"

# Points were scored.
scored() { ! score_shown 000000000 "$1"; }

# The mean light, 0 to 1, of an area right of the pause menu's panel, over the board.
light_right_of_menu() {
  convert "$SHOTS/$1.png" -crop "160x400+$((620 + client_x))+$((100 + client_y))" +repage -colorspace Gray \
    -format "%[fx:mean]" info:
}
# The menu shades the screen around it: darker than the same area in play.
shaded_around_menu() {
  local play paused
  play=$(light_right_of_menu "$1") paused=$(light_right_of_menu "$2")
  echo "$2: light right of the menu $paused, in play ($1) $play" >> "$SHOTS/probes.log"
  awk -v p="$play" -v q="$paused" 'BEGIN { exit !(q < p * 0.85) }'
}

# The food web of the Amazon: the anaconda alone on the top row (level 4), the jaguar below
# it, the four level-2 creatures and the three plants, "picture x y" each.
food_web_tiles() {
  cat <<'TILES'
anaconda 486 75
jaguar 486 167
capybara 293 259
tapir 388 259
spidermonkey 483 259
macaw 578 259
leaves 391 351
fruits 486 351
grass 581 351
TILES
}
# The food web's Back lies where the pause button does in play.
readonly back_x=10 back_y=540
# The background's sprig in the upper left and every creature's tile in its place.
food_web_shown() {
  local tile x y
  shows_picture "$1" 0 0 foodweb_background.png 0 0 60 60 || return 1
  while read -r tile x y; do
    shows_picture "$1" "$x" "$y" "../tiles/$tile.png" 0 0 86 86 || return 1
  done < <(food_web_tiles)
}
food_web_with_back() { food_web_shown "$1" && large_button_at "$1" $back_x $back_y; }
# The anaconda's details on the left: its picture enlarged one and a half times about the
# centre (198, 93), and the red rule under its name from (12, 190) to (262, 190).
convert "$pictures/../tiles/anaconda.png" -resize 129x129 "$WORK/anaconda_large.png"
anaconda_details() {
  local difference
  difference=$(difference_over "$1" 134 29 "$WORK/anaconda_large.png")
  echo "$1: enlarged anaconda $difference" >> "$SHOTS/probes.log"
  awk -v d="$difference" 'BEGIN { exit !(d < 0.06) }' && colour_near "$1" 40 190 200 32 0 &&
    colour_near "$1" 240 190 200 32 0
}
# The chains' panel at (310, 135), a corner clear of its texts and tiles, and a row per
# chain, the anaconda at the head of each: its picture at three quarters of its size centred
# on (390, 335 + 60 k), its middle looked for in the 90-pixel square around there.
convert "$pictures/../tiles/anaconda.png" -resize 65x65 -gravity center -crop 45x45+0+0 +repage -alpha off \
  "$WORK/anaconda_small.png"
chains_listed() {
  local row difference
  shows_picture "$1" 310 135 tutorial.png 360 300 40 40 || return 1
  for row in 0 1 2; do
    convert "$SHOTS/$1.png" -crop "90x90+$((345 + client_x))+$((290 + 60 * row + client_y))" +repage "$WORK/area.png"
    difference=$({ compare -metric MAE -subimage-search "$WORK/area.png" "$WORK/anaconda_small.png" null: 2>&1 ||
      true; } | sed -n 's/.*(\(.*\)) @.*/\1/p')
    echo "$1: anaconda heading chain $((row + 1)) $difference" >> "$SHOTS/probes.log"
    awk -v d="$difference" 'BEGIN { exit !(d < 0.05) }' || return 1
  done
}
chains_gone() { ! shows_picture "$1" 310 135 tutorial.png 360 300 40 40; }

# Two boards' looks (as fingerprints writes them) agree cell by cell: the mean channel
# difference of each cell's grid stays below 6. Arguments: LOOKS_FILE LOOKS_FILE.
same_looks() {
  paste -d ' ' "$1" "$2" | awk '
    { half = NF / 2; sum = 0
      for (i = 3; i <= half; ++i) { d = $i - $(half + i); sum += d < 0 ? -d : d }
      if (sum / (half - 2) >= 6) { print "cell", $1, $2, "differs"; bad = 1 } }
    END { exit bad }' >> "$SHOTS/probes.log"
}
# The mean difference, 0 to 1, between two shots of the head-up display's score, goal list and
# mode label (the left panel from the score down to the mode's icon). Arguments: SHOT SHOT.
left_panel_difference() {
  local shot
  for shot in "$1" "$2"; do
    convert "$SHOTS/$shot.png" -crop "240x285+$((5 + client_x))+$((55 + client_y))" +repage "$WORK/left_$shot.png"
  done
  { compare -metric MAE "$WORK/left_$1.png" "$WORK/left_$2.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'
}

# The second window: the message probe, moved below the game's window (which ends at y 664
# of the screen) so that the screenshots show the whole game, and given the keyboard focus.
# What the probe's system libraries keep at exit is not this scenario's concern.
take_focus_away() {
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$PROBE" > "$WORK/probe.out" 2>&1 &
  probe_pid=$!
  probe_window=$(timeout 20 xdotool search --sync --onlyvisible --name "Message Probe" | head -n 1)
  xdotool windowmove --sync "$probe_window" 0 670 2>/dev/null || true
  xdotool windowfocus --sync "$probe_window" 2>/dev/null || true
}
close_probe() {
  "$CLOSER" "$probe_window"
  wait "$probe_pid" || fail "the message probe did not close cleanly"
}

: > "$SHOTS/probes.log"
start_as_new_player Eve
open_world_map
press_done
pass_introduction
dismiss_tip off
wait_for settled board_settled || fail "the board never settled"

# The head-up display of the first stage of the Amazon: match same, three goals with empty
# bars, no points.
wait_for hud hud_shown || fail "the head-up display shows no buttons, score label or progress bar"
shows_picture hud 85 20 amazon_label.png 0 0 150 34 || fail "the head-up display does not name the Amazon"
score_shown 000000000 hud || fail "the score does not read 000000000"
mode_shown sm_matchsame hud || fail "the mode label does not show match same"
for row in 0 1 2; do
  shows_picture hud 80 $((105 + 62 * row)) goal_progress_bar_base.png 0 0 150 22 ||
    fail "no empty bar for goal $((row + 1))"
done
# A chain of three scores, and the board settles again with new tiles.
read -r ac ar bc br cc cr < <(find_three_alike hud) || fail "no three neighbouring tiles of one creature on the board"
echo "chain: ($ac, $ar) ($bc, $br) ($cc, $cr)" >> "$SHOTS/probes.log"
drag_over "$(centre_x "$ac")" "$(centre_y "$ar")" "$(centre_x "$bc")" "$(centre_y "$br")" \
  "$(centre_x "$cc")" "$(centre_y "$cr")"
xdotool mouseup 1
park_pointer
wait_for scored scored || fail "the chain left the score at 000000000"
rm -f "$WORK/looks_before.txt"
wait_for played board_settled || fail "the board never settled after the chain"
# The settled board's looks, kept for the comparisons after the food web and after Continue.
cp "$WORK/looks_before.txt" "$WORK/looks_played.txt"

# The pause button opens the menu; Resume closes it.
click $((pause_x + 100)) $((pause_y + 25))
park_pointer
wait_for paused pause_menu_shown || fail "the pause button opened no pause menu"
shaded_around_menu hud paused || fail "the screen around the pause menu is not shaded"
click $((menu_button_x + 100)) $((resume_y + 25))
park_pointer
wait_for resumed back_in_play || fail "Resume did not close the pause menu"

# A focus loss opens it too. The game's window has the focus first, as on a desktop.
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
shot focused
! pause_menu_shown focused || fail "giving the game the focus opened the pause menu"
take_focus_away
wait_for focus_lost pause_menu_shown || fail "a focus loss to another window opened no pause menu"
grep -q '^WM_ACTIVATEAPP 0x1' "$WORK/probe.out" || fail "the message probe never had the focus"
close_probe
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.5
shot focus_back
pause_menu_shown focus_back || fail "the pause menu went when the game got the focus back"
click $((menu_button_x + 100)) $((resume_y + 25))
park_pointer
wait_for focus_resumed back_in_play || fail "Resume did not close the pause menu opened by the focus loss"

# The food web: every creature by level; the anaconda's details on hover, its chains on a
# click; Back returns to the same board.
click $((food_web_x + 100)) $((food_web_y + 25))
park_pointer
wait_for food_web food_web_with_back || fail "the food-web button opened no food web with its creatures and Back"
! large_button_at food_web $food_web_x $food_web_y || fail "the food-web button shows over the food web"
xdotool mousemove --window "$window" 529 118
wait_for food_web_hover anaconda_details || fail "resting on the anaconda showed no details on the left"
chains_gone food_web_hover || fail "the chains showed before a click"
xdotool click 1
wait_for food_web_chains chains_listed || fail "a click on the anaconda listed no chains"
park_pointer
wait_for food_web_left chains_gone || fail "the chains stayed after the pointer left the anaconda"
click $((back_x + 100)) $((back_y + 25))
park_pointer
wait_for food_web_back back_in_play || fail "Back did not return to play"
fingerprints food_web_back > "$WORK/looks_back.txt"
same_looks "$WORK/looks_played.txt" "$WORK/looks_back.txt" || fail "the board after the food web differs from the one before"

# Save and exit, then Continue: the same stage again.
click $((pause_x + 100)) $((pause_y + 25))
park_pointer
wait_for save_paused pause_menu_shown || fail "the pause button did not open the pause menu again"
click $((menu_button_x + 100)) $((save_exit_y + 25))
park_pointer
wait_for saved_menu menu_buttons_shown || fail "Save and exit did not return to the main menu"
continue_adventure
wait_for continued hud_shown || fail "Continue did not return to play"
rm -f "$WORK/looks_before.txt"
wait_for continued_settled board_settled || fail "the continued board never settled"
mode_shown sm_matchsame continued_settled || fail "the continued stage is not match same"
difference=$(left_panel_difference played continued_settled)
echo "score, goals and mode before and after Continue: $difference" >> "$SHOTS/probes.log"
awk -v d="$difference" 'BEGIN { exit !(d < 0.01) }' || fail "the score, the goals or the mode differ after Continue"
same_looks "$WORK/looks_played.txt" "$WORK/looks_before.txt" || fail "the continued board differs from the saved one"
stop adventure
