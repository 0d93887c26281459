#!/usr/bin/env bash
# The notice button shows its warning box and starts nothing; Return dismisses the box, the button
# has the keyboard focus again, and the program goes on as before.
source "$(dirname "$0")/lib.sh"

e2e_start

IFS=$'\t' read -r button title < <(e2e_catalog notice)
IFS=$'\t' read -r _ cx cy _ < <(e2e_catalog main-button | awk -F'\t' -v b="$button" '$1 == b')

e2e_step "$button shows the '$title' box"
e2e_click "$main_id" "$cx" "$cy"
box=$(e2e_wait_window "$title")
e2e_check_calls

e2e_step "Return dismisses it"
e2e_key "$box" Return
e2e_wait_gone "$box"
e2e_is_shown "$main_id" || fail "the main window went away with the box"

# No window manager runs to hand the focus back to the main window: the program takes it back
# itself, onto the button that had it. Space goes where the X input focus is, as a keyboard's does;
# the pointer is away from the window, where the keys of a display whose focus fell back to the
# root would go.
e2e_step "the notice button has the keyboard focus again: Space shows the box again"
read -r x y w h < <(e2e_geometry "$main_id")
((x + w < 1279 || y + h < 1023)) || fail "the main window covers the screen's corner"
xdotool mousemove 1279 1023 key space
box=$(e2e_wait_window "$title")
e2e_key "$box" KP_Enter
e2e_wait_gone "$box"

# Had the notice started anything, its call would come before this one.
e2e_step "the program goes on"
IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link Form6)
id=$(e2e_open_category Form6)
e2e_press_cell "$id" Form6 "$button"
e2e_expect_launch "$address"
e2e_expect_no_more_launches
echo "PASS"
