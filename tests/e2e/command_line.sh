#!/usr/bin/env bash
# The program's command line, as vestora(1) describes it, with no display to open at all:
#   --version           "vestora <version>" on standard output, exit status 0
#   --help              a short usage in English on standard output, exit status 0
#   anything else       one line on standard error naming the argument, exit status 2, the
#                       toolkit's own options (-style, -display, ...) included
#   no display          one line naming DISPLAY and WAYLAND_DISPLAY, exit status 1: no abort,
#                       no core
#
# The test's environment names the program and its version (CTest sets them):
#   VESTORA          the program under test
#   VESTORA_VERSION  the version it must print
set -euo pipefail
export LC_ALL=C.UTF-8

: "${VESTORA:?the program under test}" "${VESTORA_VERSION:?the version it must print}"

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-command-line.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Every check runs and says when it fails; the test fails at the end when one did.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
fail_goes_on=yes

# A display number that no X server answers on.
absent=99
while [ -e "/tmp/.X11-unix/X$absent" ] || [ -e "/tmp/.X$absent-lock" ]; do absent=$((absent + 1)); done

# run ENV... -- ARG...: runs the program without any display (unless ENV names one), with a time
# limit; sets status, out and err.
run() {
  local environment=()
  while [ "$1" != -- ]; do
    environment+=("$1")
    shift
  done
  shift
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM "${environment[@]}" \
    timeout 30 "$VESTORA" "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

# expect WHAT STATUS: the last run ended with STATUS.
expect_status() {
  [ "$status" -eq "$2" ] || fail "$1: exit status $status, expected $2; stderr: $err"
}

# A line is one line: no newline inside, one at the end.
one_line() {
  [ "$(wc -l <"$work/err")" -eq 1 ] && [ "$(tail -c 1 "$work/err" | od -An -tx1 | tr -d ' ')" = 0a ]
}

echo "-- --version"
run -- --version
expect_status "--version" 0
[ "$out" = "vestora $VESTORA_VERSION" ] || fail "--version printed '$out', expected 'vestora $VESTORA_VERSION'"
[ -z "$err" ] || fail "--version wrote to stderr: $err"

echo "-- --help"
run -- --help
expect_status "--help" 0
[ -z "$err" ] || fail "--help wrote to stderr: $err"
head -n 1 "$work/out" | grep -q '^Usage: vestora ' || fail "--help does not start with a usage line: $out"
for option in --help --version; do
  grep -q -- "^ *$option " "$work/out" || fail "--help does not describe $option"
done
LC_ALL=C grep -q '[^ -~]' "$work/out" && fail "--help is not plain English ASCII: $out"
[ "$(wc -l <"$work/out")" -le 12 ] || fail "--help is not short: $(wc -l <"$work/out") lines"

echo "-- both: the first one counts"
run -- --version --help
[ "$status" -eq 0 ] && [ "$out" = "vestora $VESTORA_VERSION" ] || fail "--version --help: $status, $out"
run -- --help --version
[ "$status" -eq 0 ] && grep -q '^Usage: vestora ' "$work/out" || fail "--help --version: $status, $out"

echo "-- any other argument: one line, exit status 2"
for argument in --bogus -h -v -V --Version --help=all --version=1 - -- '' fusion -style \
  -stylesheet=x.qss -display -platform -reverse $'two\nlines' ' --help'; do
  shown=$(printf '%q' "$argument")
  run -- "$argument"
  expect_status "argument $shown" 2
  [ -z "$out" ] || fail "argument $shown: printed on stdout: $out"
  one_line || fail "argument $shown: stderr is not one line: $(cat -A "$work/err")"
  case $err in
    vestora:*) ;;
    *) fail "argument $shown: stderr does not start with 'vestora:': $err" ;;
  esac
done
run -- -style fusion
expect_status "-style fusion" 2
grep -qF '"-style"' "$work/err" || fail "-style fusion: the error does not name -style: $err"
run -- --version extra
expect_status "--version extra" 2
grep -qF '"extra"' "$work/err" || fail "--version extra: the error does not name extra: $err"
run -- $'a\nb'
grep -qF '"a\x0ab"' "$work/err" || fail "a newline in an argument is not shown as \\x0a: $err"

echo "-- a display that does not answer (:$absent)"
run DISPLAY=":$absent" --
expect_status "DISPLAY=:$absent" 1
[ "$err" = "vestora: cannot open a display: DISPLAY \":$absent\" does not answer, WAYLAND_DISPLAY is not set" ] ||
  fail "DISPLAY=:$absent: stderr is not the one line expected: $(cat -A "$work/err")"
[ -z "$out" ] || fail "DISPLAY=:$absent: printed on stdout: $out"

echo "-- no DISPLAY at all"
run --
expect_status "no DISPLAY" 1
[ "$err" = "vestora: cannot open a display: DISPLAY is not set, WAYLAND_DISPLAY is not set" ] ||
  fail "no DISPLAY: stderr is not the one line expected: $(cat -A "$work/err")"

echo "-- standard output that cannot be written"
if [ -w /dev/full ]; then
  status=0
  env -u DISPLAY "$VESTORA" --version >/dev/full 2>"$work/err" || status=$?
  err=$(cat "$work/err")
  expect_status "--version >/dev/full" 1
  grep -q '^vestora: cannot write to standard output' "$work/err" || fail "--version >/dev/full: $err"
fi

fail_summary
echo "PASS"
