#!/usr/bin/env bash
# Every party outside the program, hung, slow, absent or broken: none may hang the program or make
# it lose a press. One row a case, each run by this script again (`outside_parties.sh ROW`) in a
# private session bus and, where it shows windows, on a private Xvfb of its own; two rows at a
# time. "Works" is what a user sees: the main window maps, a category window opens, a press starts
# xdg-open with the cell's address. The rows marked "looks as usual" also show their main and
# category windows pixel for pixel as the baseline row does, with the same titles.
#
# Run alone: bash outside_parties.sh [ROW...]  (VESTORA, E2E_CATALOG, E2E_CLOSE as for lib.sh)

# row | what the party does | what the program must do
outside_rows=(
  "baseline|every party as usual|works; the look the others are compared with"
  "x-silent-wayland|X takes the connection and never answers; a Wayland compositor answers|its window through Wayland"
  "x-silent|X takes the connection and never answers; no Wayland|one line naming DISPLAY and WAYLAND_DISPLAY, status 1"
  "x-tcp-silent|X on TCP takes the connection and never answers; no Wayland|one line naming DISPLAY and WAYLAND_DISPLAY, status 1"
  "wayland-silent|the Wayland socket takes the connection and never answers; no X|one line naming DISPLAY and WAYLAND_DISPLAY, status 1"
  "x-late|X answers each connection after 1 s|works"
  "a11y-silent|org.a11y.Bus owned, never replies|the main window maps within 10 s; works"
  "portal-silent|the desktop portal owned, never replies|works; the slogan blinks; nothing on stderr"
  "portal-garbage|the portal answers every setting with a wrong type|works; the slogan blinks; nothing on stderr"
  "opener|xdg-open never returns, returns 1, is missing from PATH|every press starts it; a box only where it is missing; no zombie"
  "fonts-bare|fontconfig knows the system's fonts, and no rendering settings|works; the look fonts-none is compared with"
  "fonts-none|fontconfig knows no font at all|works; looks as fonts-bare does: every text in the embedded faces"
  "lang-c|LANG=C|works; looks as usual"
  "lc-all-posix|LC_ALL=POSIX|works; looks as usual"
  "locale-unknown|LANG=xx_YY.UTF-8, a locale that does not exist|works; looks as usual"
  "home-unset|HOME unset|works; looks as usual"
  "home-read-only|HOME where nothing can be written|works; looks as usual"
  "runtime-unset|XDG_RUNTIME_DIR unset|works; looks as usual"
  "runtime-missing|XDG_RUNTIME_DIR naming no folder|works; looks as usual"
  "x-dies|the X server is killed while the program runs|one line on stderr, status 1, no core"
)

