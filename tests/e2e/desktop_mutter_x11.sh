#!/usr/bin/env bash
# Under mutter as the X11 window manager, as on a GNOME desktop on X11, the program picks X11 by
# itself (the session says Wayland, no platform is named) and the window manager keeps what the
# program asks for: every client size exact, manual placements to the pixel, system placements on
# the screen. A box belongs to the window it came from (WM_TRANSIENT_FOR, read from the X server),
# lies centred over it and is modal; closing the main window first does not end the program,
# closing the last one ends it with status 0 and nothing on its output.
source "$(dirname "$0")/desktop-lib.sh"

e2e_before_program=desktop_start_mutter_x11
e2e_program_env=(QT_QPA_PLATFORM= XDG_SESSION_TYPE=wayland)
e2e_start

e2e_step "main window: its size, inside a frame of mutter's"
IFS=$'\t' read -r main_title width height < <(e2e_catalog main)
read -r _ _ w h < <(e2e_geometry "$main_id")
[ "$w $h" = "$width $height" ] || fail "main window is ${w}x$h, not ${width}x$height"
xprop -id "$main_id" _NET_FRAME_EXTENTS | grep -q '=' || fail "mutter does not frame the main window"

# Two windows of each placement kind.
for form in Form3 Form2 Form4 Form5; do
  IFS=$'\t' read -r _ width height placement left top _ < <(e2e_catalog_window "$form")
  e2e_step "$form ($placement placement)"
  id=$(e2e_open_category "$form")
  read -r x y w h < <(e2e_geometry "$id")
  [ "$w $h" = "$width $height" ] || fail "$form's client area is ${w}x$h, not ${width}x$height"
  if [ "$placement" = manual ]; then
    [ "$x $y" = "$left $top" ] || fail "$form's client area is at ($x, $y), not ($left, $top)"
  elif ((x < 0 || y < 0 || x + w > 1280 || y + h > 1024)); then
    fail "$form's client area at ($x, $y) ${w}x$h is not on the 1280x1024 screen"
  fi
  desktop_close "$id"
done

e2e_step "the notice box belongs to the main window, centred over it, modal"
IFS=$'\t' read -r button title < <(e2e_catalog notice)
IFS=$'\t' read -r _ cx cy _ < <(e2e_catalog main-button | awk -F'\t' -v b="$button" '$1 == b')
e2e_click "$main_id" "$cx" "$cy"
box=$(e2e_wait_window "$title")
[ "$(desktop_transient_for "$box")" = "$main_id" ] ||
  fail "the notice box is transient for '$(desktop_transient_for "$box")', not the main window $main_id"
desktop_check_centred "$box" "$main_id" "the notice box"
desktop_is_modal "$box" || fail "the notice box is not modal (_NET_WM_STATE)"
# A category button pressed behind the box opens nothing.
IFS=$'\t' read -r _ cx cy _ < <(e2e_catalog main-button | awk -F'\t' '$4 == "Form6"')
e2e_click "$main_id" "$cx" "$cy"
sleep 0.5
e2e_find_window "$(e2e_catalog_window Form6 | cut -f7)" &&
  fail "a category window opened behind the modal box"
e2e_key "$box" Return
e2e_wait_gone "$box"

e2e_step "the failure box belongs to the category window it came from"
IFS=$'\t' read -r cell _ _ _ < <(e2e_catalog_first_link Form6)
form6=$(e2e_open_category Form6)
mv "$e2e_stub_dir/xdg-open" "$e2e_stub_dir/xdg-open.away"
e2e_press_cell "$form6" Form6 "$cell"
box=$(e2e_wait_window "$main_title" "$main_id")
[ "$(desktop_transient_for "$box")" = "$form6" ] ||
  fail "the failure box is transient for '$(desktop_transient_for "$box")', not Form6's window $form6"
desktop_check_centred "$box" "$form6" "the failure box"
e2e_key "$box" Return
e2e_wait_gone "$box"
mv "$e2e_stub_dir/xdg-open.away" "$e2e_stub_dir/xdg-open"

e2e_step "closing the main window first leaves Form6; closing it ends the program"
e2e_close "$main_id"
sleep 0.3
e2e_vestora_running || fail "the program ended with a window still open"
e2e_is_shown "$form6" || fail "Form6 went away with the main window"
e2e_close "$form6"
e2e_wait_for_end
[ "$vestora_status" -eq 0 ] || fail "the program ended with status $vestora_status"
[ ! -s "$e2e_log" ] || fail "the program wrote: $(cat "$e2e_log")"
echo "PASS"
