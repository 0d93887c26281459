# Shared by the end-to-end tests, which source it: a private Xvfb display, the real `vestora` on
# it with a stand-in `xdg-open` that records every call, and the means to find, click and close
# the program's windows through real X input. Whatever a test started ends when it exits, passing
# or failing.
#
# The test's environment names the programs (CTest sets them):
#   VESTORA      the program under test
#   E2E_CATALOG  prints the catalog as the tests need it (e2e_catalog.cpp)
#   E2E_CLOSE    closes a window the way a window manager does (e2e_close.cpp)

set -euo pipefail
export LC_ALL=C.UTF-8
# The private X server and fail.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

: "${VESTORA:?the program under test}" "${E2E_CATALOG:?}" "${E2E_CLOSE:?}"

for tool in Xvfb xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

# Under LeakSanitizer the program's exit status counts: leave out what libraries outside Vestora
# hold until the end, unless the caller chose its own options.
e2e_leak_suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/../sanitizer" 2>/dev/null && pwd)/lsan.supp
if [ -z "${LSAN_OPTIONS:-}" ] && [ -f "$e2e_leak_suppressions" ]; then
  export LSAN_OPTIONS=suppressions=$e2e_leak_suppressions
fi

# How long anything that should happen may take. Generous: a sanitizer build is slow to start.
E2E_TIMEOUT=${E2E_TIMEOUT:-30}

e2e_dir=$(mktemp -d "${TMPDIR:-/tmp}/vestora-e2e.XXXXXX")
e2e_stub_dir=$e2e_dir/bin
e2e_record=$e2e_dir/xdg-open.calls
e2e_expected=$e2e_dir/xdg-open.expected
e2e_log=$e2e_dir/vestora.log
e2e_catalog_file=$e2e_dir/catalog.tsv
xvfb_pid=""
vestora_pid=""
vestora_may_end=""
main_id=""
e2e_program_env=()
# Variables the program is started without (e2e_start).
e2e_program_unset=()
# What a test starts beside the program and its display (a desktop, a bus, a stand-in portal):
# ended first when the test ends, passing or failing.
e2e_helper_pids=()

e2e_cleanup() {
  local status=$? pid
  trap - EXIT
  for pid in "${e2e_helper_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  # Programs that the program under test started and that do not end by themselves (a stand-in
  # xdg-open that hangs) write their process ids here.
  if [ -s "$e2e_dir/stray.pids" ]; then
    while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$e2e_dir/stray.pids"
  fi
  if [ "$status" -ne 0 ] && [ -n "$xvfb_pid" ]; then
    echo "--- windows shown on ${DISPLAY:-}:"
    e2e_list_windows || true
  fi
  if [ -n "$vestora_pid" ] && kill -0 "$vestora_pid" 2>/dev/null; then
    # A program that is still there when a test fails may be stuck: where it stands says why.
    if [ "$status" -ne 0 ] && command -v gdb >/dev/null 2>&1; then
      echo "--- where vestora stands:"
      timeout 60 gdb -p "$vestora_pid" -batch -ex 'thread apply all bt 20' 2>/dev/null |
        grep -E '^(Thread|#)' || true
    fi
    kill "$vestora_pid" 2>/dev/null || true
    wait "$vestora_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ "$status" -ne 0 ]; then
    echo "--- vestora's output:"
    cat "$e2e_log" 2>/dev/null || true
    echo "--- xdg-open calls:"
    cat "$e2e_record" 2>/dev/null || true
    if [ -s "$e2e_dir/stand-ins.log" ]; then
      echo "--- the stand-ins' output:"
      cat "$e2e_dir/stand-ins.log"
    fi
  fi
  rm -rf "$e2e_dir"
  exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 130' INT TERM HUP

e2e_list_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    echo "$id $(e2e_geometry "$id" 2>/dev/null) '$(xdotool getwindowname "$id" 2>/dev/null)'"
  done
}

e2e_step() {
  echo "-- $*"
}

e2e_vestora_running() {
  local state=""
  [ -n "$vestora_pid" ] && read -r _ _ state _ 2>/dev/null <"/proc/$vestora_pid/stat"
  [ -n "$state" ] && [ "$state" != Z ]
}

# Runs the command until it succeeds, for at most E2E_TIMEOUT seconds; fails the test with the
# description otherwise, or at once if the program is gone.
e2e_wait_for() {
  local what=$1
  shift
  local deadline=$((SECONDS + E2E_TIMEOUT))
  until "$@"; do
    if [ -n "$vestora_pid" ] && [ -z "$vestora_may_end" ] && ! e2e_vestora_running; then
      local status=0
      wait "$vestora_pid" || status=$?
      vestora_pid=""
      fail "vestora ended (status $status) while waiting for $what"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
    sleep 0.05
  done
}

