# Steps of the scenarios that play an adventure from the main menu (sourced after
# game_steps.sh): the way from Play through the game selection and the world map, pictures
# found in a screenshot, the board's cells and their looks, three neighbouring tiles of one
# creature, and a drag over them.

pictures="$(dirname "$GAME")/content/images/game"

# The board's top-left corner and the distance between its cells, in game positions; a
# tile's centre lies (37, 43) from its cell's corner.
readonly board_x=256 board_y=16 cell_pitch=89 centre_dx=37 centre_dy=43

centre_x() { echo $((board_x + $1 * cell_pitch + centre_dx)); }
centre_y() { echo $((board_y + $1 * cell_pitch + centre_dy)); }

# Each cell's look: the mean colours of a 4 x 4 grid over the middle of its tile, one line
# per cell, "column row values...".
fingerprints() {
  local column row
  for row in 0 1 2 3 4 5; do
    for column in 0 1 2 3 4 5; do
      echo "$column $row $(convert "$SHOTS/$1.png" \
        -crop "48x48+$(($(centre_x "$column") - 24 + client_x))+$(($(centre_y "$row") - 24 + client_y))" \
        +repage -scale '4x4!' -depth 8 txt:- |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | tr '\n' ' ')"
    done
  done
}
# Three cells a, b, c of one creature, b next to a and c next to b (rows, columns and
# diagonals): "column row" three times. One creature has one picture, so their looks agree.
find_three_alike() {
  fingerprints "$1" | awk '
    { col[NR] = $1; row[NR] = $2; for (i = 3; i <= NF; ++i) v[NR, i - 2] = $i; n[NR] = NF - 2 }
    function alike(a, b,   i, d, sum) {
      sum = 0
      for (i = 1; i <= n[a]; ++i) { d = v[a, i] - v[b, i]; sum += d < 0 ? -d : d }
      return sum / n[a] < 6
    }
    function next_to(a, b,   dc, dr) {
      dc = col[a] - col[b]; dr = row[a] - row[b]
      return a != b && dc >= -1 && dc <= 1 && dr >= -1 && dr <= 1
    }
    END {
      for (a = 1; a <= NR; ++a) for (b = 1; b <= NR; ++b) for (c = 1; c <= NR; ++c)
        if (c != a && next_to(a, b) && next_to(b, c) && alike(a, b) && alike(b, c) && alike(a, c)) {
          print col[a], row[a], col[b], row[b], col[c], row[c]; exit
        }
    }'
}

# Presses on the first game position, moves over the others and holds the button there.
# Arguments: AX AY BX BY CX CY.
drag_over() {
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  xdotool mousemove --window "$window" "$3" "$4"
  sleep 0.3
  xdotool mousemove --window "$window" "$5" "$6"
  sleep 0.8
}

