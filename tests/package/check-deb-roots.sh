#!/usr/bin/env bash
# Checks the Debian package where users install it: in throwaway roots of a bare Debian 12
# (bookworm) and a bare Debian 13 (trixie), made by `debootstrap --variant=minbase` from the Debian
# archive that this machine's own apt sources name. The machine that runs the tests holds Qt,
# fonts and every build tool, so a dependency the package forgets would not show here. In each
# root (tests/package/in-deb-root.sh): apt installs the package without recommends, the installed
# program shows its window on a private X display of this machine, its command line is checked
# without a display, and a purge leaves none of its paths. In the last root the package is then
# installed with recommends, and the fonts there must cover every character the program shows.
#
#   tests/package/check-deb-roots.sh <package.deb> [suite...]    (default: bookworm trixie)
#
# Needs root (runs itself again through sudo) and, unless today's roots and packages are cached
# already, the archive; where the archive cannot be reached it says so in one line and fails.
# Nothing is installed on this machine but debootstrap (scripts/lib.sh); its own vestora package,
# if it has one, is left as it is. The bare roots are cached in build-roots/ (VESTORA_ROOTS_DIR;
# not in build-package/, which ./scripts/package starts afresh for each commit), one tar per suite
# and day, with the archive's packages kept per suite beside them, so that a second run downloads
# nothing; each run unpacks a copy and removes it. The mounts a root needs live in a private mount
# namespace that ends with the run, and are unmounted on the way out too.
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

[ $# -ge 1 ] || { echo "usage: $0 <package.deb> [suite...]" >&2; exit 2; }
deb=$(realpath "$1")
shift
suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(bookworm trixie)
[ -f "$deb" ] || fail "no package $deb"

if [ "$(id -u)" -ne 0 ]; then
  exec sudo env VESTORA_ROOTS_DIR="${VESTORA_ROOTS_DIR:-}" \
    VESTORA_DEBIAN_ARCHIVE="${VESTORA_DEBIAN_ARCHIVE:-}" "$0" "$deb" "${suites[@]}"
fi
vestora_install_packages debootstrap

roots=${VESTORA_ROOTS_DIR:-$VESTORA_ROOT/build-roots}
mkdir -p "$roots"
roots=$(cd "$roots" && pwd)
today=$(date -u +%Y%m%d)
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

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
[ -n "$archive" ] || fail "no Debian archive in this machine's apt sources (/etc/apt/sources.list*)"
archive=${archive%/}

# Whether the archive answers for the suite (wget comes with debootstrap).
archive_answers() {
  wget -q -T 20 -t 1 -O /dev/null "$archive/dists/$1/InRelease"
}

# What this machine has of the package, before and after: the check must not change it.
host_vestora() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Version}' vestora 2>/dev/null || echo none
}
host_before=$(host_vestora)

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-deb-roots.XXXXXX")
run=""
unshare_pid=""
vestora_xvfb_pid=""

# Removes a run's copy of a root, but only once nothing is mounted under it: rm -rf through a live
# bind mount would delete the mounted folder's files (the X sockets, the package cache).
remove_run() {
  local dir=$1 mounts
  mounts=$(findmnt -rn -o TARGET | grep -F "$dir/" | sort -r || true)
  if [ -n "$mounts" ]; then
    echo "$mounts" | while read -r mount; do umount -l "$mount" || true; done
    if findmnt -rn -o TARGET | grep -qF "$dir/"; then
      echo "still mounted under $dir: not removed" >&2
      return 1
    fi
  fi
  # The processes of a namespace just killed may still be ending: a second try then.
  rm -rf --one-file-system "$dir" 2>/dev/null || { sleep 1; rm -rf --one-file-system "$dir"; }
}

