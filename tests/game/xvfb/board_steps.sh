# Steps of the scenarios that play a chosen stage through the board host (sourced; GAME is
# the host, which lies at the top of the build tree beside the game's loose content).
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"

pictures="$(dirname "$GAME")/content/images"
# The board's top-left corner and the distance between its cells, in game positions.
readonly board_x=256 board_y=16 cell_pitch=89

# Starts the host with the arguments after the run's name and waits until the board is
# dealt; the host's line about the dealt board is kept in $dealt.
host_stage() {
  local run=$1
  launch "$@"
  timeout 60 bash -c "until grep -q '^dealt:' '$WORK/$run.out'; do sleep 0.2; done" ||
    fail "$run: the board was never dealt"
  dealt=$(grep '^dealt:' "$WORK/$run.out")
}
# A number of the dealt line, by its name ("mode", "plate kind", "frame shape", "frame anchor").
dealt_value() { sed -n "s/.*$1 \(-\?[0-9]*\).*/\1/p" <<<"$dealt"; }

# The mean difference, 0 to 1, between the w x h area of the screenshot at a game position
# and the area of the same size at (px, py) of a picture. Arguments: SHOT X Y PICTURE PX PY W H.
picture_difference() {
  convert "$SHOTS/$1.png" -crop "$7x$8+$(($2 + client_x))+$(($3 + client_y))" +repage "$WORK/shot_area.png"
  convert "$4" -alpha off -crop "$7x$8+$5+$6" +repage "$WORK/picture_area.png"
  { compare -metric MAE "$WORK/shot_area.png" "$WORK/picture_area.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'
}
# True when the area shows the picture drawn there: they differ by less than 0.1 on average.
shows_picture() { awk -v d="$(picture_difference "$@")" 'BEGIN { exit !(d < 0.1) }'; }