# The mean difference, 0 to 1, that laying the picture over the screenshot at a game
# position makes: near 0 where the picture is shown there, whatever shows through its
# transparent parts. Arguments: SHOT X Y PICTURE_FILE.
difference_over() {
  local size
  size=$(identify -format "%wx%h" "$4")
  convert "$SHOTS/$1.png" -crop "$size+$(($2 + client_x))+$(($3 + client_y))" +repage "$WORK/under.png"
  convert "$WORK/under.png" "$4" -composite "$WORK/over.png"
  { compare -metric MAE "$WORK/under.png" "$WORK/over.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'
}
# True when a part (PX, PY, W, H) of one of the game's pictures is shown where it lies with
# the picture's corner at the game position. Arguments: SHOT X Y PICTURE PX PY W H.
shows_picture() {
  convert "$pictures/$4" -crop "$7x$8+$5+$6" +repage "$WORK/part.png"
  awk -v d="$(difference_over "$1" $(($2 + $5)) $(($3 + $6)) "$WORK/part.png")" 'BEGIN { exit !(d < 0.03) }'
}

# The best match, "difference x y", of an opaque part (PX, PY, W, H) of a picture inside an
# area of the screenshot; x and y are the game position of the whole picture's corner.
# Arguments: SHOT AX AY AW AH PICTURE PX PY W H.
find_picture() {
  convert "$SHOTS/$1.png" -crop "$4x$5+$(($2 + client_x))+$(($3 + client_y))" +repage "$WORK/area.png"
  convert "$pictures/$6" -alpha off -crop "$9x${10}+$7+$8" +repage "$WORK/patch.png"
  { compare -metric MAE -subimage-search "$WORK/area.png" "$WORK/patch.png" null: 2>&1 || true; } |
    sed -n 's/.*(\(.*\)) @ \([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk -v x="$2" -v y="$3" -v px="$7" -v py="$8" '{ print $1, x + $2 - px, y + $3 - py }'
}

# A large button with its corner at the game position: its left end, clear of the label.
large_button_at() { shows_picture "$1" "$2" "$3" button_large.png 0 0 22 50; }
# A first start of the game (the run "adventure"): the player of that name is entered and the
# main menu shows its buttons.
start_as_new_player() {
  start adventure
  wait_for name_entry panel_shown || fail "the name entry never appeared"
  enter_name "$1"
  park_pointer
  wait_for menu menu_buttons_shown || fail "the main menu's buttons never came back"
}

# The Amazon's background where the head-up display leaves it bare, between the inventory
# and the board.
amazon_background() { shows_picture "$1" 0 0 ../habitats/amazon_back.png 212 440 20 20; }

# The game selection's first row, centred on its panel, and the world map's Done button at
# its foot.
readonly first_row_x=299 first_row_y=145 done_x=300 done_y=550
# The first habitat's point on the map is (248, 360); its flag stands 5 left and 35 above.
readonly flag_x=243 flag_y=325

new_adventure_offered() { panel_shown "$1" && large_button_at "$1" $first_row_x $first_row_y; }
done_offered() { large_button_at "$1" $done_x $done_y; }
# Once the rainbow over it has played: the flag, and the map's own ocean in the lower right.
first_habitat_flagged() {
  shows_picture "$1" $flag_x $flag_y flag.png 0 0 40 40 && shows_picture "$1" 0 0 gamemap.png 600 450 60 40
}
# The tiles look the same as in the shot before.
board_settled() {
  fingerprints "$1" > "$WORK/looks_now.txt"
  if cmp -s "$WORK/looks_now.txt" "$WORK/looks_before.txt"; then return 0; fi
  mv "$WORK/looks_now.txt" "$WORK/looks_before.txt"
  return 1
}

# From the main menu of a new player: Play (Start adventure, the first of the large buttons)
# opens the game selection, whose first row offers New adventure (there is nothing to
# continue); New adventure opens the world map, which is ready once the first habitat's flag
# stands and its Done button shows. Shots: selection, map, map_flagged.
open_world_map() {
  click 400 240
  park_pointer
  wait_for selection new_adventure_offered || fail "Start adventure did not offer New adventure in the first row"
  click $((first_row_x + 100)) $((first_row_y + 25))
  park_pointer
  wait_for map done_offered || fail "New adventure brought no world map with a Done button"
  ! new_adventure_offered map || fail "the game selection stayed over the world map"
  wait_for map_flagged first_habitat_flagged || fail "the world map shows no flag on the first habitat"
}
# The map's Done starts play in the first habitat, whose board then deals its tiles in.
press_done() {
  click $((done_x + 100)) $((done_y + 25))
  park_pointer
}

# The story parchment rests with its corner at (248, 12); its Continue lies at (498, 502)
# and the offered item (100 x 92) at (528, 142). A tip's panel lies at (0, 0), its Continue
# at (200, 340) and its check box (28 x 28, drawn a pixel in) at (30, 340).
readonly story_x=248 story_y=12 story_continue_x=498 story_continue_y=502 item_x=528 item_y=142
readonly tip_continue_x=200 tip_continue_y=340 tip_box_x=31 tip_box_y=341

# The parchment at its resting place: a part below the guide's portrait, left of the text.
story_page_shown() { shows_picture "$1" $story_x $story_y story_back.png 20 300 40 40; }
story_continue_offered() { story_page_shown "$1" && large_button_at "$1" $story_continue_x $story_continue_y; }
story_page_gone() { ! story_page_shown "$1"; }
# The item's picture at the offered place. Arguments: PICTURE_FILE SHOT.
item_offered() { story_page_shown "$2" && shows_picture "$2" $item_x $item_y "$1" 0 0 100 92; }
# The tip's panel at full strength (a part clear of the texts and the demonstration) and its
# Continue.
tip_shown() { shows_picture "$1" 0 0 tutorial.png 20 220 40 40 && large_button_at "$1" $tip_continue_x $tip_continue_y; }
tip_gone() { ! tip_shown "$1"; }
# What the check box whose picture lies at the game position shows: "checked" or
# "unchecked", the picture that matches (and better than the other), else "none".
# Arguments: SHOT X Y.
box_state() {
  local checked unchecked
  checked=$(difference_over "$1" "$2" "$3" "$pictures/checkbox_checked.png")
  unchecked=$(difference_over "$1" "$2" "$3" "$pictures/checkbox_unchecked.png")
  echo "$1: check box at ($2, $3) checked $checked, unchecked $unchecked" >> "$SHOTS/probes.log"
  awk -v c="$checked" -v u="$unchecked" \
    'BEGIN { print (c < 0.03 && c < u) ? "checked" : (u < 0.03 && u < c) ? "unchecked" : "none" }'
}
tip_box_checked() { [ "$(box_state "$1" $tip_box_x $tip_box_y)" = checked ]; }

# The introduction of a new adventure: it slides in and rests with its Continue; Continue
# offers the test tubes, then the diary, then the backpack, each collected by a click; the
# final note's Continue slides the page away. Shots: story, story_item1 to 3, story_final,
# story_gone.
pass_introduction() {
  local n=0 item
  wait_for story story_continue_offered || fail "the introduction never came to rest with its Continue"
  click $((story_continue_x + 100)) $((story_continue_y + 25))
  park_pointer
  for item in testtubes diary backpack_small; do
    n=$((n + 1))
    wait_for "story_item$n" item_offered "$item.png" || fail "the introduction never offered $item"
    click $((item_x + 50)) $((item_y + 46))
    park_pointer
  done
  wait_for story_final story_continue_offered || fail "the final note brought no Continue"
  click $((story_continue_x + 100)) $((story_continue_y + 25))
  park_pointer
  wait_for story_gone story_page_gone || fail "the introduction never slid away"
}

# The first tip of play appears; with "off" its check box is checked first (no more tips);
# Continue fades it out. Shots: tip, tip_checked (with "off"), tip_gone.
dismiss_tip() {
  wait_for tip tip_shown || fail "no tip appeared"
  ! tip_box_checked tip || fail "the tip's check box starts checked while tips are on"
  if [ "${1:-}" = off ]; then
    click $((tip_box_x + 14)) $((tip_box_y + 14))
    park_pointer
    wait_for tip_checked tip_box_checked || fail "the tip's check box never showed checked"
  fi
  click $((tip_continue_x + 100)) $((tip_continue_y + 25))
  park_pointer
  wait_for tip_gone tip_gone || fail "the tip stayed after Continue"
}

# The mean difference, 0 to 1, between the screenshot and the picture drawn with its corner at
# the game position, over the picture's opaque pixels alone: its soft edges, drawn over
# whatever lies below, take no part. Arguments: SHOT X Y PICTURE_FILE.
opaque_difference() {
  local size
  size=$(identify -format "%wx%h" "$4")
  convert "$SHOTS/$1.png" -crop "$size+$(($2 + client_x))+$(($3 + client_y))" +repage "$WORK/under.png"
  convert "$4" -alpha extract -threshold 99% "$WORK/mask.png"
  convert "$WORK/under.png" "$WORK/mask.png" -compose multiply -composite "$WORK/under_opaque.png"
  convert "$4" -background black -alpha remove "$WORK/mask.png" -compose multiply -composite "$WORK/picture_opaque.png"
  awk -v d="$({ compare -metric MAE "$WORK/under_opaque.png" "$WORK/picture_opaque.png" null: 2>&1 || true; } |
    sed 's/.*(\(.*\))/\1/')" -v m="$(convert "$WORK/mask.png" -format "%[fx:mean]" info:)" \
    'BEGIN { print (m > 0 ? d / m : 1) }'
}

