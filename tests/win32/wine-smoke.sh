#!/usr/bin/env bash
# A Windows build started under Wine on a private display with a window manager: Vestora shows
# its window and ends cleanly when a user closes it; the bare-window baseline has the main
# window's client size and is black; the recording stand-in writes one line per start with its
# command line, how it was asked to show and its first argument.
#   tests/win32/wine-smoke.sh [build folder, build-win64 by default; build-win32 needs wine32]
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-win64}" && pwd)
source "$root/tests/win32/wine-lib.sh"

vwine_test_script

vwine_prefix "$build"
vwine_start_display

echo "-- vestora.exe shows its window and ends with status 0 when it is closed"
vwine_start "$build/vestora.exe"
window=$(vwine_find_window "$VWINE_PID" Vestora)
class=$(xprop -id "$window" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "vestora.exe", "vestora.exe"' ] || fail "window class: $class"
vwine_close "$window"
status=0
vwine_wait "$VWINE_PID" || status=$?
[ "$status" -eq 0 ] || fail "vestora.exe ended with status $status"

echo "-- the bare window is black and has the main window's client size, 600 x 519"
vwine_start "$build/bench/win32/bench_empty_window.exe"
window=$(vwine_find_window "$VWINE_PID")
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 600x519 ] || fail "client size $size"
# The client area is painted once the window is mapped; give it a moment to get there.
for _ in $(seq 50); do
  colour=$(import -window "$window" -crop 1x1+300+260 txt:- 2>/dev/null | tail -n 1 || true)
  case $colour in *black* | *'#000000'*) break ;; esac
  sleep 0.1
done
case $colour in *black* | *'#000000'*) ;; *) fail "the window's middle is $colour" ;; esac
vwine_close "$window"
vwine_wait "$VWINE_PID"

echo "-- the stand-in records its command line, STARTUPINFO and first argument, one line per start"
record=$(mktemp -d)/record.tsv
VESTORA_RECORD_FILE=$(vwine_path "$record")
export VESTORA_RECORD_FILE
recorder="$build/tests/win32/recorder.exe"
vwine_run "$recorder" "two words" plain 服饰
# cmd's `start /min` asks for STARTF_USESHOWWINDOW (1) and a minimized window.
windows_path=$(vwine_path "$recorder")
vwine_run cmd /c start /min /wait "$windows_path" second
unset VESTORA_RECORD_FILE
mapfile -t lines <"$record"
rm -rf "$(dirname "$record")"
[ ${#lines[@]} -eq 2 ] || fail "${#lines[@]} lines recorded: ${lines[*]}"
[ "${lines[0]}" = "\"$windows_path\" \"two words\" plain 服饰"$'\t0\t1\ttwo words' ] ||
  fail "first start recorded as: ${lines[0]}"
IFS=$'\t' read -r command flags show first <<<"${lines[1]}"
[ "$command" = "\"$windows_path\" second" ] || fail "second start's command line: $command"
[ "$flags/$show" = 1/2 ] || fail "second start's STARTUPINFO: flags $flags show $show"
[ "$first" = second ] || fail "second start's first argument: $first"

echo "PASS"
