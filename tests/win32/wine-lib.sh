# shellcheck shell=bash
# Runs the Windows program's builds under Wine on a private virtual display. Sourced by the
# Windows tests and benchmarks:
#
#   source tests/win32/wine-lib.sh
#   trap vwine_teardown EXIT
#   vwine_prefix build-win64          # a private Wine prefix; WINEPREFIX and the rest exported
#   vwine_start_display               # a private Xvfb with openbox; DISPLAY exported
#   vwine_start build-win64/vestora.exe [arguments...]    # sets VWINE_PID
#   window=$(vwine_find_window "$VWINE_PID")               # X id of its first visible window
#   vwine_click "$window" 120 40 / vwine_close "$window" / vwine_wait "$VWINE_PID"
#   vwine_run build-win64/tests/win32/recorder.exe ...     # runs to the end, returns its status
#   vwine_teardown                    # ends the programs, the display and the prefix
#
# Each .exe is started with the loader of its kind, called directly: a 64-bit one with the 64-bit
# loader (package wine64), a 32-bit one with the 32-bit loader (package wine32, i386), which runs
# it under WoW64 in the same 64-bit prefix. /usr/bin/wine would guess, and pick the 32-bit loader
# for a 64-bit program when wine32 is there. A name that is no file (cmd) goes to the 64-bit one.
#
# Booting a prefix takes seconds and fills 700 MB, so each build folder boots one, once, under
# <build>/wine/template; every test gets a copy of it made of hard links, which is instant and
# takes no room, except for the registry files, which the wineserver rewrites in place and so
# are copied for real. Wine writes nowhere else in the prefix while programs run.

VWINE_LOADER=${VWINE_LOADER:-/usr/lib/wine/wine64}
VWINE_LOADER32=${VWINE_LOADER32:-/usr/lib/wine/wine}
VWINE_SERVER=${VWINE_SERVER:-/usr/lib/wine/wineserver64}
# How long a window may take to show, in seconds: the first start in a prefix is the slowest.
VWINE_TIMEOUT=${VWINE_TIMEOUT:-60}

VWINE_PID=""
vwine_dir=""
vwine_xvfb_pid=""
vwine_openbox_pid=""

# The private X server and fail.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

# The loader for a program: the 32-bit one for a 32-bit x86 .exe (its PE header's machine is
# 0x14c), the 64-bit one for anything else. Usage: vwine_loader_for <program.exe or name>
vwine_loader_for() {
  local offset machine
  if [ -f "$1" ]; then
    offset=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" | tr -d ' ')
    if [ "$machine" = 014c ]; then
      [ -x "$VWINE_LOADER32" ] ||
        fail "$VWINE_LOADER32 missing (package wine32:i386) for the 32-bit $1"
      echo "$VWINE_LOADER32"
      return 0
    fi
  fi
  echo "$VWINE_LOADER"
}