# The head-up display in play: the pause button at (10, 540) and the food-web button above
# it, the score's label at (25, 60) with nine digits from (120, 63), 14 pixels apart, the
# mode's icon at (152, 285) and the habitat's progress bar along the foot from (256, 579).
readonly pause_x=10 pause_y=540 food_web_x=10 food_web_y=500
readonly score_x=120 score_y=63 mode_icon_x=152 mode_icon_y=285 progress_x=256 progress_y=579

hud_shown() {
  large_button_at "$1" $pause_x $pause_y && large_button_at "$1" $food_web_x $food_web_y &&
    awk -v d="$(opaque_difference "$1" 25 60 "$pictures/score_label.png")" 'BEGIN { exit !(d < 0.02) }' &&
    shows_picture "$1" $progress_x $progress_y progress_bar_base.png 100 0 300 20
}
# The score reads as the nine digits given: the first eight and the left of the last, whose
# right part lies under the frame around the board. Arguments: DIGITS SHOT.
score_shown() {
  local digit pictures_of=() difference
  for digit in $(grep -o . <<<"$1"); do pictures_of+=("$pictures/num_$digit.png"); done
  convert "${pictures_of[@]}" -background none +append -crop 120x20+0+0 +repage "$WORK/score.png"
  difference=$(opaque_difference "$2" $score_x $score_y "$WORK/score.png")
  echo "$2: score $1 $difference" >> "$SHOTS/probes.log"
  awk -v d="$difference" 'BEGIN { exit !(d < 0.012) }'
}
# The mode's icon (sm_foodchain, sm_matchsame, sm_matchpairs or sm_matchsearch) is shown,
# and matches better than the other modes' icons. Arguments: ICON SHOT.
mode_shown() {
  local icon difference best_icon="" best=1
  for icon in sm_foodchain sm_matchsame sm_matchpairs sm_matchsearch; do
    difference=$(opaque_difference "$2" $mode_icon_x $mode_icon_y "$pictures/$icon.png")
    echo "$2: mode icon $icon $difference" >> "$SHOTS/probes.log"
    if awk -v d="$difference" -v b="$best" 'BEGIN { exit !(d < b) }'; then best=$difference best_icon=$icon; fi
  done
  [ "$best_icon" = "$1" ] && awk -v d="$best" 'BEGIN { exit !(d < 0.02) }'
}

