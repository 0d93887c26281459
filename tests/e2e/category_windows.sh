#!/usr/bin/env bash
# The main window has its size, and each category button opens its window with its caption and
# client size; manually placed windows put their client area exactly where they were placed, off
# the screen's left edge too (Form9).
source "$(dirname "$0")/lib.sh"

e2e_start

e2e_step "main window"
IFS=$'\t' read -r _ width height < <(e2e_catalog main)
read -r _ _ w h < <(e2e_geometry "$main_id")
[ "$w $h" = "$width $height" ] || fail "main window is ${w}x$h, not ${width}x$height"

opened=0
while IFS=$'\t' read -r button _ _ form; do
  [ "$form" != - ] || continue
  IFS=$'\t' read -r _ width height placement left top caption < <(e2e_catalog_window "$form")
  e2e_step "$button opens $form ($placement placement)"
  id=$(e2e_open_category "$form")
  title=$(xdotool getwindowname "$id")
  [ "$title" = "$caption" ] || fail "$form is titled '$title', not '$caption'"
  read -r x y w h < <(e2e_geometry "$id")
  [ "$w $h" = "$width $height" ] || fail "$form's client area is ${w}x$h, not ${width}x$height"
  if [ "$placement" = manual ] && [ "$x $y" != "$left $top" ]; then
    fail "$form's client area is at ($x, $y), not ($left, $top)"
  fi
  e2e_close "$id"
  opened=$((opened + 1))
done < <(e2e_catalog main-button)

[ "$opened" -eq 17 ] || fail "the main window has $opened category buttons, not 17"
echo "PASS"
