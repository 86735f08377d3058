# A new player presses Start adventure: the game selection offers New adventure in its first
# row (there is nothing to continue). New adventure opens the world map with the first
# habitat's flag, and its Done button appears; Done starts the Amazon with the introduction,
# which slides in: Continue, the three items in order, Continue. Play begins and the first
# tip appears; the player checks "don't show tips" and presses Continue. On the first stage
# (match same) the player drags over three neighbouring tiles of one creature: a "+150"
# popup shows near them and no tip opens (with tips on, the tip on frames would). Once the
# window is closed profiles.dat holds the score and options.dat holds the tips off.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"
source "$(dirname "${BASH_SOURCE[0]}")/adventure_steps.sh"

# "+150": the plus and three digits side by side, each 32 pixels wide.
convert "$pictures/big_plus.png" "$pictures/big_1.png" "$pictures/big_5.png" "$pictures/big_0.png" \
  -background none +append "$WORK/plus150.png"
# The popup within reach of the chain's tiles (the game positions of their centres): found by
# the plus's bar, then the whole "+150" held against the screenshot there, a pixel either
# way for the popup's fractional position. Arguments: SHOT AX AY BX BY CX CY.
plus150_near() {
  local xs ys left top right bottom diff x y dx dy best=1
  xs=$(printf '%s\n' "$2" "$4" "$6" | sort -n) ys=$(printf '%s\n' "$3" "$5" "$7" | sort -n)
  left=$(($(head -n 1 <<<"$xs") - 150)) right=$(($(tail -n 1 <<<"$xs") + 150))
  top=$(($(head -n 1 <<<"$ys") - 150)) bottom=$(($(tail -n 1 <<<"$ys") + 50))
  left=$((left < 0 ? 0 : left)) top=$((top < 0 ? 0 : top))
  right=$((right > 800 ? 800 : right)) bottom=$((bottom > 600 ? 600 : bottom))
  read -r diff x y < <(find_picture "$1" "$left" "$top" $((right - left)) $((bottom - top)) big_plus.png 4 20 24 5)
  for dx in -1 0 1; do
    for dy in -1 0 1; do
      best=$(awk -v a="$best" -v b="$(difference_over "$1" $((x + dx)) $((y + dy)) "$WORK/plus150.png")" \
        'BEGIN { print (b < a) ? b : a }')
    done
  done
  echo "$1: plus bar $diff at ($x, $y), +150 $best" >> "$SHOTS/probes.log"
  awk -v d="$best" 'BEGIN { exit !(d < 0.08) }'
}

# What the probes found, for a look after the run.
: > "$SHOTS/probes.log"
start_as_new_player Eve

open_world_map
press_done
pass_introduction
dismiss_tip off
wait_for board amazon_background || fail "Done did not start play in the Amazon"
! done_offered board || fail "the world map's Done button stayed in play"
wait_for settled board_settled || fail "the board never settled"

read -r ac ar bc br cc cr < <(find_three_alike settled) ||
  fail "no three neighbouring tiles of one creature on the board"
echo "chain: ($ac, $ar) ($bc, $br) ($cc, $cr)" >> "$SHOTS/probes.log"
chain="$(centre_x "$ac") $(centre_y "$ar") $(centre_x "$bc") $(centre_y "$br") $(centre_x "$cc") $(centre_y "$cr")"
# shellcheck disable=SC2086
drag_over $chain
xdotool mouseup 1
# The popup rises for a second and fades in its second half: shots first, probes after.
for n in 1 2 3; do
  sleep 0.1
  shot "popup$n"
done
park_pointer
popup_seen=false
for n in 1 2 3; do
  # shellcheck disable=SC2086
  if plus150_near "popup$n" $chain; then popup_seen=true; fi
done
$popup_seen || fail "no +150 popup near the chain"
# A tip would have faded in by now.
sleep 1
shot after_move
tip_gone after_move || fail "a tip opened after the move although tips were turned off"
stop adventure

# profiles.dat: the profile count and the current index, then the first profile: its name
# (a 16-bit length and the bytes), the habitats started and the score, little-endian.
name_length=$(od -An -tu2 -j8 -N2 "$profiles" | tr -d ' ')
score=$(od -An -td4 -j$((8 + 2 + name_length + 4)) -N4 "$profiles" | tr -d ' ')
echo "score in profiles.dat: $score" >> "$SHOTS/probes.log"
[ "$score" -ge 150 ] || fail "profiles.dat holds a score of $score"

# options.dat: a 32-bit reserved value and the two volumes, then the flags, the tips first.
tips=$(od -An -tu1 -j12 -N1 "$(dirname "$profiles")/options.dat" | tr -d ' ')
echo "tips flag in options.dat: $tips" >> "$SHOTS/probes.log"
[ "$tips" = 0 ] || fail "options.dat holds the tips flag $tips"
