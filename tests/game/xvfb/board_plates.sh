# Plates under the cells and the target frame over them, through the board host: an Arctic
# food-chain stage on silver plates and an Amazon match-same stage on golden ones. Below the
# tile of every cell the lower edge of its plate shows, and the frame the board picked (a
# pair in these stages, whose highest frame shape is 1) stands over its two cells.
source "$(dirname "${BASH_SOURCE[0]}")/board_steps.sh"

# The pair's frame: its picture from 16 pixels left of and 11 above the anchor cell for the
# horizontal pair, and turned a quarter left about its centre for the vertical pair. Sets
# frame_picture and the picture's place and size, frame_x, frame_y, frame_width and
# frame_height, and frame_slack, the shifts of that place within which it is looked for: the
# drawing's turn about the picture's centre lands it up to a few pixels from where a quarter
# turn on whole pixels puts it.
place_frame() {
  local shape=$1 anchor=$2
  frame_picture="$pictures/game/framex2.png"
  frame_x=$((board_x + anchor % 6 * cell_pitch - 16)) frame_y=$((board_y + (anchor / 6) * cell_pitch - 11))
  frame_slack=0
  case $shape in
    0) ;;
    1)
      convert "$frame_picture" -rotate -90 "$WORK/framex2_turned.png"
      frame_picture="$WORK/framex2_turned.png"
      frame_x=$((frame_x + 1)) frame_y=$((frame_y + 3)) frame_slack="0 -1 1 -2 2 -3 3"
      ;;
    *) fail "frame shape $shape in a stage of pairs" ;;
  esac
  read -r frame_width frame_height < <(identify -format "%w %h\n" "$frame_picture")
}
# The frame's top and left bars against the picture's, at one shift of its place.
frame_shown() {
  local name=$1 dx dy x y
  for dy in $frame_slack; do
    for dx in $frame_slack; do
      x=$((frame_x + dx)) y=$((frame_y + dy))
      shows_picture "$name" $((x + 30)) $((y + 5)) "$frame_picture" 30 5 45 6 &&
        shows_picture "$name" $((x + 5)) $((y + 30)) "$frame_picture" 5 30 6 45 && return 0
    done
  done
  return 1
}

# The plate lies 7 pixels left of its cell; its lowest opaque row is the first below the
# tile. Where the frame may lie over that row, the plate is not looked for.
plate_under_cell() {
  local picture=$1 column=$2 row=$3 name=$4
  local x=$((board_x + column * cell_pitch - 7 + 24)) y=$((board_y + row * cell_pitch + 86))
  if [ "$x" -lt $((frame_x + frame_width + 3)) ] && [ $((x + 40)) -gt $((frame_x - 3)) ] &&
    [ "$y" -ge $((frame_y - 3)) ] && [ "$y" -lt $((frame_y + frame_height + 3)) ]; then
    return 0
  fi
  shows_picture "$name" "$x" "$y" "$picture" 24 86 40 1
}
plates_under_every_cell() {
  local picture=$1 name=$2 column row
  for row in 0 1 2 3 4 5; do
    for column in 0 1 2 3 4 5; do
      plate_under_cell "$picture" "$column" "$row" "$name" || return 1
    done
  done
}

# Plays the stage with the plate kind and checks the board's plates and frame.
check_stage() {
  local run=$1 habitat=$2 stage=$3 mode=$4 kind=$5 plate=$6
  host_stage "$run" --habitat "$habitat" --stage "$stage" --plates "$kind"
  [ "$(dealt_value mode)" = "$mode" ] && [ "$(dealt_value "plate kind")" = "$kind" ] ||
    fail "$run: not the stage asked for: $dealt"
  # Left of the board, where the pointer neither hovers a tile nor hides one.
  xdotool mousemove --window "$window" 100 300
  sleep 1
  shot "$run"
  place_frame "$(dealt_value "frame shape")" "$(dealt_value "frame anchor")"
  frame_shown "$run" || fail "$run: the frame is not drawn where the board picked it: $dealt"
  plates_under_every_cell "$pictures/game/$plate" "$run" || fail "$run: a cell shows no $plate below its tile"
  stop "$run"
}

check_stage arctic_food_chain Arctic 3 0 1 plate_silver.png
check_stage amazon_match_same Amazon 1 1 2 plate_golden.png
