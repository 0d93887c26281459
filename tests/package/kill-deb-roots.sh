#!/usr/bin/env bash
# Kills tests/package/check-deb-roots.sh at each of its steps, with SIGTERM and with SIGKILL, and
# checks that it leaves nothing behind: a SIGTERM ends it within two seconds, and once its last
# process (the one removing its folder) has ended, nothing is left; after a SIGKILL no process of
# it is left, nothing is mounted on this machine, and the next run removes its folder. Before that, the debris of a run of the check's older layout, with live
# mounts in it (a bind mount of a folder whose files must survive, and /proc), is removed by a run
# without going through them.
#
# Fast and without the network: the check runs in its test mode (VESTORA_DEB_ROOTS_STUB, which
# stands in for the archive, debootstrap, apt and the package's checks, and keeps the namespace,
# the display, the roots' mounts, tar, the cache and the clean-up) with a package of nothing, in
# roots and a TMPDIR of this test's own. Each killed run's folder is checked for by the next run,
# paused at its own step once it has swept; the last, by a whole run.
#
#   tests/package/kill-deb-roots.sh              (needs root; runs itself again through sudo)
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi

test_dir=$(mktemp -d "${TMPDIR:-/tmp}/vestora-kill-deb-roots.XXXXXX")
roots=$test_dir/roots
# The processes of the check: every one started from it has the roots folder in its environment.
processes_of_check() {
  grep -lzx "VESTORA_ROOTS_DIR=$roots" /proc/[0-9]*/environ 2>/dev/null |
    sed 's,^/proc/\([0-9]*\)/environ$,\1,' || true
}
check_pid=""
clean_up() {
  local status=$?
  [ -z "$check_pid" ] || kill -KILL "$check_pid" 2>/dev/null || true
  # What a failure found left of the check, so that it is not left for good.
  processes_of_check | xargs -r kill -KILL 2>/dev/null || true
  # What this test mounted itself, for the older layout's debris, if a failure left it.
  { awk '{ print $5 }' /proc/self/mountinfo | grep -F "$test_dir/" || true; } | sort -r |
    while read -r point; do umount -l "$point" || true; done
  rm -rf --one-file-system "$test_dir"
  exit "$status"
}
trap clean_up EXIT
mkdir "$roots" "$test_dir/tmp"
export VESTORA_DEB_ROOTS_STUB=1 TMPDIR=$test_dir/tmp
# The roots folder is given to the check alone: the processes that have it in their environment
# are the check's.
check=("$VESTORA_ROOT/tests/package/check-deb-roots.sh" "$test_dir/vestora.deb" bookworm)

# A package of nothing, which the check reads its version and folders from.
mkdir -p "$test_dir/package/DEBIAN" "$test_dir/package/usr/share/doc/vestora"
printf 'Package: vestora\nVersion: 0.0\nArchitecture: all\nMaintainer: Test <test@vestora.example>\nDescription: nothing\n' \
  >"$test_dir/package/DEBIAN/control"
dpkg-deb --root-owner-group --build "$test_dir/package" "$test_dir/vestora.deb" >/dev/null

# Mounts on this machine under the test's folder.
mounts_here() {
  awk '{ print $5 }' /proc/self/mountinfo | grep -F "$test_dir/" || true
}
run_folders() {
  find "$roots" -mindepth 1 -maxdepth 1 -name 'run.*' -printf '%f\n'
}
# What is left in the roots folder and TMPDIR besides the cache: the lock, the day's tar and the
# packages' folder.
debris() {
  find "$roots" -mindepth 1 -maxdepth 1 ! -name check.lock ! -name 'bookworm-*.tar' \
    ! -name packages -printf '%f\n'
  find "$TMPDIR" -mindepth 1 -maxdepth 1 -printf 'TMPDIR/%f\n'
}

# Starts the check, paused at a step, and waits until it says it is there.
start_paused() {
  local step=$1 deadline
  VESTORA_ROOTS_DIR=$roots VESTORA_DEB_ROOTS_PAUSE=$step "${check[@]}" >"$test_dir/check.log" 2>&1 &
  check_pid=$!
  # Killed on purpose: the shell need not say so.
  disown "$check_pid"
  deadline=$((SECONDS + 120))
  until grep -qx "paused at $step" "$test_dir/check.log"; do
    if ! kill -0 "$check_pid" 2>/dev/null; then
      cat "$test_dir/check.log" >&2
      fail "the check ended before it reached the step $step"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "the check did not reach the step $step within 120 s"
    sleep 0.1
  done
}

