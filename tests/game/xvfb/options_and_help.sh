# The options, the credits and the how-to-play pages, through the game host: a player saved on
# the Amazon's first stage. From the main menu, Options opens its panel and Credits the
# credits, whose lines scroll up through the band; Back returns to the options as they were,
# and Done brings the menu's buttons back. How to play opens the pages: Next and Previous
# turn them, Previous on the first shows the last (the signature) and Next on the last the
# first again; Done brings the menu's buttons back. In the continued game the pause menu's
# Options opens in the pause menu's place, Done brings the pause menu back and Resume returns
# to play; Save and exit leads back to the main menu. There, the full-screen box checked and
# Done make the window cover the screen with the menu scaled up in it, and the box, shown
# checked there, unchecked and Done bring the window back.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

# The main menu's Options and How to play, the third and fourth of its large buttons.
readonly options_button_y=340 how_to_play_button_y=390

# The options' panel lies where the pause menu's does; inside it the full-screen box (drawn a
# pixel in) and Credits and Done, centred across it near its foot.
readonly full_screen_box_x=$((menu_x + 41)) full_screen_box_y=$((menu_y + 261))
readonly credits_y=$((menu_y + 380)) options_done_y=$((menu_y + 430))

# The options' panel: its parchment below the boxes, the full-screen box in one of its
# states, Credits and Done, and none of the pause menu's buttons at the top.
options_shown() {
  shows_picture "$1" $menu_x $menu_y submenu.png 20 380 40 40 &&
    [ "$(box_state "$1" $full_screen_box_x $full_screen_box_y)" != none ] &&
    large_button_at "$1" $menu_button_x $credits_y && large_button_at "$1" $menu_button_x $options_done_y &&
    ! large_button_at "$1" $menu_button_x $resume_y
}
options_gone() { ! shows_picture "$1" $menu_x $menu_y submenu.png 20 380 40 40; }
# The main menu again: its buttons, with no panel over them.
menu_back() { options_gone "$1" && menu_buttons_shown "$1"; }
full_screen_box() { [ "$(box_state "$2" $full_screen_box_x $full_screen_box_y)" = "$1" ]; }
pause_menu_back() { pause_menu_shown "$1" && ! large_button_at "$1" $menu_button_x $options_done_y; }