if [ $# -eq 0 ]; then
  # --- The table: every row, two at a time ---------------------------------------------------
  source "$(dirname "$0")/lib.sh"
  results=$e2e_dir/results
  mkdir -p "$results"
  declare -A row_of
  running=0
  # Waits for one row to end and keeps its exit status.
  collect_one() {
    local pid status=0
    wait -n -p pid || status=$?
    echo "$status" >"$results/${row_of[$pid]}.status"
    case ${row_of[$pid]} in
      x-silent | x-tcp-silent | wayland-silent) ;;
      *) running=$((running - 1)) ;;
    esac
  }
  for row in "${outside_rows[@]}"; do
    name=${row%%|*}
    # The rows without a display mostly wait out the bound: they run beside the others.
    case $name in
      x-silent | x-tcp-silent | wayland-silent) ;;
      *)
        while [ "$running" -ge 2 ]; do collect_one; done
        running=$((running + 1))
        ;;
    esac
    OUTSIDE_RESULTS=$results bash "$0" "$name" >"$results/$name.log" 2>&1 &
    e2e_helper_pids+=($!)
    row_of[$!]=$name
  done
  while [ "${#row_of[@]}" -gt "$(ls "$results" | grep -c '\.status$')" ]; do collect_one; done
  e2e_helper_pids=()
  failed=0
  printf '%-16s %-8s %s\n' row outcome expected
  for row in "${outside_rows[@]}"; do
    IFS='|' read -r name _ expected <<<"$row"
    outcome=passed
    status=$(cat "$results/$name.status")
    if [ "$status" = 77 ]; then
      outcome=skipped
    elif [ "$status" != 0 ]; then
      outcome=FAILED
    else
      # Without the system's rendering settings the same faces are drawn otherwise (hinting):
      # fonts-none is compared with fonts-bare, which has those settings and the system's fonts.
      reference=baseline
      [ "$name" != fonts-none ] || reference=fonts-bare
      if [ -f "$results/$name.look" ] && [ "$name" != fonts-bare ] &&
        ! cmp -s "$results/$reference.look" "$results/$name.look"; then
        echo "--- $name does not look as $reference does (< $reference, > $name):" >>"$results/$name.log"
        diff "$results/$reference.look" "$results/$name.look" >>"$results/$name.log" || true
        outcome=FAILED
      fi
    fi
    printf '%-16s %-8s %s (%s)\n' "$name" "$outcome" "$expected" "$(tail -n 1 "$results/$name.log")"
    if [ "$outcome" = FAILED ]; then
      failed=$((failed + 1))
      sed "s/^/  $name: /" "$results/$name.log"
    fi
  done
  [ "$failed" -eq 0 ] || fail "$failed row(s) failed"
  echo "PASS"
  exit 0
fi

# --- One row ------------------------------------------------------------------------------------
# The test runs it again once for each row named.
if [ $# -gt 1 ]; then
  for name; do bash "$0" "$name" || exit 1; done
  exit 0
fi
row=$1
source "$(dirname "$0")/lib.sh"
# A failure inside $(...) ends the row too, rather than handing on an empty window id.
shopt -s inherit_errexit
command -v dbus-daemon >/dev/null || { echo "SKIP: dbus-daemon is not installed"; exit 77; }
e2e_start_bus
unset WAYLAND_DISPLAY WAYLAND_SOCKET
results=${OUTSIDE_RESULTS:-$e2e_dir}

# A press in a category window starts xdg-open with the cell's address.
row_works() {
  local button address id
  IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link Form6)
  id=$(e2e_open_category Form6)
  e2e_press_cell "$id" Form6 "$button"
  e2e_expect_launch "$address"
  echo "$id"
}

