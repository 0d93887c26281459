#!/usr/bin/env bash
# Every "点我获取" of three windows starts xdg-open exactly once per press with its cell's address,
# byte for byte: Form6 holds every kind of link (item pages with and without a referrer, outfit
# pages with their long percent-encoded tokens, a friend's items), Form10 has a row whose middle
# buttons sit under each other's numbered pictures, and Form4's Command5 has no link at all.
source "$(dirname "$0")/lib.sh"

e2e_start

for form in Form6 Form10 Form4; do
  e2e_step "every button of $form"
  id=$(e2e_open_category "$form")
  pressed=0
  while IFS=$'\t' read -r button _ _ address; do
    e2e_press_cell "$id" "$form" "$button"
    # A press without a link starts nothing; the next press's check would see a stray call.
    [ "$address" = - ] || e2e_expect_launch "$address"
    pressed=$((pressed + 1))
  done < <(e2e_catalog_cells "$form")
  [ "$pressed" -gt 0 ] || fail "the catalog has no cells for $form"
done

e2e_step "a button pressed twice starts twice"
IFS=$'\t' read -r button _ _ address < <(e2e_catalog_cells Form6 | awk -F'\t' '
  length($4) > length(longest) { longest = $4; line = $0 } END { print line }')
id=$(e2e_window_titled "$(e2e_catalog_window Form6 | cut -f7)")
e2e_press_cell "$id" Form6 "$button"
e2e_expect_launch "$address"
e2e_press_cell "$id" Form6 "$button"
e2e_expect_launch "$address"

e2e_expect_no_more_launches
echo "PASS"
