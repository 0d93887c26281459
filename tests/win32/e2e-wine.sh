#!/usr/bin/env bash
# The real Windows program under Wine on a private display with a window manager, driven through
# real X input as a user would: every category window opens from its main-window button with its
# caption, client size and place, and every "点我获取" in it (every kind of link, swapped button
# pairs, cells without a link) starts the program its command line names, once per press, with
# that command line (a program path with spaces in quotation marks, the rest byte for byte) and
# show style, and with the cell's address as the program's first argument as it reads its own
# command line; Wine's own browser, put back at its path, reads exactly the address from the
# command line of a press; the program ends when its last window closes. A recording stand-in
# plays both programs before that: explorer.exe beside vestora.exe, and IEXPLORE.EXE at its path
# in the prefix. With the browser missing, and with a file at its path that does not start, a
# press shows the failure box and the program goes on; in a locale other than Chinese (Wine's own
# and the environment's) the titles and the starts are the same, byte for byte.
#   tests/win32/e2e-wine.sh <build folder, win64 or win32> <vestora-e2e-catalog>
# The build folder's Wine loader (wine-lib.sh) runs the exes: a 32-bit build needs wine32.
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
catalog_tool=$2
source "$root/tests/win32/wine-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-wine-e2e.XXXXXX")
# On the way out: what was recorded, when the test failed, and the test's own files.
clean_up() {
  if [ "$1" -ne 0 ]; then
    echo "--- recorded starts:"
    cat "$work/record.tsv" 2>/dev/null || true
  fi
  rm -rf "$work"
}
vwine_test_script clean_up

step() {
  echo "-- $*"
}

"$catalog_tool" >"$work/catalog.tsv"
# Lines of one kind from the catalog, without the kind.
catalog() {
  awk -F'\t' -v kind="$1" 'BEGIN { OFS = "\t" } $1 == kind { $1 = ""; print substr($0, 2) }' \
    "$work/catalog.tsv"
}

vwine_prefix "$build"
vwine_start_display

# The program in a folder of its own, the shell's stand-in beside it; the browser's stand-in at
# the browser's path. A file of the prefix may be a hard link to the shared template: it is
# removed before the copy, never written through.
mkdir -p "$work/app"
cp "$build/vestora.exe" "$work/app/vestora.exe"
cp "$build/tests/win32/recorder.exe" "$work/app/explorer.exe"
browser_dir="$WINEPREFIX/drive_c/Program Files/Internet Explorer"
mkdir -p "$browser_dir"
rm -f "$browser_dir/IEXPLORE.EXE" "$browser_dir/iexplore.exe"
cp "$build/tests/win32/recorder.exe" "$browser_dir/IEXPLORE.EXE"
record=$work/record.tsv
: >"$record"
export VESTORA_RECORD_FILE="Z:${record//\//\\}"

# Client geometry of an X window: width height x y (Wine's X window is the client area).
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h, x, y }'
}

click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + VWINE_TIMEOUT))
  until "$@"; do
    kill -0 "$VWINE_PID" 2>/dev/null || fail "vestora.exe ended while waiting for $what"
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
    sleep 0.05
  done
}

titled() {
  vwine_window_now "$VWINE_PID" "$1"
}

window_titled() {
  wait_until "a window titled $1" titled "$1" >/dev/null
  titled "$1"
}

window_gone() {
  ! titled "$1" >/dev/null
}

records() {
  wc -l <"$record"
}

# Whether at least this many starts are recorded (read anew at each call).
recorded_at_least() {
  [ "$(records)" -ge "$1" ]
}

# The next recorded start is this command line with this show style, and the started program's
# first argument, as it reads its command line by Windows' rules, is the address. A program path
# with a space comes in quotation marks, so that it reads as one; the rest is byte for byte.
expect_start() {
  local line=$1 style=$2 address=$3 expected_count=$4
  wait_until "start number $expected_count" recorded_at_least "$expected_count"
  local got flags show first expected
  IFS=$'\t' read -r got flags show first < <(sed -n "${expected_count}p" "$record")
  case $line in
    "explorer.exe \"$address\"") expected=$line ;;
    *" $address") expected="\"${line% "$address"}\" $address" ;;
    *) fail "a command line of unknown shape: $line" ;;
  esac
  [ "$got" = "$expected" ] || fail "started with: $got
  expected:     $expected"
  [ "$first" = "$address" ] || fail "first argument: $first
  expected:       $address"
  [ $((flags & 1)) -eq 1 ] || fail "no show style was given: flags $flags"
  [ "$show" = "$style" ] || fail "show style $show for $line, expected $style"
}