# The pause menu: the submenu panel centred on the screen, its buttons centred across it,
# Resume at the top and Save and exit at the foot.
readonly menu_x=192 menu_y=50 menu_button_x=299 resume_y=145 restart_y=200 options_y=255 save_exit_y=310

# The panel's parchment below the buttons, and its four buttons.
pause_menu_shown() {
  shows_picture "$1" $menu_x $menu_y submenu.png 20 380 40 40 &&
    large_button_at "$1" $menu_button_x $resume_y && large_button_at "$1" $menu_button_x $restart_y &&
    large_button_at "$1" $menu_button_x $options_y && large_button_at "$1" $menu_button_x $save_exit_y
}
# Play again: the panel has gone and the head-up display's buttons show.
back_in_play() { ! shows_picture "$1" $menu_x $menu_y submenu.png 20 380 40 40 && hud_shown "$1"; }

# The main menu's second large button, below Start adventure, and its Score list, the fifth.
readonly view_awards_y=290 score_list_y=440

# The game selection with a game to continue: Continue in the first row, New adventure in
# the second.
continue_offered() {
  panel_shown "$1" && large_button_at "$1" $first_row_x $first_row_y &&
    large_button_at "$1" $first_row_x $((first_row_y + 65))
}
# The game selection of a player without a game to continue: New adventure alone.
only_new_adventure_offered() { new_adventure_offered "$1" && ! continue_offered "$1"; }