# Exports WINEPREFIX (a private copy of <build>/wine/template, booted first if need be), WINEARCH,
# WINELOADER, WINESERVER, WINEDEBUG and WINEDLLOVERRIDES. The prefix is a 64-bit one, booted by
# the 64-bit loader; with wine32 installed it holds the 32-bit system too (WoW64). Mono and Gecko
# are turned off: their installers would otherwise ask to download.
# Usage: vwine_prefix <build folder>
vwine_prefix() {
  local build
  build=$(cd "$1" && pwd) || return 1
  local template=$build/wine/template
  export WINEARCH=win64 WINELOADER=$VWINE_LOADER WINESERVER=$VWINE_SERVER WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  [ -x "$VWINE_LOADER" ] || fail "$VWINE_LOADER missing (package wine64)"
  mkdir -p "$build/wine"
  # One boot at a time, so that tests starting together wait for the same template; booted again
  # when Wine is not the one that booted it, or when the 32-bit Wine came or went since.
  local version
  version=$("$VWINE_LOADER" --version 2>/dev/null)
  [ ! -x "$VWINE_LOADER32" ] || version="$version with wine32"
  (
    flock 9
    if [ "$(cat "$template/.vestora-booted" 2>/dev/null)" != "$version" ]; then
      rm -rf "$template"
      # Booted without a display: nothing needs one, and none is up yet.
      WINEPREFIX=$template DISPLAY="" "$VWINE_LOADER" wineboot -i >/dev/null 2>&1 &&
        WINEPREFIX=$template "$VWINE_SERVER" -w &&
        echo "$version" >"$template/.vestora-booted"
    fi
  ) 9>"$build/wine/template.lock"
  [ -e "$template/.vestora-booted" ] || fail "Wine could not boot $template"
  vwine_dir=$(mktemp -d "$build/wine/run.XXXXXX")
  cp -al "$template" "$vwine_dir/prefix"
  local registry
  for registry in "$template"/*.reg; do
    cp --remove-destination "$registry" "$vwine_dir/prefix/"
  done
  export WINEPREFIX=$vwine_dir/prefix
}

# Starts a private Xvfb (1280x800, 24 bits) that picks a free display number itself, and openbox
# on it; exports DISPLAY once the window manager is up.
vwine_start_display() {
  # The server's log goes with the prefix copy, when there is one already.
  local log=/dev/null
  [ -z "$vwine_dir" ] || log=$vwine_dir/xvfb.log
  vestora_start_xvfb 1280x800x24 "$log"
  vwine_xvfb_pid=$vestora_xvfb_pid
  export DISPLAY=$vestora_display
  local deadline=$((SECONDS + VWINE_TIMEOUT))
  openbox --sm-disable >/dev/null 2>&1 &
  vwine_openbox_pid=$!
  # openbox is managing once it names itself on the root window.
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    kill -0 "$vwine_openbox_pid" 2>/dev/null ||
      fail "openbox ended at its start on $DISPLAY (package openbox)"
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "openbox did not start on $DISPLAY within ${VWINE_TIMEOUT}s"
    sleep 0.1
  done
}

# Starts a Windows program under Wine in the background; its output goes to $vwine_dir/wine.log.
# VWINE_PID is the process id, which is also the _NET_WM_PID of its windows.
# Usage: vwine_start <program.exe> [arguments...]
vwine_start() {
  [ -n "${WINEPREFIX:-}" ] || fail "vwine_prefix first"
  local loader
  loader=$(vwine_loader_for "$1") || return 1
  "$loader" "$@" >>"$vwine_dir/wine.log" 2>&1 &
  VWINE_PID=$!
}

# Runs a Windows program under Wine to its end and returns its exit status.
# Usage: vwine_run <program.exe> [arguments...]
vwine_run() {
  [ -n "${WINEPREFIX:-}" ] || fail "vwine_prefix first"
  local loader
  loader=$(vwine_loader_for "$1") || return 1
  "$loader" "$@" >>"$vwine_dir/wine.log" 2>&1
}

# Prints the X id of a visible top-level window of the process now, with exactly that title when
# one is given; fails when there is none. Titles are compared as text: xdotool's pattern matching
# finds other windows for a Chinese title.
# Usage: vwine_window_now <pid> [title]
vwine_window_now() {
  local pid=$1 title=${2:-} id
  for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    if [ -z "$title" ] || [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# Prints the X id of a visible top-level window of the process, waiting up to VWINE_TIMEOUT
# seconds; with a title, of the window with exactly that title. Fails if the process ends first.
# Usage: vwine_find_window <pid> [title]
vwine_find_window() {
  local pid=$1 title=${2:-}
  local deadline=$((SECONDS + VWINE_TIMEOUT))
  while ! vwine_window_now "$pid" "$title"; do
    kill -0 "$pid" 2>/dev/null || fail "process $pid ended without showing a window"
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "no window of process $pid within ${VWINE_TIMEOUT}s"
    sleep 0.1
  done
}

# Clicks the left button at a point given in the window's client coordinates.
# Usage: vwine_click <window> <x> <y>
vwine_click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Closes a window the way a user does, through the window manager (WM_CLOSE in the program).
# Usage: vwine_close <window>
vwine_close() {
  wmctrl -ic "$1"
}

# Prints the Windows name of a file of this machine, as the programs under Wine see it (drive Z:
# is the root folder). Usage: vwine_path /tmp/record.tsv   ->   Z:\tmp\record.tsv
vwine_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# Waits up to VWINE_TIMEOUT seconds for a started program to end and returns its exit status.
# Usage: vwine_wait <pid>
vwine_wait() {
  local pid=$1
  local deadline=$((SECONDS + VWINE_TIMEOUT))
  while kill -0 "$pid" 2>/dev/null && [ "$(ps -o stat= -p "$pid")" != Z ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "process $pid still runs"
    sleep 0.1
  done
  wait "$pid"
}

# Prints what Wine wrote while the programs ran: for the failure output of a test.
vwine_log() {
  if [ -n "$vwine_dir" ]; then
    cat "$vwine_dir/wine.log" 2>/dev/null || true
  fi
}

# Ends every Windows process of the prefix, openbox and Xvfb, and removes the prefix copy.
# Safe to call twice, and from an EXIT trap under `set -e`.
vwine_teardown() {
  if [ -n "${WINEPREFIX:-}" ] && [ -n "$vwine_dir" ]; then
    "$VWINE_SERVER" -k >/dev/null 2>&1 || true
    "$VWINE_SERVER" -w >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "$VWINE_PID" "$vwine_openbox_pid" "$vwine_xvfb_pid"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  VWINE_PID="" vwine_openbox_pid="" vwine_xvfb_pid=""
  if [ -n "$vwine_dir" ]; then
    rm -rf "$vwine_dir"
  fi
  vwine_dir=""
}

# For a test script: whatever it started under Wine ends when it exits, and when it failed, Wine's
# output follows what it said. A function named as the argument runs first on the way out, given
# the exit status, for the script's own cleaning up.
# Usage: vwine_test_script [cleanup function]
vwine_test_script() {
  vwine_cleanup_hook=${1:-}
  trap vwine_end_test EXIT
  trap 'exit 130' INT TERM HUP
}

vwine_end_test() {
  local status=$?
  trap - EXIT
  if [ -n "${vwine_cleanup_hook:-}" ]; then
    "$vwine_cleanup_hook" "$status" || true
  fi
  if [ "$status" -ne 0 ]; then
    echo "--- Wine's output:"
    vwine_log
  fi
  vwine_teardown
  exit "$status"
}
