#!/usr/bin/env bash
# The program worked from the keyboard alone under a window manager, openbox or mutter (the
# argument), as a blind user works it. Return and keypad Enter press the focused button, as Space
# does: in the main window (a category window opens), in a category window (the cell's link is
# launched) and in the boxes (they close). After every box, the notice box or the failure box,
# the control that had the focus has it again: the next key presses it. Many rounds, with the
# timing varied: keys pressed at once or a moment later, boxes closed by a key or by the window
# manager's close the instant they appear. Keys go wherever the X input focus is, as a keyboard's
# do; nothing but the program and the window manager moves the focus.
#   keyboard.sh openbox|mutter
# KEYBOARD_ROUNDS (30) rounds of the notice box; KEYBOARD_SEED picks another sequence of timings.
source "$(dirname "$0")/desktop-lib.sh"

desktop=${1:?openbox or mutter}
rounds=${KEYBOARD_ROUNDS:-30}
RANDOM=${KEYBOARD_SEED:-37}

keyboard_start_openbox() {
  openbox --sm-disable >"$e2e_dir/desktop.log" 2>&1 &
  e2e_helper_pids+=($!)
  e2e_wait_for "openbox to manage the display" desktop_has_window_manager
}

case $desktop in
  openbox)
    command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
    e2e_before_program=keyboard_start_openbox
    ;;
  mutter) e2e_before_program=desktop_start_mutter_x11 ;;
  *) fail "no desktop '$desktop'" ;;
esac

# Whether the X window has the input focus: where the keys go.
keyboard_focus_is() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

keyboard_wait_focus() {
  e2e_wait_for "the keyboard focus in window $1 ($2)" keyboard_focus_is "$1"
}

# Presses a key where the focus is.
keyboard_key() {
  xdotool key "$1"
}

# A pause of 0 to 250 ms, or none, from the seeded sequence.
keyboard_pause() {
  local ms=$((RANDOM % 6 * 50))
  [ "$ms" -eq 0 ] || sleep "0.$(printf '%03d' "$ms")"
}

# Presses Return, keypad Enter or Space, from the seeded sequence (not in a subshell, which would
# draw from a sequence of its own).
keyboard_press_any() {
  local keys=(Return KP_Enter space)
  keyboard_key "${keys[RANDOM % 3]}"
}

e2e_start
keyboard_wait_focus "$main_id" "the main window at start"

e2e_step "Return on the first button opens its category window"
IFS=$'\t' read -r first_button _ _ form < <(e2e_catalog main-button | head -n 1)
[ "$form" != - ] || fail "the first button opens no window"
keyboard_key Return
category=$(e2e_wait_window "$(e2e_catalog_window "$form" | cut -f7)")
keyboard_wait_focus "$category" "$form, just opened"

# Tab from the first control (focus position 0) to the first button that has a link.
IFS=$'\t' read -r cell _ _ address < <(e2e_catalog_first_link "$form")
tabs=$(e2e_catalog control | awk -F'\t' -v f="$form" -v c="$cell" '$1 == f && $2 == c { print $4 }')
[ -n "$tabs" ] || fail "no focus position for $form.$cell"
for ((i = 0; i < tabs; ++i)); do keyboard_key Tab; done

e2e_step "keypad Enter, Return and Space on $form's $cell launch its link"
for key in KP_Enter Return space; do
  keyboard_key "$key"
  e2e_expect_launch "$address"
done

e2e_step "Return on $cell without xdg-open shows the failure box; after it, $cell has the focus"
mv "$e2e_stub_dir/xdg-open" "$e2e_stub_dir/xdg-open.away"
for ((round = 1; round <= 6; ++round)); do
  keyboard_press_any
  box=$(e2e_wait_window "$(e2e_catalog main | cut -f1)" "$main_id")
  keyboard_wait_focus "$box" "the failure box, round $round"
  keyboard_pause
  keyboard_press_any
  e2e_wait_gone "$box"
  keyboard_wait_focus "$category" "$form after the failure box, round $round"
  keyboard_pause
done
mv "$e2e_stub_dir/xdg-open.away" "$e2e_stub_dir/xdg-open"
keyboard_key Return
e2e_expect_launch "$address"

desktop_close "$category"
keyboard_wait_focus "$main_id" "the main window after $form closed"

# The notice button, from the first button on in focus order.
IFS=$'\t' read -r notice title < <(e2e_catalog notice)
# Frames and labels hold places in the order without taking the focus.
tabs=$(e2e_catalog control | awk -F'\t' -v a="$first_button" -v b="$notice" '
  $1 == "Form1" && $3 == "button" { position[$2] = $4; buttons[++n] = $4 }
  END { for (i = 1; i <= n; ++i) if (buttons[i] > position[a] && buttons[i] <= position[b]) ++t
        print t + 0 }')
for ((i = 0; i < tabs; ++i)); do keyboard_key Tab; done

e2e_step "$rounds rounds of the notice box under $desktop: opened by a key, closed by a key or by the window manager"
closed_by_manager=0
for ((round = 1; round <= rounds; ++round)); do
  keyboard_press_any
  box=$(e2e_wait_window "$title")
  if ((RANDOM % 4 == 0)); then
    # Closed the instant it is shown, while the window manager may still be giving it the focus.
    "$E2E_CLOSE" "$box" || fail "could not ask the box to close"
    closed_by_manager=$((closed_by_manager + 1))
  else
    keyboard_wait_focus "$box" "the notice box, round $round"
    keyboard_pause
    keyboard_press_any
  fi
  e2e_wait_gone "$box"
  keyboard_wait_focus "$main_id" "the main window after the notice box, round $round"
  keyboard_pause
done
e2e_step "($closed_by_manager of them closed by the window manager)"
e2e_expect_no_more_launches
echo "PASS"
