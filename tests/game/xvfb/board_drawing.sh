# A new player presses Play (Start adventure), New adventure in the game selection and Done
# on the world map: while the Amazon's board deals its tiles in, the stage title ("STAGE"
# above the habitat's name) bounces over the board, and it is gone once the board is dealt.
# Then the player presses on a tile and drags over two more of the same creature next to it:
# the selection line runs between the three tiles' centres while the button is held, and the
# release takes it away.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

# The best match, "difference y", of a patch of a picture in a column of the screenshot: the
# picture stands at a known x but moves up and down. Arguments: SHOT X PICTURE PX PY W H,
# with X where the picture's left edge is drawn and (PX, PY, W, H) an opaque part of it.
find_in_column() {
  convert "$SHOTS/$1.png" -crop "$6x600+$(($2 + $4 + client_x))+$client_y" +repage "$WORK/column.png"
  convert "$pictures/$3" -alpha off -crop "$6x$7+$4+$5" +repage "$WORK/patch.png"
  { compare -metric MAE -subimage-search "$WORK/column.png" "$WORK/patch.png" null: 2>&1 || true; } |
    sed -n 's/.*(\(.*\)) @ [0-9]*,\([0-9]*\).*/\1 \2/p'
}
# The label stands centred over the board's 532 pixels; so does the habitat's picture.
label_at() { find_in_column "$1" $((board_x + (532 - 280) / 2)) label_stage.png 82 30 14 30; }
habitat_at() { find_in_column "$1" $((board_x + (532 - 440) / 2)) stage_am.png 132 40 30 14; }
# Both pictures of the stage title show, the label above the habitat's name.
stage_title_shown() {
  local label_diff label_y habitat_diff habitat_y
  read -r label_diff label_y < <(label_at "$1")
  read -r habitat_diff habitat_y < <(habitat_at "$1")
  echo "$1: label $label_diff at $label_y, habitat $habitat_diff at $habitat_y" >> "$SHOTS/probes.log"
  awk -v l="$label_diff" -v h="$habitat_diff" -v ly="$label_y" -v hy="$habitat_y" \
    'BEGIN { exit !(l < 0.05 && h < 0.05 && ly < hy) }'
}
stage_title_gone() { ! stage_title_shown "$1"; }

# The brightest min(red, green) of the 5 x 5 pixels around a game position, 0 to 255: the
# line's elements are white, or yellow under its glint.
pale_around() {
  convert "$SHOTS/$1.png" -crop "5x5+$(($2 - 2 + client_x))+$(($3 - 2 + client_y))" +repage -fx "min(r,g)" \
    -format "%[fx:int(255*maxima)]" info:
}
# The share, 0 to 1, of points along the two segments a-b and b-c where the line's pale
# elements show. An element's top-left corner sits on its point of the line, so its middle
# lies (7, 5) beyond. Arguments: SHOT AX AY BX BY CX CY.
line_share() {
  local shot=$1 lit=0 total=0 segment x0 y0 x1 y1 step x y
  for segment in "$2 $3 $4 $5" "$4 $5 $6 $7"; do
    read -r x0 y0 x1 y1 <<<"$segment"
    for step in 2 3 4 5 6 7 8; do
      total=$((total + 1))
      x=$((x0 + (x1 - x0) * step / 10 + 7))
      y=$((y0 + (y1 - y0) * step / 10 + 5))
      if [ "$(pale_around "$shot" "$x" "$y")" -gt 200 ]; then lit=$((lit + 1)); fi
    done
  done
  awk -v l="$lit" -v t="$total" 'BEGIN { printf "%.2f\n", l / t }'
}

# What the probes found, for a look after the run.
: > "$SHOTS/probes.log"
start_as_new_player Eve
stage_title_gone menu || fail "the main menu shows a stage title"

# The deal-in, and with it the stage title, begins only once the map's Done is pressed.
open_world_map
stage_title_gone map_flagged || fail "the world map shows a stage title"
press_done
pass_introduction
wait_for dealing stage_title_shown || fail "the deal-in showed no stage title over the board"
wait_for dealt stage_title_gone || fail "the stage title stayed after the deal-in"
# No tip is to cover the board's lines from here on.
dismiss_tip off
wait_for board board_settled || fail "the board never settled"
stage_title_gone board || fail "the stage title came back on the dealt board"

read -r ac ar bc br cc cr < <(find_three_alike board) ||
  fail "no three neighbouring tiles of one creature on the board"
echo "chain: ($ac, $ar) ($bc, $br) ($cc, $cr)" >> "$SHOTS/probes.log"
chain="$(centre_x "$ac") $(centre_y "$ar") $(centre_x "$bc") $(centre_y "$br") $(centre_x "$cc") $(centre_y "$cr")"

# shellcheck disable=SC2086
drag_over $chain
shot dragging
# shellcheck disable=SC2086
held=$(line_share dragging $chain)
xdotool mouseup 1
park_pointer
sleep 0.8
shot released
# shellcheck disable=SC2086
let_go=$(line_share released $chain)
echo "line while held $held, after the release $let_go" >> "$SHOTS/probes.log"
awk -v s="$held" 'BEGIN { exit !(s >= 0.9) }' || fail "the selection line does not join the tiles' centres ($held)"
awk -v s="$let_go" 'BEGIN { exit !(s <= 0.5) }' || fail "the selection line stayed after the release ($let_go)"
stop adventure