# One picture of a window: a digest of its pixels.
row_picture() {
  import -window "$1" rgba:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# The pictures the window shows, each once, in order: taken until two differ (the slogan blinks)
# or for 15 s. A picture counts once it has been seen twice: a window just mapped may still be
# painting its first picture, which it never shows again. The pauses between them vary, so that a
# busy machine whose every picture takes as long as a blink does not see the same half of each
# blink.
row_pictures() {
  local id=$1 start=$SECONDS seen=()
  while [ "$SECONDS" -lt $((start + 15)) ]; do
    seen+=("$(row_picture "$id")")
    [ "$(printf '%s\n' "${seen[@]}" | sort | uniq -d | wc -l)" -ge 2 ] && break
    sleep "0.$((RANDOM % 9 + 1))"
  done
  echo "   ${#seen[@]} pictures of window $id in $((SECONDS - start)) s" >&2
  printf '%s\n' "${seen[@]}" | sort | uniq -d
}

row_blinks() {
  [ "$(row_pictures "$main_id" | wc -l)" -ge 2 ] || fail "the slogan does not blink"
}

# What the user sees, in the row's .look file: the main window's title and pictures (before any
# other window covers it), then the category window's. Titles as WM_NAME holds them, which the
# oldest window managers show.
row_look_main() {
  local pictures
  pictures=$(row_pictures "$main_id")
  [ "$(wc -l <<<"$pictures")" -ge 2 ] || fail "the slogan does not blink"
  {
    xdotool getwindowname "$main_id"
    echo "$pictures"
  } >"$results/$row.look"
}

row_look_category() {
  {
    xdotool getwindowname "$1"
    row_picture "$1"
  } >>"$results/$row.look"
}

row_usual() {
  local category
  e2e_start
  row_look_main
  category=$(row_works)
  row_look_category "$category"
}

# Runs the program with no X server or compositor but the ones given (VAR=VALUE...), and expects
# one line that names DISPLAY and WAYLAND_DISPLAY, and exit status 1, without a hang.
row_no_display() {
  local status=0 started=$SECONDS
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$e2e_dir" "$@" \
    timeout 20 "$VESTORA" >"$e2e_dir/out" 2>"$e2e_log" </dev/null || status=$?
  [ "$status" -eq 1 ] || fail "exit status $status, expected 1"
  [ "$(wc -l <"$e2e_log")" -eq 1 ] || fail "stderr is not one line: $(cat "$e2e_log")"
  grep -q 'DISPLAY.*WAYLAND_DISPLAY' "$e2e_log" || fail "stderr does not name both: $(cat "$e2e_log")"
  echo "$(cat "$e2e_log") after $((SECONDS - started)) s"
}

# The program's children that are zombies.
row_zombies() {
  ps -o pid=,stat= --ppid "$vestora_pid" | awk '$2 ~ /^Z/'
}

case $row in
  baseline)
    row_usual
    ;;

  x-silent)
    e2e_stand_in silent-x
    row_no_display DISPLAY=":$e2e_stand_in_port"
    ;;

  x-tcp-silent)
    e2e_stand_in silent-tcp
    row_no_display DISPLAY="127.0.0.1:$((e2e_stand_in_port - 6000))"
    ;;

  wayland-silent)
    e2e_stand_in silent-socket "$e2e_dir/wayland-silent"
    row_no_display WAYLAND_DISPLAY=wayland-silent
    ;;

  x-silent-wayland)
    command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }
    compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
      { echo "SKIP: qt6-wayland is not installed"; exit 77; }
    "$E2E_CATALOG" >"$e2e_catalog_file" || fail "the catalog helper failed"
    e2e_stand_in silent-x
    mkdir -m 700 "$e2e_dir/runtime"
    XDG_RUNTIME_DIR=$e2e_dir/runtime mutter --headless --wayland --no-x11 \
      --virtual-monitor 1280x1024 --wayland-display vestora-wayland >"$e2e_dir/desktop.log" 2>&1 &
    e2e_helper_pids+=($!)
    e2e_wait_for "mutter's Wayland socket" test -S "$e2e_dir/runtime/vestora-wayland"
    env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$e2e_dir/runtime" DISPLAY=":$e2e_stand_in_port" \
      WAYLAND_DISPLAY=vestora-wayland WAYLAND_DEBUG=1 "$VESTORA" >"$e2e_log" 2>&1 &
    vestora_pid=$!
    title=$(e2e_catalog main | cut -f1)
    shown() { grep -qF "xdg_toplevel@" "$e2e_log" && grep -qF "set_title(\"$title\")" "$e2e_log"; }
    e2e_wait_for "the main window on Wayland" shown
    echo "the main window on Wayland"
    ;;

  x-late)
    late_x() {
      e2e_stand_in late-x 1 "$DISPLAY"
      e2e_program_env=(QT_QPA_PLATFORM= DISPLAY=":$e2e_stand_in_port")
    }
    e2e_before_program=late_x
    e2e_start
    row_works >/dev/null
    ;;

  a11y-silent)
    e2e_stand_in silent-name org.a11y.Bus
    E2E_TIMEOUT=10 e2e_start
    row_works >/dev/null
    ;;

  portal-silent | portal-garbage)
    if [ "$row" = portal-silent ]; then
      e2e_stand_in silent-name org.freedesktop.portal.Desktop
    else
      e2e_stand_in garbage-portal
    fi
    e2e_start
    row_blinks
    row_works >/dev/null
    [ ! -s "$e2e_log" ] || fail "the program wrote: $(cat "$e2e_log")"
    ;;

  opener)
    e2e_start
    IFS=$'\t' read -r button _ _ address < <(e2e_catalog_first_link Form6)
    id=$(e2e_open_category Form6)
    opener=$e2e_stub_dir/xdg-open
    mv "$opener" "$e2e_dir/xdg-open.usual"
    for way in never-returns returns-1; do
      e2e_step "xdg-open $way: the press starts it, no box"
      {
        echo '#!/bin/sh'
        echo "printf '1 <%s>\\n' \"\$1\" >>'$e2e_record'"
        case $way in
          never-returns) echo "echo \$\$ >>'$e2e_dir/stray.pids'; exec sleep 600" ;;
          returns-1) echo 'exit 1' ;;
        esac
      } >"$opener"
      chmod +x "$opener"
      e2e_press_cell "$id" Form6 "$button"
      e2e_expect_launch "$address"
      e2e_expect_no_more_launches
      [ -z "$(e2e_window_titled "$(e2e_catalog main | cut -f1)" "$main_id")" ] ||
        fail "a box came up after xdg-open $way"
    done
    e2e_step "xdg-open missing from PATH: a box"
    rm "$opener"
    e2e_press_cell "$id" Form6 "$button"
    box=$(e2e_wait_window "$(e2e_catalog main | cut -f1)" "$main_id")
    e2e_key "$box" Return
    e2e_wait_gone "$box"
    e2e_step "xdg-open back: the press opens the address"
    mv "$e2e_dir/xdg-open.usual" "$opener"
    e2e_press_cell "$id" Form6 "$button"
    e2e_expect_launch "$address"
    [ -z "$(row_zombies)" ] || fail "zombies left: $(row_zombies)"
    echo "4 presses, 3 starts, 1 box, no zombie"
    ;;

  fonts-bare | fonts-none)
    dirs=""
    [ "$row" = fonts-none ] || dirs="<dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>"
    printf '<?xml version="1.0"?>\n<fontconfig>%s<cachedir>%s</cachedir></fontconfig>\n' \
      "$dirs" "$e2e_dir/font-cache" >"$e2e_dir/fonts.conf"
    e2e_program_env=(FONTCONFIG_FILE="$e2e_dir/fonts.conf" FONTCONFIG_PATH="$e2e_dir")
    row_usual
    ;;

  lang-c | lc-all-posix | locale-unknown)
    # The test's own LC_ALL goes, and every other locale variable but the one the row sets.
    case $row in
      lang-c) e2e_program_env=(LANG=C) ;;
      lc-all-posix) e2e_program_env=(LC_ALL=POSIX) ;;
      locale-unknown) e2e_program_env=(LANG=xx_YY.UTF-8) ;;
    esac
    for variable in LC_ALL LC_CTYPE LC_MESSAGES LC_NUMERIC LANGUAGE LANG; do
      [ "$variable" = "${e2e_program_env[0]%%=*}" ] || e2e_program_unset+=("$variable")
    done
    row_usual
    ;;

  home-unset)
    e2e_program_unset=(HOME)
    row_usual
    ;;

  home-read-only)
    # Root writes anywhere but in /proc.
    home=/proc/$$/fdinfo
    if [ "$(id -u)" -ne 0 ]; then
      home=$e2e_dir/home
      mkdir -m 555 "$home"
    fi
    e2e_program_env=(HOME="$home")
    row_usual
    ;;

  runtime-unset)
    e2e_program_unset=(XDG_RUNTIME_DIR)
    row_usual
    ;;

  runtime-missing)
    e2e_program_env=(XDG_RUNTIME_DIR="$e2e_dir/no-such-folder")
    row_usual
    ;;

  x-dies)
    e2e_start
    row_works >/dev/null
    before=$(wc -l <"$e2e_log")
    kill -KILL "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    e2e_wait_for_end
    [ "$vestora_status" -eq 1 ] || fail "exit status $vestora_status, expected 1"
    said=$(tail -n +"$((before + 1))" "$e2e_log")
    [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] && [ -n "$said" ] ||
      fail "not one line on stderr: $said"
    echo "$said"
    ;;

  *)
    fail "no row $row"
    ;;
esac
[ -z "$vestora_pid" ] || e2e_vestora_running || fail "the program ended"
