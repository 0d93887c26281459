#!/usr/bin/env bash
# The program lives as long as any of its windows: closing the main window leaves two category
# windows open and working, and closing the last of them ends the program with status 0.
source "$(dirname "$0")/lib.sh"

e2e_start

form4=$(e2e_open_category Form4)
form6=$(e2e_open_category Form6)

# A press that starts xdg-open shows that the program still runs and handles input.
press_first_link() {
  local id=$1 form=$2 button address
  IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link "$form")
  e2e_press_cell "$id" "$form" "$button"
  e2e_expect_launch "$address"
}

e2e_step "closing the main window leaves Form4 and Form6"
e2e_close "$main_id"
e2e_is_shown "$form4" && e2e_is_shown "$form6" || fail "a category window closed with the main one"
press_first_link "$form6" Form6

e2e_step "closing Form6 leaves Form4"
e2e_close "$form6"
e2e_is_shown "$form4" || fail "Form4 closed with Form6"
press_first_link "$form4" Form4

e2e_step "closing Form4, the last window, ends the program"
e2e_close "$form4"
e2e_wait_for_end
[ "$vestora_status" -eq 0 ] || fail "vestora ended with status $vestora_status, not 0"
e2e_expect_no_more_launches
echo "PASS"