# From the main menu of a player with a saved game: Start adventure, Continue, and the world
# map's Done, which a continued game offers at once. Shots: continue_selection, continue_map.
continue_adventure() {
  click 400 240
  park_pointer
  wait_for continue_selection continue_offered || fail "Start adventure did not offer Continue above New adventure"
  click $((first_row_x + 100)) $((first_row_y + 25))
  park_pointer
  wait_for continue_map done_offered || fail "Continue brought no world map with a Done button"
  press_done
}

# The level report's score card lies centred at (100, 40), a strip of its wooden frame
# clear of the texts; its Done comes at (180, 480) once the counting is over.
readonly card_x=100 card_y=40 report_done_x=180 report_done_y=480
report_done_offered() {
  shows_picture "$1" $card_x $card_y score_card.png 5 150 15 80 && large_button_at "$1" $report_done_x $report_done_y
}

# The receiving-awards screen: the guide's and the partner's phone pictures at (10, 120) and
# (610, 120) and the Continue at (300, 550); the partner's speech cloud is the guide's
# mirrored, both at (200, 100); the memo at (200, 50) shows the award at (470, 210).
readonly phone_continue_x=300 phone_continue_y=550 cloud_x=200 cloud_y=100 memo_x=200 memo_y=50
readonly memo_award_x=470 memo_award_y=210
phones_shown() {
  shows_picture "$1" 10 120 jane_phone.png 30 140 40 40 && shows_picture "$1" 610 120 august_phone.png 30 140 40 40
}
phone_continue_offered() { phones_shown "$1" && large_button_at "$1" $phone_continue_x $phone_continue_y; }
# The cloud matches its mirrored picture better than the plain one: the partner speaks.
partner_speaking() {
  local mirrored plain
  [ -e "$WORK/text_cloud_mirrored.png" ] || convert "$pictures/text_cloud.png" -flop "$WORK/text_cloud_mirrored.png"
  mirrored=$(opaque_difference "$1" $cloud_x $cloud_y "$WORK/text_cloud_mirrored.png")
  plain=$(opaque_difference "$1" $cloud_x $cloud_y "$pictures/text_cloud.png")
  echo "$1: speech cloud mirrored $mirrored, plain $plain" >> "$SHOTS/probes.log"
  awk -v m="$mirrored" -v p="$plain" 'BEGIN { exit !(m < p) }'
}
guide_speaking() { ! partner_speaking "$1"; }
# Continue goes on with the story. Arguments: a shot's name and the test that waits for the
# next page.
press_phone_continue() {
  click $((phone_continue_x + 100)) $((phone_continue_y + 25))
  park_pointer
  wait_for "$@"
}

# The awards: a habitat award's picture and its place on the awards screen, by index.
award_picture() { echo "../awards/$(cut -d ' ' -f $(($1 + 1)) <<<"amazon canyon alaska arctic").png"; }
award_x() { cut -d ' ' -f $(($1 + 1)) <<<"85 220 360 500"; }
award_y() { cut -d ' ' -f $(($1 + 1)) <<<"30 54 60 54"; }
# The middle of the medal, in full colour. Arguments: AWARD SHOT X Y.
award_picture_at() { shows_picture "$2" "$3" "$4" "$(award_picture "$1")" 30 20 30 30; }
# The memo with the award of the habitat done. Arguments: AWARD SHOT.
memo_shown() {
  shows_picture "$2" $memo_x $memo_y wappo_memo.png 20 400 40 40 &&
    award_picture_at "$1" "$2" $memo_award_x $memo_award_y && large_button_at "$2" $phone_continue_x $phone_continue_y
}