step "vestora.exe shows its main window"
# Wine's browser says what it read from its command line (only its processes load ieframe).
export WINEDEBUG=-all,trace+ieframe
vwine_start "$work/app/vestora.exe"
IFS=$'\t' read -r main_caption main_width main_height < <(catalog main)
main=$(window_titled "$main_caption")
read -r width height _ _ < <(geometry "$main")
[ "$width x $height" = "$main_width x $main_height" ] ||
  fail "main window's client area is $width x $height"

step "every category window opens with its caption, client size and place; each cell starts once per press"
declare -A button_x button_y
while IFS=$'\t' read -r button x y _; do
  button_x[$button]=$x
  button_y[$button]=$y
done < <(catalog main-button)
started=0
while IFS=$'\t' read -r form button width height placement left top caption; do
  click "$main" "${button_x[$button]}" "${button_y[$button]}"
  id=$(window_titled "$caption")
  read -r got_width got_height got_x got_y < <(geometry "$id")
  [ "$got_width x $got_height" = "$width x $height" ] ||
    fail "$form's client area is $got_width x $got_height, not $width x $height"
  # A window placed by the system may still be moving into its place, and a click aimed at where
  # it was is lost: its place is read until two readings a moment apart agree.
  deadline=$((SECONDS + 5))
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.2
    read -r _ _ settled_x settled_y < <(geometry "$id")
    [ "$settled_x,$settled_y" != "$got_x,$got_y" ] || break
    got_x=$settled_x got_y=$settled_y
  done
  if [ "$placement" = manual ]; then
    # The window manager may still be settling the window: its place is read until it holds.
    deadline=$((SECONDS + 5))
    while [ "$got_x,$got_y" != "$left,$top" ] && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
      read -r _ _ got_x got_y < <(geometry "$id")
    done
    [ "$got_x,$got_y" = "$left,$top" ] || fail "$form's client corner is at $got_x,$got_y, not $left,$top"
  fi
  pressed=0
  while IFS=$'\t' read -r cell x y address; do
    click "$id" "$x" "$y"
    pressed=$((pressed + 1))
    # No link: nothing starts. The next press with a link would show a stray start.
    [ "$address" != - ] || continue
    IFS=$'\t' read -r style line < <(catalog launch | awk -F'\t' -v f="$form" -v b="$cell" \
      'BEGIN { OFS = "\t" } $1 == f && $2 == b { print $3, $4 }')
    started=$((started + 1))
    expect_start "$line" "$style" "$address" "$started"
  done < <(catalog cell | awk -F'\t' -v f="$form" 'BEGIN { OFS = "\t" } $1 == f { print $2, $3, $4, $5 }')
  [ "$pressed" -gt 0 ] || fail "the catalog has no cells for $form"
  wmctrl -ic "$id"
  wait_until "$form to close" window_gone "$caption"
done < <(catalog window)
sleep 0.5
[ "$(records)" -eq "$started" ] || fail "$(records) starts recorded, $started presses with a link"

