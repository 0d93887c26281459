#!/usr/bin/env bash
# One bare Debian root's part of tests/package/check-deb-roots.sh, which runs it as root in its
# private mount namespace and a process namespace of its own (unshare), and removes the root
# afterwards. Mounts what the
# root needs, then in it:
#   - installs the package with apt and without recommends, and prints the Qt it brought;
#   - checks the installed program's command line without a display (vestora(1)): --version,
#     --help, an unknown argument (status 2, one line), no display (status 1, one line);
#   - starts it on this machine's X display (its socket folder mounted into the root) and finds
#     its window there with this machine's xdotool and xwininfo;
#   - purges it, and checks that none of its paths is left;
#   - with <recommends> "yes", installs it again with recommends and checks that one font of the
#     root covers every character the program shows (fc-list with a charset).
#
#   in-deb-root.sh <root> <package file in root's /tmp> <version> <display> <package cache>
#                  <package's directories> <characters, hexadecimal> <recommends: yes|no>
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

root=$1 deb=/tmp/$2 version=$3 display=$4 cache=$5 package_dirs=$6 characters=$7 recommends=$8
# Beside the root, in the run's folder, which check-deb-roots.sh removes even when this script was
# killed.
work=$(mktemp -d "$(dirname "$root")/work.XXXXXX")
mounted=()
program_pid=""

