#!/usr/bin/env bash
# Checks the Debian package where users install it: in throwaway roots of a bare Debian 12
# (bookworm) and a bare Debian 13 (trixie), made by `debootstrap --variant=minbase` from the Debian
# archive that this machine's own apt sources name. The machine that runs the tests holds Qt,
# fonts and every build tool, so a dependency the package forgets would not show here. In each
# root (tests/package/in-deb-root.sh): apt installs the package without recommends, the installed
# program shows its window on a private X display, its command line is checked without a display,
# and a purge leaves none of its paths. In the last root the package is then installed with
# recommends, and the fonts there must cover every character the program shows.
#
#   tests/package/check-deb-roots.sh <package.deb> [suite...]    (default: bookworm trixie)
#
# Needs root (runs itself again through sudo) and, unless today's roots and packages are cached
# already, the archive; where the archive cannot be reached it says so in one line and fails.
# Nothing is installed on this machine but debootstrap (scripts/lib.sh); its own vestora package,
# if it has one, is left as it is. The bare roots are cached in build-roots/ (VESTORA_ROOTS_DIR;
# not in build-package/, which ./scripts/package starts afresh for each commit), one tar per suite
# and day, with the archive's packages kept per suite beside them, so that a second run downloads
# nothing.
#
# What a run makes it makes in one folder of its own, build-roots/run.XXXXXX: the roots being made
# and the copies it checks, its logs, the package. Everything after that folder is made runs in
# one private mount and process namespace (unshare), debootstrap and the X display included:
# every mount is made there, no other process sees it, and it ends with the namespace. The run
# itself only waits for the namespace, so that a signal ends the run at once, at any step: the
# namespace is killed (and, through the parent-death signal, also when the run is killed with
# SIGKILL), and the run's folder removed (after a signal, by a process of its own that holds the
# lock till it is done, so that the run ends at once). One run at a time holds
# build-roots/check.lock; holding it, a run first removes what a killed one left there, after
# checking in /proc/self/mountinfo that nothing is mounted under it (what is, is unmounted first,
# and a folder still mounted on is not removed): rm never goes through a mount.
#
# For tests/package/kill-deb-roots.sh: VESTORA_DEB_ROOTS_PAUSE=<step> stops the run at that step
# (it says "paused at <step>"); VESTORA_DEB_ROOTS_STUB=1, allowed only with a VESTORA_ROOTS_DIR of
# the test's own, stands in for the archive, debootstrap, apt and the package's checks in the
# root, and keeps the rest: the namespace, the display, the roots' mounts, tar, the cache and the
# clean-up. The steps: locked, run-folder, namespace, display, debootstrap (debootstrap's mounts
# made), update, tar, copy, in-root (the root's mounts made), finished.
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

# Inside the namespace: the run's folder and the package copied into it come first.
inside=""
if [ "${1:-}" = --inside ]; then
  inside=$2
  shift 2
fi
[ $# -ge 1 ] || { echo "usage: $0 <package.deb> [suite...]" >&2; exit 2; }
deb=$(realpath "$1")
shift
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
[ -f "$deb" ] || fail "no package $deb"

if [ "$(id -u)" -ne 0 ]; then
  # Killed with sudo, sudo's child is killed too (the parent-death signal).
  exec sudo env VESTORA_ROOTS_DIR="${VESTORA_ROOTS_DIR:-}" \
    VESTORA_DEBIAN_ARCHIVE="${VESTORA_DEBIAN_ARCHIVE:-}" \
    VESTORA_DEB_ROOTS_STUB="${VESTORA_DEB_ROOTS_STUB:-}" \
    VESTORA_DEB_ROOTS_PAUSE="${VESTORA_DEB_ROOTS_PAUSE:-}" \
    setpriv --pdeathsig KILL -- "$0" "$deb" "${suites[@]}"
fi

roots=${VESTORA_ROOTS_DIR:-$VESTORA_ROOT/build-roots}
mkdir -p "$roots"
roots=$(cd "$roots" && pwd)
today=$(date -u +%Y%m%d)
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
stub=${VESTORA_DEB_ROOTS_STUB:-}
if [ -n "$stub" ] && [ "$roots" = "$(cd "$VESTORA_ROOT" && pwd)/build-roots" ]; then
  fail "VESTORA_DEB_ROOTS_STUB needs a VESTORA_ROOTS_DIR of its own: its roots are no Debian"
fi

# Where a test stops the run (VESTORA_DEB_ROOTS_PAUSE): it says so on the run's standard error
# (fd 7, whatever a step's own output goes to) and waits, killed with the run (the parent-death
# signal; inside the namespace, with the namespace).
exec 7>&2
pause_pid=""
step() {
  [ "${VESTORA_DEB_ROOTS_PAUSE:-}" = "$1" ] || return 0
  echo "paused at $1" >&7
  setpriv --pdeathsig KILL -- sleep 600 &
  pause_pid=$!
  wait "$pause_pid" || true
}

# The mount points under a folder, as this process's mount namespace sees them, the deepest first
# (mountinfo's fifth field, its blanks and backslashes written in octal).
mounts_under() {
  awk -v folder="${1%/}" '{
    point = $5
    gsub(/\\040/, " ", point); gsub(/\\011/, "\t", point); gsub(/\\012/, "\n", point)
    gsub(/\\134/, "\\", point)
    if (point == folder || index(point, folder "/") == 1) print length(point) "\t" point
  }' /proc/self/mountinfo | sort -rn | cut -f2-
}