step "Wine's own browser reads exactly the address from the command line of a press"
rm -f "$browser_dir/IEXPLORE.EXE"
cp "$build/wine/template/drive_c/Program Files/Internet Explorer/iexplore.exe" "$browser_dir/"
IFS=$'\t' read -r form cell x y address < <(catalog cell | awk -F'\t' '$5 ~ /show_v3/' | head -n 1)
IFS=$'\t' read -r _ button _ _ _ _ _ caption < <(catalog window | awk -F'\t' -v f="$form" '$1 == f')
click "$main" "${button_x[$button]}" "${button_y[$button]}"
id=$(window_titled "$caption")
click "$id" "$x" "$y"
# It traces the text after its own path, quoted: in full, or only its start and "..." when long
# (the first 200 characters or so: the whole host and path, the start of the query).
browser_read() {
  vwine_log | sed -n 's/.*:trace:ieframe:IEWinMain L"\(.*\) [0-9-]*$/\1/p' | head -n 1
}
browser_started() {
  [ -n "$(browser_read)" ]
}
browser_window() {
  xdotool search --onlyvisible --name '^Wine Internet Explorer$' 2>/dev/null | head -n 1 | grep .
}
browser_gone() {
  ! browser_window >/dev/null
}
wait_until "Wine's browser to start" browser_started
read_address=$(browser_read)
case $read_address in
  *'"...') read_address=${read_address%'"...'} && address=${address:0:${#read_address}} ;;
  *) read_address=${read_address%'"'} ;;
esac
[ ${#read_address} -ge 100 ] && [ "$read_address" = "$address" ] ||
  fail "Wine's browser read: $read_address
  expected:               $address"
wait_until "Wine's browser window" browser_window >/dev/null
wmctrl -ic "$(browser_window)"
wait_until "Wine's browser to close" browser_gone
wmctrl -ic "$id"
wait_until "$form to close" window_gone "$caption"

step "the browser missing, then a file at its path that does not start: each press shows the failure box, and the program goes on"
IFS=$'\t' read -r form cell style line < <(catalog launch | awk -F'\t' '$4 ~ /IEXPLORE\.EXE /' | head -n 1)
IFS=$'\t' read -r x y address < <(catalog cell | awk -F'\t' -v f="$form" -v b="$cell" \
  'BEGIN { OFS = "\t" } $1 == f && $2 == b { print $3, $4, $5 }')
IFS=$'\t' read -r _ browser_button _ _ _ _ _ browser_caption < <(catalog window |
  awk -F'\t' -v f="$form" '$1 == f')
click "$main" "${button_x[$browser_button]}" "${button_y[$browser_button]}"
id=$(window_titled "$browser_caption")
# The failure box has the program's name for a title, as the main window has.
failure_box() {
  local box
  for box in $(xdotool search --onlyvisible --pid "$VWINE_PID" 2>/dev/null); do
    [ "$box" != "$main" ] && [ "$(xdotool getwindowname "$box" 2>/dev/null)" = Vestora ] &&
      echo "$box" && return 0
  done
  return 1
}
no_failure_box() {
  ! failure_box >/dev/null
}
for way in missing not-a-program; do
  rm -f "$browser_dir/IEXPLORE.EXE" "$browser_dir/iexplore.exe"
  [ "$way" = missing ] || echo "not a program" >"$browser_dir/IEXPLORE.EXE"
  click "$id" "$x" "$y"
  wait_until "the failure box (browser $way)" failure_box >/dev/null
  vwine_close "$(failure_box)"
  wait_until "the failure box to go" no_failure_box
  titled "$browser_caption" >/dev/null && titled "$main_caption" >/dev/null ||
    fail "a window went away with the failure box (browser $way)"
done
[ "$(records)" -eq "$started" ] || fail "a start was recorded while the browser was missing"
rm -f "$browser_dir/IEXPLORE.EXE"
cp "$build/tests/win32/recorder.exe" "$browser_dir/IEXPLORE.EXE"
click "$id" "$x" "$y"
started=$((started + 1))
expect_start "$line" "$style" "$address" "$started"
wmctrl -ic "$id"
wait_until "$form to close" window_gone "$browser_caption"

step "the program ends with status 0 when its last window closes"
click "$main" "${button_x[Command1]}" "${button_y[Command1]}"
IFS=$'\t' read -r _ _ _ _ _ _ _ caption < <(catalog window | awk -F'\t' '$2 == "Command1"')
first=$(window_titled "$caption")
wmctrl -ic "$main"
wait_until "the main window to close" window_gone "$main_caption"
kill -0 "$VWINE_PID" 2>/dev/null || fail "the program ended while a window was open"
wmctrl -ic "$first"
status=0
vwine_wait "$VWINE_PID" || status=$?
[ "$status" -eq 0 ] || fail "vestora.exe ended with status $status"
VWINE_PID=""

step "in a locale other than Chinese, Wine's own (German) and the environment's (POSIX), the same titles and the same starts"
"$VWINE_LOADER" reg add 'HKCU\Control Panel\International' /v LocaleName /d de-DE /f >/dev/null 2>&1
"$VWINE_LOADER" reg add 'HKCU\Control Panel\International' /v Locale /d 00000407 /f >/dev/null 2>&1
# The environment's locale: POSIX, which every system has, with no UTF-8 in it.
LC_ALL=POSIX LANG=POSIX vwine_start "$work/app/vestora.exe"
# _NET_WM_NAME, in UTF-8 whatever the locale: Wine's WM_NAME follows the locale's encoding.
net_title() {
  xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}
main=$(vwine_find_window "$VWINE_PID")
[ "$(net_title "$main")" = "$main_caption" ] || fail "the main window is titled '$(net_title "$main")'"
click "$main" "${button_x[$browser_button]}" "${button_y[$browser_button]}"
category_shown() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$VWINE_PID" 2>/dev/null); do
    [ "$(net_title "$window")" = "$browser_caption" ] && echo "$window" && return 0
  done
  return 1
}
wait_until "the category window titled $browser_caption" category_shown >/dev/null
click "$(category_shown)" "$x" "$y"
started=$((started + 1))
expect_start "$line" "$style" "$address" "$started"
echo "PASS"