# Unmounts in the reverse order of mounting, on every way out; the namespace's end would drop the
# mounts too, but the root is removed only once they are gone.
cleanup() {
  local status=$? i
  trap - EXIT
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" || umount -l "${mounted[i]}" || status=1
  done
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

mount_in_root() {
  local target=$root$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}
mount_in_root /proc -t proc proc
mount_in_root /dev/shm -t tmpfs -o mode=1777,size=64m tmpfs
mount_in_root /tmp/.X11-unix --bind /tmp/.X11-unix
mkdir -p "$cache/partial"
mount_in_root /var/cache/apt/archives --bind "$cache"

# The test that kills check-deb-roots.sh at each step (VESTORA_DEB_ROOTS_STUB, whose root is a few
# folders) stops here, with the root's mounts made, or goes no further.
if [ -n "${VESTORA_DEB_ROOTS_STUB:-}" ]; then
  if [ "${VESTORA_DEB_ROOTS_PAUSE:-}" = in-root ]; then
    echo "paused at in-root" >&2
    sleep 600
  fi
  exit 0
fi

# Runs a command in the root with a clean environment: no display, unless it is given.
in_root=(chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
  LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive)
in_root() {
  "${in_root[@]}" "$@"
}

apt_install() {
  if ! in_root apt-get install -y -q "$@" "$deb" >"$work/install.log" 2>&1; then
    tail -n 30 "$work/install.log" >&2
    fail "apt-get install $* $deb"
  fi
  [ "$(in_root dpkg-query -W -f='${Status} ${Version}' vestora)" = "install ok installed $version" ] ||
    fail "vestora is not installed: $(in_root dpkg-query -W -f='${Status} ${Version}' vestora)"
}

echo "   $(in_root sh -c '. /etc/os-release && echo "$PRETTY_NAME"'), Debian $(cat "$root/etc/debian_version")"

# The package's directories that the bare root has already.
while read -r dir; do
  if [ -d "$root$dir" ]; then echo "$dir"; fi
done <"$package_dirs" >"$work/dirs-before"

apt_install --no-install-recommends
# The shared package cache keeps only what the archive still has, so it does not grow day by day.
in_root apt-get autoclean -q >/dev/null
echo "   installed without recommends: $(grep -c '^Setting up ' "$work/install.log") packages set up"
echo "   Qt: $(in_root dpkg-query -W -f='${Package} ${Version}\n' | awk '/^libqt6core6/ { print $1, $2 }')"

# --- The command line, without a display ----------------------------------------------------

run_vestora() {
  status=0
  in_root /usr/bin/vestora "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
}
run_vestora --version
[ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "vestora $version" ] ||
  fail "vestora --version: status $status, '$(cat "$work/out" "$work/err")'"
run_vestora --help
[ "$status" -eq 0 ] && head -n 1 "$work/out" | grep -q '^Usage: vestora ' ||
  fail "vestora --help: status $status, '$(cat "$work/out" "$work/err")'"
run_vestora --bogus
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q '^vestora: ' "$work/err" ||
  fail "vestora --bogus: status $status, '$(cat "$work/err")'"
run_vestora
[ "$status" -eq 1 ] && [ "$(cat "$work/err")" = "vestora: cannot open a display: DISPLAY is not set, WAYLAND_DISPLAY is not set" ] ||
  fail "vestora without a display: status $status, '$(cat "$work/err")'"
echo "   command line: --version, --help, --bogus (status 2), no display (status 1, one line)"

# --- Its window on this machine's display ---------------------------------------------------

mkdir -m 700 "$root/tmp/runtime"
# Started without a function between, so that $! is the program's process id.
"${in_root[@]}" DISPLAY="$display" XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=xcb \
  /usr/bin/vestora >"$work/vestora.log" 2>&1 &
program_pid=$!
deadline=$((SECONDS + 60))
until window=$(DISPLAY=$display xdotool search --onlyvisible --name '^Vestora$' 2>/dev/null); do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$work/vestora.log" >&2
    fail "the installed vestora ended before its window showed"
  fi
  [ "$SECONDS" -lt "$deadline" ] || fail "the installed vestora's window did not show within 60 s"
  sleep 0.1
done
window=$(head -n 1 <<<"$window")
# The window belongs to the program started in the root: its process id, as the root sees it.
[ "$(DISPLAY=$display xprop -id "$window" _NET_WM_PID | awk '{ print $3 }')" = "$program_pid" ] ||
  fail "the window 'Vestora' on $display is not the one of the program in the root"
geometry=$(DISPLAY=$display xwininfo -id "$window" | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w "x" h }')
echo "   its window shows on $display, ${geometry}"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""

# --- Purge ----------------------------------------------------------------------------------

in_root dpkg -L vestora | grep -vx '/\.' >"$work/owned"
if ! in_root apt-get purge -y -q vestora >"$work/purge.log" 2>&1; then
  cat "$work/purge.log" >&2
  fail "apt-get purge vestora"
fi
[[ "$(in_root dpkg-query -W -f='${db:Status-Abbrev}' vestora 2>/dev/null || true)" != ?[^n]* ]] ||
  fail "vestora is still installed after the purge"
left=0
while read -r path; do
  if [ -d "$root$path" ] && [ ! -L "$root$path" ]; then
    # A directory may stay when the root had it before, or another package has it.
    grep -qxF "$path" "$work/dirs-before" && continue
    in_root dpkg-query -S "$path" >/dev/null 2>&1 && continue
  elif [ ! -e "$root$path" ] && [ ! -L "$root$path" ]; then
    continue
  fi
  echo "left behind: $path" >&2
  left=1
done <"$work/owned"
[ "$left" -eq 0 ] || fail "paths of the package remain after the purge"
echo "   purged: nothing of its $(wc -l <"$work/owned") paths is left"

[ "$recommends" = yes ] || exit 0

# --- With recommends: the fonts for the window titles ---------------------------------------

# The desktop draws the window titles with the system's fonts, not the program's: the package
# recommends a CJK font for them.
apt_install
fonts=$(in_root dpkg-query -W -f='${Package} ${Status}\n' 'fonts-*' 2>/dev/null |
  awk '/ install ok installed$/ { print $1 }' | tr '\n' ' ')
echo "   installed with recommends; fonts: ${fonts% }"
# fc-list comes with fontconfig, which the root may lack: added for the check.
if [ ! -x "$root/usr/bin/fc-list" ]; then
  in_root apt-get install -y -q --no-install-recommends fontconfig >"$work/fontconfig.log" 2>&1 ||
    { cat "$work/fontconfig.log" >&2; fail "apt-get install fontconfig"; }
fi
covering=$(in_root fc-list ":charset=$(cat "$characters")" family | sort -u)
[ -n "$covering" ] ||
  fail "no font in the root has every character the program shows (assets/fonts/characters.txt)"
echo "   every character the program shows, its window titles' among them, is in: $(paste -sd ';' <<<"$covering")"