# The awards screen over everything: the left of its frame and its Back at (60, 540).
readonly awards_back_x=60 awards_back_y=540
awards_screen_shown() {
  shows_picture "$1" 0 0 ../awards/background.png 0 150 60 60 && large_button_at "$1" $awards_back_x $awards_back_y
}
awards_screen_gone() { ! shows_picture "$1" 0 0 ../awards/background.png 0 150 60 60; }
# The award's tile in full colour, as for an award the player holds. Arguments: AWARD SHOT.
award_in_colour() { award_picture_at "$1" "$2" "$(award_x "$1")" "$(award_y "$1")"; }
# A new award's tile fades out and in three times after the screen opens: one of the shots
# taken meanwhile shows it faded, and it ends in full colour. Arguments: AWARD SHOT.
award_blinks() {
  local n faded=0
  for n in 1 2 3 4 5 6 7 8; do
    shot "$2_$n"
    award_in_colour "$1" "$2_$n" || faded=$((faded + 1))
  done
  echo "$2: award $1 faded in $faded of 8 shots" >> "$SHOTS/probes.log"
  [ "$faded" -gt 0 ] && wait_for "$2_end" award_in_colour "$1"
}
# Clear of the awards screen's tiles, whose notes pop up under the pointer.
park_pointer_clear_of_awards() { xdotool mousemove --window "$window" 770 580; }
press_awards_back() {
  click $((awards_back_x + 100)) $((awards_back_y + 25))
  park_pointer
}

# From play until the level ends: the report counts its bonuses and offers Done; the
# receiving-awards screen's call (partner, then guide), its memo with the habitat's award,
# and the awards screen with that award blinking, the next habitat's still dark. Shots:
# report, call, answer, memo, awards_N, awards_end.
receive_award() {
  local award=$1
  wait_for report report_done_offered || fail "the level did not end in the report with its Done"
  click $((report_done_x + 100)) $((report_done_y + 25))
  park_pointer
  wait_for call phone_continue_offered || fail "the report's Done brought no phone call with its Continue"
  partner_speaking call || fail "the call does not open with the partner speaking"
  press_phone_continue answer guide_speaking || fail "Continue did not give the guide the word"
  phone_continue_offered answer || fail "the call's second page shows no phones or Continue"
  press_phone_continue memo memo_shown "$award" || fail "the memo did not show award $award"
  click $((phone_continue_x + 100)) $((phone_continue_y + 25))
  park_pointer_clear_of_awards
  wait_for awards awards_screen_shown || fail "the memo's Continue opened no awards screen"
  award_blinks "$award" awards || fail "award $award did not blink and stay in colour"
  ! award_in_colour $((award == 3 ? 2 : award + 1)) awards_end || fail "an award the player does not hold shows in colour"
}

# The game-over letters at rest: G, the first, from (72, 253).
game_over_shown() {
  awk -v d="$(opaque_difference "$1" 72 253 "$pictures/letter_g.png")" 'BEGIN { exit !(d < 0.03) }'
}
# The high-score table's rows lie in the panel at (192, 50), one every 26 pixels or so from
# the baseline 100; the marked row is written in dark red. The share of such pixels in the
# row's band. Arguments: SHOT ROW.
red_in_score_row() {
  convert "$SHOTS/$1.png" -crop "380x24+$((192 + 20 + client_x))+$((50 + 80 + 26 * $2 + client_y))" +repage \
    -fx "r > 0.45 && g < 0.2 && b < 0.2 ? 1 : 0" -format "%[fx:mean]" info:
}
score_row_marked() { awk -v red="$(red_in_score_row "$1" "$2")" 'BEGIN { exit !(red > 0.01) }'; }
no_score_row_marked() {
  local row
  for row in 0 1 2 3 4 5 6 7 8 9; do
    ! score_row_marked "$1" "$row" || return 1
  done
}