cleanup() {
  local status=$?
  trap - EXIT
  # unshare blocks SIGTERM and SIGINT while it waits for its child: only SIGKILL ends it.
  if [ -n "$unshare_pid" ]; then
    kill -KILL "$unshare_pid" 2>/dev/null || true
    wait "$unshare_pid" 2>/dev/null || true
  fi
  [ -z "$run" ] || remove_run "$run" || status=1
  [ -z "$vestora_xvfb_pid" ] || kill "$vestora_xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

version=$(dpkg-deb --field "$deb" Version)
# The package's directories, for the check that a purge leaves nothing.
dpkg-deb --contents "$deb" | awk '$1 ~ /^d/ { sub(/^\./, "", $6); sub(/\/$/, "", $6); if ($6 != "") print $6 }' \
  >"$work/package-dirs"
# Every character the program shows, as the hexadecimal code points of a fontconfig charset.
python3 -c 'import sys; print(" ".join(sorted({f"{ord(c):x}" for c in open(sys.argv[1], encoding="utf-8").read()} - {"a"})))' \
  "$VESTORA_ROOT/assets/fonts/characters.txt" >"$work/characters"

# Prints the tar of the bare root of a suite for today, made first when need be (from the
# packages cached for the suite, downloading only what is new). Older days' tars are removed.
bare_root() {
  local suite=$1 tar=$roots/$1-$today.tar cache=$roots/packages/$1
  if [ -f "$tar" ]; then
    echo "$tar"
    return 0
  fi
  archive_answers "$suite" ||
    fail "the Debian archive $archive cannot be reached (dists/$suite/InRelease): no bare $suite root to check the package in"
  echo "   making a bare $suite root (debootstrap --variant=minbase, $archive)" >&2
  mkdir -p "$cache"
  local dir
  dir=$(mktemp -d "$roots/make-$suite.XXXXXX")
  if ! debootstrap --variant=minbase --keyring="$keyring" --cache-dir="$cache" "$suite" "$dir" \
    "$archive" >"$work/debootstrap.log" 2>&1; then
    tail -n 20 "$work/debootstrap.log" >&2
    remove_run "$dir" || true
    fail "debootstrap $suite failed"
  fi
  # apt's lists are read once here, in the cached root, and not on each run. Translations are
  # not needed; the downloaded packages stay for the next day's root (the cache is mounted on
  # /var/cache/apt/archives in each run).
  printf 'Acquire::Languages "none";\nDpkg::Use-Pty "0";\n' >"$dir/etc/apt/apt.conf.d/90vestora-check"
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
  if ! chroot "$dir" apt-get update -q >"$work/update.log" 2>&1; then
    cat "$work/update.log" >&2
    remove_run "$dir" || true
    fail "apt-get update in the bare $suite root failed"
  fi
  rm -f "$dir"/var/cache/apt/*.bin
  tar --numeric-owner -cf "$tar.part" -C "$dir" .
  remove_run "$dir"
  mv "$tar.part" "$tar"
  find "$roots" -maxdepth 1 -name "$suite-*.tar" ! -name "$(basename "$tar")" -delete
  echo "$tar"
}

# The X display the programs in the roots show their windows on; the roots see its socket.
vestora_start_xvfb 1280x800x24 "$work/xvfb.log"

for suite in "${suites[@]}"; do
  started=$SECONDS
  echo "-- bare Debian $suite"
  # One run of a suite at a time: the runs share the suite's package cache.
  exec 8>"$roots/$suite.lock"
  flock -w 900 8 || fail "another check holds $roots/$suite.lock"
  tar=$(bare_root "$suite")
  run=$(mktemp -d "$roots/run-$suite.XXXXXX")
  mkdir "$run/root"
  tar --numeric-owner -xf "$tar" -C "$run/root"
  cp "$deb" "$run/root/tmp/"
  chmod 644 "$run/root/tmp/$(basename "$deb")"
  cp /etc/resolv.conf "$run/root/etc/resolv.conf"
  recommends=no
  [ "$suite" != "${suites[-1]}" ] || recommends=yes
  # A private mount namespace, whose mounts no other process sees and which ends with the run,
  # and a private process namespace, so that whatever the root started ends with it too.
  # Started in the background and waited for, so that a signal to this script ends the run at
  # once: unshare then dies, its child is killed (--kill-child), and with it every process of the
  # namespace and the namespace's mounts.
  unshare --mount --propagation private --pid --fork --kill-child -- \
    "$VESTORA_ROOT/tests/package/in-deb-root.sh" "$run/root" "$(basename "$deb")" "$version" \
    "$vestora_display" "$roots/packages/$suite" "$work/package-dirs" "$work/characters" \
    "$recommends" &
  unshare_pid=$!
  status=0
  wait "$unshare_pid" || status=$?
  unshare_pid=""
  remove_run "$run"
  run=""
  exec 8>&-
  if [ "$status" -ne 0 ]; then
    archive_answers "$suite" ||
      fail "the Debian archive $archive cannot be reached (dists/$suite/InRelease): the package's dependencies could not be installed in bare $suite"
    fail "the package in bare Debian $suite"
  fi
  echo "   bare Debian $suite: $((SECONDS - started)) s"
done

[ "$(host_vestora)" = "$host_before" ] ||
  fail "this machine's vestora package changed: $host_before, now $(host_vestora)"
echo "PASS: the package in bare ${suites[*]}"