# Removes a folder of the roots, but only once nothing is mounted under it: rm -rf through a bind
# mount would delete the mounted folder's files (the X sockets, the package cache, the host's
# /dev), and through /proc or /sys worse. What is mounted is unmounted (lazily, the deepest
# first); a folder still mounted on is left, and said so. rm stays on the folder's file system.
remove_safely() {
  local folder=$1 point
  [ -e "$folder" ] || return 0
  while read -r point; do
    umount -l "$point" 2>/dev/null || true
  done < <(mounts_under "$folder")
  if [ -n "$(mounts_under "$folder")" ]; then
    echo "still mounted under $folder, not removed: $(mounts_under "$folder" | tr '\n' ' ')" >&2
    return 1
  fi
  rm -rf --one-file-system "$folder"
}

# --- Inside the namespace ---------------------------------------------------------------------
if [ -n "$inside" ]; then
  run=$inside
  work=$run/work
  step namespace
  # The Debian archive of this machine's apt sources: the first entry for the machine's own release
  # (not its -security or -updates suites), written one per line or in deb822 paragraphs.
  debian_archive() {
    local codename file
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    shopt -s nullglob
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$file" ] || continue
      awk -v codename="$codename" '$1 == "deb" { sub(/ \[[^]]*\]/, ""); if ($3 == codename) print $2 }' "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
      awk -v codename="$codename" -v RS= '
        {
          types = uris = suites = ""; enabled = "yes"
          n = split($0, lines, "\n")
          for (i = 1; i <= n; i++) {
            if (lines[i] ~ /^#/) continue
            value = lines[i]; sub(/^[^:]*: */, "", value)
            if (lines[i] ~ /^Types:/) types = " " value " "
            if (lines[i] ~ /^URIs:/) uris = value
            if (lines[i] ~ /^Suites:/) suites = " " value " "
            if (lines[i] ~ /^Enabled:/) enabled = value
          }
          if (enabled != "no" && types ~ / deb / && suites ~ (" " codename " ")) {
            split(uris, first, " "); print first[1]
          }
        }' "$file"
    done
    shopt -u nullglob
  }
  archive=${VESTORA_DEBIAN_ARCHIVE:-$(debian_archive | head -n 1)}
  [ -n "$stub" ] || [ -n "$archive" ] ||
    fail "no Debian archive in this machine's apt sources (/etc/apt/sources.list*)"
  archive=${archive%/}

  # Whether the archive answers for the suite (wget comes with debootstrap).
  archive_answers() {
    [ -z "$stub" ] || return 0
    wget -q -T 20 -t 1 -O /dev/null "$archive/dists/$1/InRelease"
  }

  version=$(dpkg-deb --field "$deb" Version)
  # The package's directories, for the check that a purge leaves nothing.
  dpkg-deb --contents "$deb" | awk '$1 ~ /^d/ { sub(/^\./, "", $6); sub(/\/$/, "", $6); if ($6 != "") print $6 }' \
    >"$work/package-dirs"
  # Every character the program shows, as the hexadecimal code points of a fontconfig charset.
  python3 -c 'import sys; print(" ".join(sorted({f"{ord(c):x}" for c in open(sys.argv[1], encoding="utf-8").read()} - {"a"})))' \
    "$VESTORA_ROOT/assets/fonts/characters.txt" >"$work/characters"

  # The X display that the programs in the roots show their windows on, private to the namespace:
  # its sockets in a folder of the namespace's own, no lock file in /tmp (-nolock, as root).
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
  mount -t tmpfs -o mode=1777,size=1m tmpfs /tmp/.X11-unix
  mkfifo -m 600 "$work/xvfb.fifo"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset -nolock \
    3>"$work/xvfb.fifo" >"$work/xvfb.log" 2>&1 &
  number=""
  read -r -t 60 number <"$work/xvfb.fifo" || true
  [ -n "$number" ] || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start (package xvfb)"; }
  display=:$number
  step display

  # Stands in for debootstrap in the test: a root of a few folders, with debootstrap's mounts.
  # shellcheck disable=SC2317 # called through an array
  stub_debootstrap() {
    local dir=$2
    mkdir -p "$dir"/{etc/apt/apt.conf.d,proc,sys,tmp,var/cache/apt/archives}
    echo 12.0 >"$dir/etc/debian_version"
    mount -t proc proc "$dir/proc"
    mount -t sysfs sysfs "$dir/sys"
    step debootstrap
    umount "$dir/sys" "$dir/proc"
  }

  # Prints the tar of the bare root of a suite for today, made first when need be (from the
  # packages cached for the suite, downloading only what is new). Older days' tars are removed.
  bare_root() {
    local suite=$1 tar=$roots/$1-$today.tar cache=$roots/packages/$1 dir=$run/make-$1
    if [ -f "$tar" ]; then
      echo "$tar"
      return 0
    fi
    archive_answers "$suite" ||
      fail "the Debian archive $archive cannot be reached (dists/$suite/InRelease): no bare $suite root to check the package in"
    echo "   making a bare $suite root (debootstrap --variant=minbase, $archive)" >&2
    mkdir -p "$cache"
    local debootstrap=(debootstrap --variant=minbase --keyring="$keyring" --cache-dir="$cache")
    [ -z "$stub" ] || debootstrap=(stub_debootstrap)
    if ! "${debootstrap[@]}" "$suite" "$dir" "$archive" >"$work/debootstrap.log" 2>&1; then
      tail -n 20 "$work/debootstrap.log" >&2
      fail "debootstrap $suite failed"
    fi
    step update
    # apt's lists are read once here, in the cached root, and not on each run. Translations are
    # not needed; the downloaded packages stay for the next day's root (the cache is mounted on
    # /var/cache/apt/archives in each run).
    printf 'Acquire::Languages "none";\nDpkg::Use-Pty "0";\n' >"$dir/etc/apt/apt.conf.d/90vestora-check"
    cp /etc/resolv.conf "$dir/etc/resolv.conf"
    if [ -z "$stub" ] && ! chroot "$dir" apt-get update -q >"$work/update.log" 2>&1; then
      cat "$work/update.log" >&2
      fail "apt-get update in the bare $suite root failed"
    fi
    rm -f "$dir"/var/cache/apt/*.bin
    tar --numeric-owner -cf "$run/$suite.tar" -C "$dir" .
    step tar
    remove_safely "$dir"
    mv "$run/$suite.tar" "$tar"
    find "$roots" -maxdepth 1 -name "$suite-*.tar" ! -name "$(basename "$tar")" -delete
    echo "$tar"
  }

  for suite in "${suites[@]}"; do
    started=$SECONDS
    echo "-- bare Debian $suite"
    bare_root "$suite" >"$work/tar"
    tar=$(cat "$work/tar")
    copy=$run/root-$suite
    mkdir "$copy"
    tar --numeric-owner -xf "$tar" -C "$copy"
    cp "$deb" "$copy/tmp/"
    chmod 644 "$copy/tmp/$(basename "$deb")"
    cp /etc/resolv.conf "$copy/etc/resolv.conf"
    step copy
    recommends=no
    [ "$suite" != "${suites[-1]}" ] || recommends=yes
    # A process namespace of the root's own, so that whatever the root started ends with it.
    status=0
    unshare --pid --fork --kill-child -- \
      "$VESTORA_ROOT/tests/package/in-deb-root.sh" "$copy" "$(basename "$deb")" "$version" \
      "$display" "$roots/packages/$suite" "$work/package-dirs" "$work/characters" \
      "$recommends" || status=$?
    remove_safely "$copy"
    if [ "$status" -ne 0 ]; then
      archive_answers "$suite" ||
        fail "the Debian archive $archive cannot be reached (dists/$suite/InRelease): the package's dependencies could not be installed in bare $suite"
      fail "the package in bare Debian $suite"
    fi
    echo "   bare Debian $suite: $((SECONDS - started)) s"
  done
  exit 0
fi

# --- The run ----------------------------------------------------------------------------------
[ -n "$stub" ] || vestora_install_packages debootstrap

# What this machine has of the package, before and after: the check must not change it.
host_vestora() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Version}' vestora 2>/dev/null || echo none
}
host_before=$(host_vestora)

run=""
unshare_pid=""
cleanup() {
  local status=$?
  trap - EXIT
  [ -z "$pause_pid" ] || kill -KILL "$pause_pid" 2>/dev/null || true
  # unshare blocks SIGTERM and SIGINT while it waits for its child: only SIGKILL ends it, and its
  # child with it (--kill-child), and with that every process and mount of the namespace.
  # The run's folder is removed once the namespace's first process, and with it every other, has
  # ended: none of them writes there any more.
  if [ -n "$unshare_pid" ]; then
    local inner pid deadline
    inner=$(cat "/proc/$unshare_pid/task/$unshare_pid/children" 2>/dev/null || true)
    kill -KILL "$unshare_pid" 2>/dev/null || true
    wait "$unshare_pid" 2>/dev/null || true
    deadline=$((SECONDS + 2))
    for pid in $inner; do
      while [ -e "/proc/$pid" ] && [ "$(awk '{ print $3 }' "/proc/$pid/stat" 2>/dev/null)" != Z ] &&
        [ "$SECONDS" -le "$deadline" ]; do
        sleep 0.05
      done
    done
  fi
  if [ -n "$run" ]; then
    if [ "$signalled" = yes ]; then
      # A root's copy takes seconds to remove: after a signal the run ends at once and leaves that
      # to a process of its own, which holds the lock until it is done, so that the next run waits
      # for it (or, should it be killed too, removes what is left).
      (remove_safely "$run" || true) </dev/null >/dev/null 2>&1 &
    else
      remove_safely "$run" || status=1
    fi
  fi
  exit "$status"
}
signalled=""
trap cleanup EXIT
trap 'signalled=yes; exit 130' INT TERM HUP

# One run at a time: the runs share the cached roots and packages. Waited for in steps, so that a
# signal is not held up.
exec 9>>"$roots/check.lock"
deadline=$((SECONDS + 900))
until flock -n 9; do
  [ "$SECONDS" -lt "$deadline" ] || fail "another check holds $roots/check.lock"
  sleep 0.2
done
step locked

# What a killed run left: its folder (and, from before runs had one, the folders and locks they
# made beside the cache).
shopt -s nullglob
for left in "$roots"/run.?????? "$roots"/make-*.?????? "$roots"/run-*.?????? "$roots"/*.tar.part \
  "$roots"/*.lock; do
  [ "$left" != "$roots/check.lock" ] || continue
  echo "   removing $(basename "$left"), left by a run that was killed"
  remove_safely "$left" || fail "$left cannot be removed safely"
done
shopt -u nullglob

run=$(mktemp -d "$roots/run.XXXXXX")
mkdir "$run/work"
cp "$deb" "$run/work/"
step run-folder

status=0
setpriv --pdeathsig KILL -- \
  unshare --mount --propagation private --pid --fork --kill-child -- \
  "$0" --inside "$run" "$run/work/$(basename "$deb")" "${suites[@]}" &
unshare_pid=$!
wait "$unshare_pid" || status=$?
unshare_pid=""
[ "$status" -eq 0 ] || exit "$status"
step finished
remove_safely "$run"
run=""

[ "$(host_vestora)" = "$host_before" ] ||
  fail "this machine's vestora package changed: $host_before, now $(host_vestora)"
echo "PASS: the package in bare ${suites[*]}"