# --- The older layout's debris, mounted on -----------------------------------------------------
echo "-- debris of a killed run of the older layout, with /proc and a bind mount in it"
mkdir -p "$test_dir/precious" "$roots/make-bookworm.AbC123/proc" \
  "$roots/run-bookworm.XyZ789/root/var/cache/apt/archives"
echo keep >"$test_dir/precious/file"
mount -t proc proc "$roots/make-bookworm.AbC123/proc"
mount --bind "$test_dir/precious" "$roots/run-bookworm.XyZ789/root/var/cache/apt/archives"
VESTORA_ROOTS_DIR=$roots "${check[@]}" >"$test_dir/check.log" 2>&1 ||
  { cat "$test_dir/check.log" >&2; fail "the check did not pass over the older layout's debris"; }
[ "$(cat "$test_dir/precious/file")" = keep ] || fail "a file under a bind mount in the debris went"
[ -z "$(mounts_here)" ] || fail "still mounted: $(mounts_here)"
[ -z "$(debris)" ] || fail "left: $(debris)"
grep -q 'removing make-bookworm.AbC123' "$test_dir/check.log" || fail "the debris was not named"

# --- Killed at each step -------------------------------------------------------------------------
steps=(locked run-folder namespace display debootstrap update tar copy in-root finished)
for signal in TERM KILL; do
  for step in "${steps[@]}"; do
    # The first steps of making a root are reached only when today's is not cached.
    case $step in
      debootstrap | update | tar) rm -f "$roots"/bookworm-*.tar ;;
    esac
    start_paused "$step"
    # A run paused once it has swept: the killed run before it left nothing but this one's folder.
    if [ "$step" != locked ] && [ "$(run_folders | wc -l)" -ne 1 ]; then
      fail "$step: the folders of the run before are left: $(run_folders | tr '\n' ' ')"
    fi
    killed_at=$EPOCHREALTIME
    kill "-$signal" "$check_pid"
    # A SIGTERM ends the run within two seconds, a SIGKILL at once.
    deadline=$((SECONDS + 5))
    while kill -0 "$check_pid" 2>/dev/null && [ "$(ps -o stat= -p "$check_pid")" != Z ]; do
      [ "$SECONDS" -lt "$deadline" ] || fail "$step: the check still runs 5 s after SIG$signal"
      sleep 0.02
    done
    took=$(awk -v from="$killed_at" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.2f", to - from }')
    check_pid=""
    # Every process of it ends with it (the namespace's, through the parent-death signal).
    deadline=$((SECONDS + 2))
    while [ -n "$(processes_of_check)" ]; do
      [ "$SECONDS" -lt "$deadline" ] ||
        fail "$step: processes of the check left 2 s after SIG$signal: $(processes_of_check | xargs ps -o pid=,args= -p)"
      sleep 0.05
    done
    [ -z "$(mounts_here)" ] || fail "$step: still mounted after SIG$signal: $(mounts_here)"
    echo "   SIG$signal at $step: ended in ${took} s"
    if [ "$signal" = TERM ]; then
      awk -v took="$took" 'BEGIN { exit !(took <= 2) }' ||
        fail "$step: the check took ${took} s to end after SIGTERM"
      [ -z "$(debris)" ] || fail "$step: left after SIGTERM: $(debris | tr '\n' ' ')"
    fi
  done
done

# The last one killed is cleaned up by a whole run.
VESTORA_ROOTS_DIR=$roots "${check[@]}" >"$test_dir/check.log" 2>&1 ||
  { cat "$test_dir/check.log" >&2; fail "a whole run after the kills failed"; }
[ -z "$(debris)" ] || fail "left after a whole run: $(debris | tr '\n' ' ')"
[ -z "$(mounts_here)" ] || fail "still mounted: $(mounts_here)"
echo "PASS: killed at each of ${#steps[@]} steps with SIGTERM and SIGKILL, nothing left"
