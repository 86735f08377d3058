# The first start: after the title, the name entry asks for a name; "Ann" typed and Enter
# bring the main menu greeting Ann; closing the window saves her, and the next start greets
# her again without asking.
source "$(dirname "${BASH_SOURCE[0]}")/game_steps.sh"

start first
wait_for first_name_entry panel_shown || fail "the name entry never appeared"
[ ! -e "$profiles" ] || fail "profiles.dat exists before a name was given"
enter_name "Ann"
park_pointer
wait_for first_menu menu_buttons_shown || fail "the main menu's buttons never came back"
sleep 1.5
shot first_menu
! panel_shown first_menu || fail "the name entry is still open"
greeting_shown first_menu || fail "the main menu greets nobody"
grep -q "Ann" "$profiles" || fail "Ann was not saved"
stop first

start second
park_pointer
wait_for second_menu menu_buttons_shown || fail "the main menu's buttons never appeared on the second start"
sleep 1.5
shot second_menu
! panel_shown second_menu || fail "the second start asked for a name again"
crop() { convert "$SHOTS/$1.png" -crop 125x45+140+325 +repage "$WORK/$1_welcome.png"; }
crop first_menu
crop second_menu
[ "$(compare -metric AE "$WORK/first_menu_welcome.png" "$WORK/second_menu_welcome.png" null: 2>&1)" = 0 ] ||
  fail "the second start's greeting differs from the first"
stop second