# The game's window, made anew when the screen mode changes: "x y width height" on the
# screen. Nothing while no window is found (the old one gone, the new one not yet shown):
# xwininfo without an id would wait for a click to choose one.
window_geometry() {
  [ -n "$1" ] || return 0
  xwininfo -id "$1" 2>/dev/null |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
         /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
# Waits up to 30 seconds for the game's visible window to take the geometry; that window
# becomes the one the steps click into and close.
wait_for_geometry() {
  local found geometry
  for _ in $(seq 1 60); do
    found=$(xdotool search --onlyvisible --name "Green Atlas" 2>/dev/null | tail -n 1 || true)
    geometry=$(window_geometry "$found")
    echo "window $found: $geometry" >> "$SHOTS/probes.log"
    if [ -n "$found" ] && [ "$geometry" = "$1" ]; then
      window=$found
      return 0
    fi
    sleep 0.5
  done
  return 1
}
readonly windowed_geometry="$client_x $client_y 800 600" full_screen_geometry="0 0 1024 768"

# Full screen, the game's 800 x 600 are scaled up by 32/25 over the 1024 x 768 screen, and
# so are the game positions the steps click at. A full-screen shot is compared with a windowed
# one of the same screen scaled up likewise: over the whole screen, and over a check box,
# which the windowed shots show in each state.
full_screen_click() { click $(($1 * 32 / 25)) $(($2 * 32 / 25)); }
full_screen_park_pointer() { xdotool mousemove --window "$window" $((700 * 32 / 25)) $((100 * 32 / 25)); }
scaled_up() {
  [ -e "$WORK/$1_scaled.png" ] ||
    convert "$SHOTS/$1.png" -crop "800x600+$client_x+$client_y" +repage -filter point -resize '1024x768!' \
      "$WORK/$1_scaled.png"
  echo "$WORK/$1_scaled.png"
}
# The mean difference, 0 to 1, between a part of a full-screen shot and the same part of a
# windowed one scaled up, the part given in game positions. Arguments: SHOT WINDOWED X Y W H.
scaled_difference() {
  local crop="$(($5 * 32 / 25))x$(($6 * 32 / 25))+$(($3 * 32 / 25))+$(($4 * 32 / 25))"
  convert "$SHOTS/$1.png" -crop "$crop" +repage "$WORK/full_part.png"
  convert "$(scaled_up "$2")" -crop "$crop" +repage "$WORK/windowed_part.png"
  { compare -metric MAE "$WORK/full_part.png" "$WORK/windowed_part.png" null: 2>&1 || true; } |
    sed 's/.*(\(.*\))/\1/'
}
# The full-screen shot shows the screen of the windowed one, scaled up to cover the screen;
# its full-screen box looks as there, and not as in the other windowed shot, whose box is in
# the other state. Arguments: WINDOWED [OTHER_WINDOWED] SHOT.
full_screen_shows() {
  local shot=${!#} whole same other
  whole=$(scaled_difference "$shot" "$1" 0 0 800 600)
  echo "$shot: differs from $1 scaled up by $whole" >> "$SHOTS/probes.log"
  awk -v d="$whole" 'BEGIN { exit !(d < 0.05) }' || return 1
  [ $# = 3 ] || return 0
  same=$(scaled_difference "$shot" "$1" $full_screen_box_x $full_screen_box_y 28 28)
  other=$(scaled_difference "$shot" "$2" $full_screen_box_x $full_screen_box_y 28 28)
  echo "$shot: full-screen box differs from $1's by $same, from $2's by $other" >> "$SHOTS/probes.log"
  awk -v s="$same" -v o="$other" 'BEGIN { exit !(s < o / 2) }'
}

# The credits' background fills the window; Back lies at (20, 550), its picture mirrored.
readonly credits_back_x=20 credits_back_y=550 band_y=186 band_height=275
convert "$pictures/button_large.png" -flop -crop 22x50+0+0 +repage "$WORK/back_button_end.png"
credits_shown() {
  shows_picture "$1" 0 0 background_credits.png 20 20 40 40 &&
    awk -v d="$(difference_over "$1" $credits_back_x $credits_back_y "$WORK/back_button_end.png")" \
      'BEGIN { exit !(d < 0.03) }'
}
# The band the lines scroll through, cut from a shot into a file of its own, and the mean
# difference, 0 to 1, between two such files.
band_of() {
  convert "$SHOTS/$1.png" -crop "800x$band_height+$client_x+$((band_y + client_y))" +repage "$WORK/band_$1.png"
  echo "$WORK/band_$1.png"
}
band_difference() { { compare -metric MAE "$1" "$2" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'; }
convert "$pictures/background_credits.png" -crop "800x$band_height+0+$band_y" +repage "$WORK/bare_band.png"
# Lines are written over the band's background.
lines_in_band() {
  local written
  written=$(band_difference "$WORK/bare_band.png" "$(band_of "$1")")
  echo "$1: band differs from the bare background by $written" >> "$SHOTS/probes.log"
  awk -v d="$written" 'BEGIN { exit !(d > 0.002) }'
}
# The lines have moved since the first shot of the credits, which still show.
credits_scrolled() {
  local moved
  moved=$(band_difference "$(band_of credits)" "$(band_of "$1")")
  echo "$1: band moved $moved since the first shot" >> "$SHOTS/probes.log"
  credits_shown "$1" && awk -v d="$moved" 'BEGIN { exit !(d > 0.005) }'
}

# The how-to-play panel, centred: the parchment left below the portrait and the portrait;
# Previous and Done at its left, Next beside Previous; the page's title at the top.
readonly help_x=130 help_y=20
readonly help_left_x=$((help_x + 135)) help_next_x=$((help_x + 340)) help_turn_y=$((help_y + 470))
readonly help_done_y=$((help_y + 510))
help_shown() {
  shows_picture "$1" $help_x $help_y story_back.png 20 200 40 40 &&
    shows_picture "$1" $((help_x + 16)) $((help_y + 16)) story_janeportret.png 30 30 50 50 &&
    large_button_at "$1" $help_left_x $help_turn_y && large_button_at "$1" $help_next_x $help_turn_y &&
    large_button_at "$1" $help_left_x $help_done_y
}
help_gone() { ! shows_picture "$1" $help_x $help_y story_back.png 20 200 40 40; }
# The mean difference, 0 to 1, between the page's title and the first page's.
title_change() {
  local shot difference
  for shot in help_first "$1"; do
    convert "$SHOTS/$shot.png" -crop "360x32+$((help_x + 140 + client_x))+$((help_y + 10 + client_y))" +repage \
      "$WORK/title_$shot.png"
  done
  difference=$({ compare -metric MAE "$WORK/title_help_first.png" "$WORK/title_$1.png" null: 2>&1 || true; } |
    sed 's/.*(\(.*\))/\1/')
  echo "$1: title differs from the first page's by $difference" >> "$SHOTS/probes.log"
  echo "$difference"
}
# The pages show the first page's title, or another one.
first_page() { help_shown "$1" && awk -v d="$(title_change "$1")" 'BEGIN { exit !(d < 0.005) }'; }
other_page() { help_shown "$1" && awk -v d="$(title_change "$1")" 'BEGIN { exit !(d > 0.02) }'; }
# The last page: the guide's signature at (290, 250) on the panel.
last_page() {
  local difference
  difference=$(opaque_difference "$1" $((help_x + 290)) $((help_y + 250)) "$pictures/jane_signiture.png")
  echo "$1: signature $difference" >> "$SHOTS/probes.log"
  other_page "$1" && awk -v d="$difference" 'BEGIN { exit !(d < 0.03) }'
}
# Turns the page with Previous or Next and waits for the test. Arguments: BUTTON_X SHOT TEST.
turn_page() {
  click $(($1 + 100)) $((help_turn_y + 25))
  park_pointer
  wait_for "$2" "$3"
}

: > "$SHOTS/probes.log"
write_profile --habitat Amazon --stage 0 --next-level 0 --score 1000
start_with options_and_help run
park_pointer
wait_for menu menu_buttons_shown || fail "the main menu's buttons never showed"
[ "$(window_geometry "$window")" = "$windowed_geometry" ] || fail "the window does not start at $windowed_geometry"

# Credits: the lines scroll up through the band; Back returns to the options as they were.
click 400 $options_button_y
park_pointer
wait_for options options_shown || fail "Options opened no options panel with Credits and Done"
click $((menu_button_x + 100)) $((credits_y + 25))
park_pointer
wait_for credits credits_shown || fail "Credits opened no credits with their Back"
wait_for credits_lines lines_in_band || fail "no line of the credits showed in the band"
wait_for credits_scrolled credits_scrolled || fail "the credits' lines did not move"
click $((credits_back_x + 100)) $((credits_back_y + 25))
park_pointer
wait_for credits_back options_shown || fail "Back did not return to the options"
full_screen_box unchecked credits_back || fail "the full-screen box changed on the way through the credits"
click $((menu_button_x + 100)) $((options_done_y + 25))
park_pointer
wait_for options_done menu_back || fail "the options' Done did not bring the menu's buttons back"

# How to play: Next, Previous, Previous from the first page to the last, Next from the last
# to the first; Done brings the menu's buttons back.
click 400 $how_to_play_button_y
park_pointer
wait_for help_first help_shown || fail "How to play opened no pages with Previous, Next and Done"
turn_page $help_next_x help_second other_page || fail "Next did not turn to another page"
! last_page help_second || fail "Next on the first page showed the last"
turn_page $help_left_x help_first_again first_page || fail "Previous did not return to the first page"
turn_page $help_left_x help_last last_page || fail "Previous on the first page did not show the last"
turn_page $help_next_x help_wrapped first_page || fail "Next on the last page did not show the first"
click $((help_left_x + 100)) $((help_done_y + 25))
park_pointer
wait_for help_done menu_buttons_shown || fail "the pages' Done did not bring the menu's buttons back"
help_gone help_done || fail "the pages stayed over the main menu"

# In the continued game: the pause menu's Options over the board in its place, and back.
continue_adventure
rm -f "$WORK/looks_before.txt"
wait_for settled board_settled || fail "the continued board never settled"
click $((pause_x + 100)) $((pause_y + 25))
park_pointer
wait_for paused pause_menu_shown || fail "the pause button opened no pause menu"
click $((menu_button_x + 100)) $((options_y + 25))
park_pointer
wait_for paused_options options_shown || fail "the pause menu's Options opened no options panel"
! pause_menu_shown paused_options || fail "the pause menu stayed beside the options"
click $((menu_button_x + 100)) $((options_done_y + 25))
park_pointer
wait_for paused_again pause_menu_back || fail "the options' Done did not bring the pause menu back"
click $((menu_button_x + 100)) $((resume_y + 25))
park_pointer
wait_for resumed back_in_play || fail "Resume did not return to play after the options"

# Save and exit, back to the main menu, where the window mode changes last.
click $((pause_x + 100)) $((pause_y + 25))
park_pointer
wait_for paused_to_leave pause_menu_shown || fail "the pause button did not open the pause menu again"
click $((menu_button_x + 100)) $((save_exit_y + 25))
park_pointer
wait_for left_game menu_buttons_shown || fail "Save and exit did not return to the main menu"

# Options; the full-screen box checked and Done: the window covers the screen, the main menu
# scaled up in it. Full screen, the options show the box checked; unchecked and Done, the
# window comes back.
click 400 $options_button_y
park_pointer
wait_for options_windowed options_shown || fail "Options did not open again"
full_screen_box unchecked options_windowed || fail "the full-screen box starts checked in a window"
click $((full_screen_box_x + 14)) $((full_screen_box_y + 14))
park_pointer
wait_for full_screen_checked full_screen_box checked || fail "the full-screen box never showed checked"
[ "$(window_geometry "$window")" = "$windowed_geometry" ] || fail "checking the box changed the window before Done"
click $((menu_button_x + 100)) $((options_done_y + 25))
wait_for_geometry "$full_screen_geometry" || fail "Done with the box checked did not make the window cover the screen"
full_screen_park_pointer
wait_for full_screen full_screen_shows left_game || fail "the main menu does not cover the screen in full screen"
full_screen_click 400 $options_button_y
full_screen_park_pointer
wait_for full_screen_options full_screen_shows full_screen_checked options_windowed ||
  fail "Options in full screen did not show the options with the full-screen box checked"
full_screen_click $((full_screen_box_x + 14)) $((full_screen_box_y + 14))
full_screen_park_pointer
wait_for full_screen_unchecked full_screen_shows options_windowed full_screen_checked ||
  fail "the full-screen box never showed unchecked in full screen"
full_screen_click $((menu_button_x + 100)) $((options_done_y + 25))
wait_for_geometry "$windowed_geometry" || fail "Done with the box unchecked did not bring the window back"
park_pointer
wait_for windowed menu_back || fail "the main menu did not come back in the window"
stop options_and_help