# --- The catalog ----------------------------------------------------------------------------

# Lines of one kind from the catalog, without the kind: e2e_catalog main-button
e2e_catalog() {
  awk -F'\t' -v kind="$1" 'BEGIN { OFS = "\t" } $1 == kind { $1 = ""; print substr($0, 2) }' \
    "$e2e_catalog_file"
}

# One window's line: main-button width height manual|system left top caption
e2e_catalog_window() {
  e2e_catalog window | awk -F'\t' -v form="$1" 'BEGIN { OFS = "\t" }
    $1 == form { $1 = ""; print substr($0, 2); found = 1 } END { exit !found }'
}

# The window's cells in display order: button centre-x centre-y address-or-"-"
e2e_catalog_cells() {
  e2e_catalog cell | awk -F'\t' -v form="$1" 'BEGIN { OFS = "\t" }
    $1 == form { $1 = ""; print substr($0, 2) }'
}

# The window's first cell that has a link: button centre-x centre-y address
e2e_catalog_first_link() {
  e2e_catalog_cells "$1" | awk -F'\t' '$4 != "-" { print; exit }'
}

# --- The display and the program ------------------------------------------------------------

# Starts a private Xvfb (scripts/lib.sh) and exports its DISPLAY.
e2e_start_display() {
  vestora_start_xvfb 1280x1024x24 "$e2e_dir/xvfb.log"
  xvfb_pid=$vestora_xvfb_pid
  export DISPLAY=$vestora_display
}

# The stand-in for xdg-open: one line per call, the number of arguments and then each argument in
# angle brackets, which no address holds.
e2e_install_opener() {
  mkdir -p "$e2e_stub_dir"
  cat >"$e2e_stub_dir/xdg-open" <<EOF
#!/bin/sh
line=\$#
for argument do line="\$line <\$argument>"; done
printf '%s\n' "\$line" >>'$e2e_record'
EOF
  chmod +x "$e2e_stub_dir/xdg-open"
}

# PATH for the program: the stand-in first, and no directory that holds another xdg-open, so a
# missing stand-in means a missing xdg-open.
e2e_program_path() {
  local path=$e2e_stub_dir dir
  local IFS=:
  for dir in $PATH; do
    [ -z "$dir" ] || [ -x "$dir/xdg-open" ] || path+=":$dir"
  done
  echo "$path"
}

e2e_main_window_id() {
  main_id=$(e2e_window_titled "$(e2e_catalog main | cut -f1)")
}

# Starts the display and the program, and waits for the main window (its id in main_id).
e2e_start() {
  "$E2E_CATALOG" >"$e2e_catalog_file" || fail "the catalog helper failed"
  : >"$e2e_record"
  : >"$e2e_expected"
  e2e_start_display
  # A test may start a window manager on the display before the program (desktop-lib.sh).
  [ -z "${e2e_before_program:-}" ] || "$e2e_before_program"
  e2e_install_opener
  mkdir -m 700 "$e2e_dir/runtime"
  # Real X, one device pixel per pixel, whatever the calling environment asks of Qt; a test may
  # leave the platform to the program (e2e_program_env).
  local unset=() name
  for name in "${e2e_program_unset[@]}"; do unset+=(-u "$name"); done
  env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING -u QT_FONT_DPI \
    PATH="$(e2e_program_path)" XDG_RUNTIME_DIR="$e2e_dir/runtime" QT_QPA_PLATFORM=xcb \
    "${e2e_program_env[@]}" "$(command -v env)" "${unset[@]}" "$VESTORA" >"$e2e_log" 2>&1 &
  vestora_pid=$!
  e2e_wait_for "the main window" e2e_main_window_id
}

# --- Outside parties -------------------------------------------------------------------------

# Starts a private D-Bus session bus for the test (in e2e_helper_pids) and exports its address:
# the program and the stand-ins below talk to no bus of the caller's.
e2e_start_bus() {
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$e2e_dir/bus" \
    >"$e2e_dir/bus.log" 2>&1 &
  e2e_helper_pids+=($!)
  e2e_wait_for "the private session bus" test -S "$e2e_dir/bus"
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$e2e_dir/bus
}

# Starts one of stand_ins.py's misbehaving parties (in e2e_helper_pids) and waits until it is
# ready; a TCP one's port is then in e2e_stand_in_port.
# Usage: e2e_stand_in <kind> [argument...]
e2e_stand_in() {
  local kind=$1 ready
  shift
  ready=$e2e_dir/stand-in.$kind.$RANDOM
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/stand_ins.py" "$kind" "$ready" "$@" \
    >>"$e2e_dir/stand-ins.log" 2>&1 &
  e2e_helper_pids+=($!)
  e2e_wait_for "the stand-in $kind" test -s "$ready"
  e2e_stand_in_port=$(cat "$ready.port" 2>/dev/null || true)
}

