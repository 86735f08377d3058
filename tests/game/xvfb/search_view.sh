# An Arctic match-search stage through the board host: the frost mask covers the board while
# the pointer is elsewhere; with the pointer over the board the mask leaves out the 100 x 100
# square around it, where the tiles show, and the search cursor's frame is drawn around it.
source "$(dirname "${BASH_SOURCE[0]}")/board_steps.sh"

mask="$pictures/game/mask_arctic.png"
cursor="$pictures/game/framex1.png"
# Where the pointer goes over the board, and the corners of 70 x 70 areas: inside its square
# (within the cursor's frame), and beyond the square's right, top, left and bottom sides.
readonly pointer_x=420 pointer_y=250
readonly inside="385 215" beyond="480 215
385 120
295 215
385 310"

# The mask lies 16 pixels left of and above the board.
masked() {
  local x=$1 y=$2 name=$3
  shows_picture "$name" "$x" "$y" "$mask" $((x - board_x + 16)) $((y - board_y + 16)) 70 70
}
masked_beyond() {
  local area
  while read -r area; do
    # shellcheck disable=SC2086
    masked $area "$1" || return 1
  done <<<"$beyond"
}
whole_board_masked() {
  # shellcheck disable=SC2086
  masked $inside "$1" && masked_beyond "$1"
}
# The cursor's frame centred on the pointer: its top and left bars.
search_cursor_shown() {
  local x=$((pointer_x - 52)) y=$((pointer_y - 52))
  shows_picture "$1" $((x + 30)) $((y + 5)) "$cursor" 30 5 44 6 &&
    shows_picture "$1" $((x + 5)) $((y + 30)) "$cursor" 5 30 6 44
}
window_around_pointer() {
  # shellcheck disable=SC2086
  ! masked $inside "$1" && masked_beyond "$1" && search_cursor_shown "$1"
}

host_stage search --habitat Arctic --stage 2
[ "$(dealt_value mode)" = 3 ] || fail "Arctic stage 2 is not a match-search stage: $dealt"

xdotool mousemove --window "$window" 100 300
wait_for away whole_board_masked || fail "the mask does not cover the board while the pointer is off it"
xdotool mousemove --window "$window" "$pointer_x" "$pointer_y"
wait_for over window_around_pointer ||
  fail "over the board the mask does not leave out the square around the pointer alone, or the search cursor is missing"
xdotool mousemove --window "$window" 100 300
wait_for away_again whole_board_masked || fail "the mask does not close again once the pointer leaves the board"
stop search
