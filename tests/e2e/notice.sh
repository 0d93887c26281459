#!/usr/bin/env bash
# The notice button shows its warning box and starts nothing; Return dismisses the box, and the
# program goes on as before.
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

# Had the notice started anything, its call would come before this one.
e2e_step "the program goes on"
IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link Form6)
id=$(e2e_open_category Form6)
e2e_press_cell "$id" Form6 "$button"
e2e_expect_launch "$address"
e2e_expect_no_more_launches
echo "PASS"
