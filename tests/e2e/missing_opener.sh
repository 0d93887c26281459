#!/usr/bin/env bash
# Without an xdg-open to start, a press tells the user in a failure box and the program goes on;
# once xdg-open is back, the next press opens its address. xdg-open goes missing both ways: its
# file removed, and its file left but not executable.
source "$(dirname "$0")/lib.sh"

e2e_start

IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link Form6)
id=$(e2e_open_category Form6)
opener=$e2e_stub_dir/xdg-open

for way in removed not-executable; do
  e2e_step "xdg-open $way: the press fails visibly"
  case $way in
    removed) mv "$opener" "$opener.away" ;;
    not-executable) chmod a-x "$opener" ;;
  esac
  e2e_press_cell "$id" Form6 "$button"
  # The box has the main window's title; it is the other window of that title.
  box=$(e2e_wait_window "$(e2e_catalog main | cut -f1)" "$main_id")
  e2e_check_calls
  e2e_key "$box" Return
  e2e_wait_gone "$box"
  e2e_is_shown "$main_id" && e2e_is_shown "$id" || fail "a window went away with the box"

  e2e_step "xdg-open back: the next press opens the address"
  case $way in
    removed) mv "$opener.away" "$opener" ;;
    not-executable) chmod a+x "$opener" ;;
  esac
  e2e_press_cell "$id" Form6 "$button"
  e2e_expect_launch "$address"
done

e2e_expect_no_more_launches
echo "PASS"