e2e_vestora_ended() {
  ! e2e_vestora_running
}

# Waits for the program to end by itself; its exit status in vestora_status.
e2e_wait_for_end() {
  vestora_may_end=1
  e2e_wait_for "vestora to end" e2e_vestora_ended
  vestora_status=0
  wait "$vestora_pid" || vestora_status=$?
  vestora_pid=""
}

# --- Windows --------------------------------------------------------------------------------

# The id of the one shown window titled exactly $1, leaving out the ids given after it.
e2e_window_titled() {
  local title=$1 pattern id found=""
  shift
  pattern=$(printf '%s' "$title" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
  for id in $(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null); do
    [[ " $* " == *" $id "* ]] && continue
    [ -z "$found" ] || return 1 # more than one: not yet told apart
    found=$id
  done
  [ -n "$found" ] && echo "$found"
}

e2e_find_window() {
  e2e_found=$(e2e_window_titled "$@")
}

# Waits for that window and prints its id.
e2e_wait_window() {
  e2e_wait_for "a window titled '$1'" e2e_find_window "$@"
  echo "   window $e2e_found: '$1'" >&2
  echo "$e2e_found"
}

e2e_is_shown() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

e2e_is_gone() {
  ! e2e_is_shown "$1"
}

e2e_wait_gone() {
  e2e_wait_for "window $1 to go away" e2e_is_gone "$1"
}

# The client area on the screen: x y width height. No window manager runs, so the X window is
# the client area.
e2e_geometry() {
  # Without an id xwininfo would wait for the user to pick a window.
  [ -n "$1" ] || fail "no window id"
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF }
    /^ *Height:/ { h = $NF }
    END { print x, y, w, h }'
}

# Clicks a point of a window's client area with the real pointer, after raising the window above
# any other that might cover the point. One connection carries it all, so the server takes the
# raise, the move and the click in that order. (No --sync: it waits for a move that never comes
# when the pointer is already there.)
e2e_click() {
  local id=$1 cx=$2 cy=$3 x y
  read -r x y _ _ < <(e2e_geometry "$id" 2>/dev/null)
  [ -n "$x" ] || fail "window $id is gone"
  xdotool windowraise "$id" mousemove $((x + cx)) $((y + cy)) click 1
}

# Presses a key in the window, given the keyboard focus first.
e2e_key() {
  xdotool windowfocus "$1" key "$2"
}

# Closes the window as the user would (WM_DELETE_WINDOW) and waits for it to go.
e2e_close() {
  "$E2E_CLOSE" "$1" || fail "could not ask window $1 to close"
  e2e_wait_gone "$1"
}

# Presses the main window's button for the category window and prints that window's id.
e2e_open_category() {
  local form=$1 button cx cy caption
  IFS=$'\t' read -r button _ _ _ _ _ caption < <(e2e_catalog_window "$form")
  IFS=$'\t' read -r _ cx cy _ < <(e2e_catalog main-button | awk -F'\t' -v b="$button" '$1 == b')
  e2e_click "$main_id" "$cx" "$cy"
  e2e_wait_window "$caption"
}

# Presses the cell's button in the open category window.
e2e_press_cell() {
  local id=$1 form=$2 button=$3 cx cy
  read -r cx cy _ < <(e2e_catalog_cells "$form" | awk -F'\t' -v b="$button" '$1 == b { print $2, $3 }')
  [ -n "$cx" ] || fail "no cell button $button in $form"
  e2e_click "$id" "$cx" "$cy"
}

# --- What xdg-open was asked to open --------------------------------------------------------

e2e_calls() {
  wc -l <"$e2e_record"
}

e2e_calls_reached() {
  [ "$(e2e_calls)" -ge "$1" ]
}

# Every call so far must be exactly the expected ones, in order.
e2e_check_calls() {
  cmp -s "$e2e_record" "$e2e_expected" && return 0
  echo "xdg-open was called with:" >&2
  diff "$e2e_expected" "$e2e_record" >&2 || true
  fail "xdg-open calls differ from the expected ones (< expected, > actual)"
}

# The last press must start xdg-open once with this one address, byte for byte.
e2e_expect_launch() {
  printf '1 <%s>\n' "$1" >>"$e2e_expected"
  local count
  count=$(wc -l <"$e2e_expected")
  e2e_wait_for "xdg-open call $count" e2e_calls_reached "$count"
  e2e_check_calls
}

# No call beyond the expected ones arrives: checked now and after a short settling time, long
# enough for a detached start that was wrongly made to have written its line.
e2e_expect_no_more_launches() {
  e2e_check_calls
  sleep 0.5
  e2e_check_calls
}
