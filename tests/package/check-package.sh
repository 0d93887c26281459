#!/usr/bin/env bash
# Makes the packages with ./scripts/package and checks them as a user meets them: the Debian
# package's fields and files, lintian, then an install on this machine, a start of the installed
# program on a private Xvfb until its window shows, its command line and its hardening, and a
# removal that leaves nothing behind. The Windows download and the checksums are checked too, when
# they were made.
#
# Installing needs root (or sudo). A vestora package already installed, from an earlier run, is
# purged first; whatever this check installs is purged at its end, passing or failing.
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
dist=$VESTORA_ROOT/dist

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-package.XXXXXX")
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
installed=""
xvfb_pid=""
program_pid=""

cleanup() {
  local status=$?
  trap - EXIT
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  if [ -n "$installed" ]; then
    $sudo dpkg --purge vestora >/dev/null 2>&1 || echo "could not purge vestora" >&2
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step() {
  echo "-- $*"
}

# The version as the top-level CMakeLists.txt declares it, read here independently of CMake.
version=$(sed -n 's/^project(Vestora VERSION \([0-9][0-9.]*\).*/\1/p' "$VESTORA_ROOT/CMakeLists.txt")
[ -n "$version" ] || fail "no version in project() of CMakeLists.txt"
arch=$(dpkg --print-architecture)
deb=$dist/vestora_${version}_${arch}.deb

step "make the packages (./scripts/package)"
if ! "$VESTORA_ROOT/scripts/package" >"$work/package.log" 2>&1; then
  cat "$work/package.log" >&2
  fail "./scripts/package failed"
fi
[ -f "$deb" ] || fail "no $deb; made: $(ls "$dist")"

# --- The Debian package's fields and files ------------------------------------------------

step "control fields of $(basename "$deb")"
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read $deb"
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vestora ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Section)" ] || fail "no Section"
field Maintainer | grep -Eq '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$' || fail "Maintainer: $(field Maintainer)"
# A synopsis and an extended description below it.
[ "$(field Description | grep -c .)" -ge 2 ] || fail "Description without a long description"
echo "   Depends: $(field Depends)"
# Each name without its version; the libraries can only have come from dpkg-shlibdeps.
field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' >"$work/depends"
for package in xdg-utils libc6 libqt6core6 libqt6gui6 libqt6widgets6; do
  grep -qx "$package" "$work/depends" || fail "Depends lacks $package: $(field Depends)"
done
# The desktop draws the window titles with the system's fonts: a CJK font is recommended, the
# small WenQuanYi Micro Hei first (see packaging/package.cmake).
echo "   Recommends: $(field Recommends)"
font_package=$(field Recommends | tr ',' '\n' | grep -E '(^| )fonts-' | head -n 1 | sed 's/^ *//; s/[ |].*//')
[ "$font_package" = fonts-wqy-microhei ] ||
  fail "Recommends does not name fonts-wqy-microhei first: $(field Recommends)"

step "$font_package has every character the program shows (assets/fonts/characters.txt)"
# The package as the archive has it, unpacked here rather than installed. apt's lists may be
# missing on a fresh machine: read them once then.
if ! (cd "$work" && apt-get download -q "$font_package" >"$work/download.log" 2>&1); then
  $sudo apt-get update -qq >/dev/null 2>&1 || true
  (cd "$work" && apt-get download -q "$font_package" >"$work/download.log" 2>&1) ||
    { cat "$work/download.log" >&2; fail "apt-get download $font_package"; }
fi
dpkg-deb -x "$work/${font_package}"_*.deb "$work/font"
fonts=()
while IFS= read -r -d '' font; do fonts+=("$font"); done < <(find "$work/font" -type f \( -name '*.ttf' -o -name '*.ttc' -o -name '*.otf' \) -print0)
[ ${#fonts[@]} -gt 0 ] || fail "$font_package holds no font file"
# Each face's characters as fontconfig reads them ("20-7e a0-17f ..."); a character counts when
# one face of the package has it.
for font in "${fonts[@]}"; do
  count=$(fc-query -f '%{index}\n' "$font" | wc -l)
  for ((face = 0; face < count; face++)); do fc-query -i "$face" -f '%{charset}\n' "$font"; done
done >"$work/charset"
python3 - "$work/charset" "$VESTORA_ROOT/assets/fonts/characters.txt" <<'PYTHON' ||
import sys
have = set()
for line in open(sys.argv[1]):
    for span in line.split():
        first, _, last = span.partition("-")
        have.update(range(int(first, 16), int(last or first, 16) + 1))
needed = set(open(sys.argv[2], encoding="utf-8").read()) - {"\n"}
missing = "".join(sorted(c for c in needed if ord(c) not in have))
if missing:
    print(f"   lacks {len(missing)} of {len(needed)} characters: {missing}")
    sys.exit(1)
print(f"   has all {len(needed)} characters")
PYTHON
  fail "$font_package does not cover the program's characters"

step "files of the package"
sizes="16 24 32 48 64 128 256"
{
  echo ./usr/bin/vestora
  echo ./usr/share/applications/org.vestora.Vestora.desktop
  echo ./usr/share/doc/vestora/changelog.gz
  echo ./usr/share/doc/vestora/copyright
  for size in $sizes; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/vestora.png"; done
  echo ./usr/share/man/man1/vestora.1.gz
  echo ./usr/share/metainfo/org.vestora.Vestora.metainfo.xml
} | sort >"$work/expected"
dpkg-deb --contents "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
diff "$work/expected" "$work/files" >&2 || fail "the package's files differ (< expected, > packaged)"

root=$work/root
dpkg-deb -x "$deb" "$root"
file -b "$root/usr/bin/vestora" | grep -q '^ELF 64-bit.*, stripped$' ||
  fail "usr/bin/vestora: $(file -b "$root/usr/bin/vestora")"

# The desktop entry, the metainfo's launchable and its id name the same component; the
# metainfo's newest release is this version.
desktop=$root/usr/share/applications/org.vestora.Vestora.desktop
metainfo=$root/usr/share/metainfo/org.vestora.Vestora.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$metainfo" >"$work/appstream" 2>&1 ||
  { cat "$work/appstream" >&2; fail "appstreamcli validate"; }
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$id.desktop" ] && [ "$(basename "$desktop")" = "$launchable" ] ||
  fail "id $id, launchable $launchable, desktop entry $(basename "$desktop")"
release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "the metainfo's newest release is $release, not $version"

# Compressed with gzip -n: no file name (flags 0) and no time stamp in the header. The
# changelog's newest entry is this version.
for gz in usr/share/doc/vestora/changelog.gz usr/share/man/man1/vestora.1.gz; do
  [ "$(od -An -tx1 -j3 -N5 "$root/$gz" | tr -d ' \n')" = 0000000000 ] ||
    fail "$gz carries a name or a time (not gzip -n)"
done
zcat "$root/usr/share/doc/vestora/changelog.gz" | head -n 1 | grep -q "^vestora ($version) " ||
  fail "changelog starts: $(zcat "$root/usr/share/doc/vestora/changelog.gz" | head -n 1)"

# Machine-readable copyright: the format line; every license named by a Files paragraph has its
# text, there or in a License paragraph of its own; every font built into the program is covered.
copyright=$root/usr/share/doc/vestora/copyright
head -n 1 "$copyright" | grep -Eq '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/?$' ||
  fail "copyright: no machine-readable Format line"
awk -v RS= -F'\n' '
  {
    name = ""; text = 0; files = 0
    for (i = 1; i <= NF; i++) {
      if ($i ~ /^Files:/) files = 1
      if ($i ~ /^License:/) { name = $i; sub(/^License: */, "", name); text = ($(i + 1) ~ /^ /) }
    }
    if (files && name == "") { print "a Files paragraph without License"; bad = 1 }
    if (files) used[name] = used[name] || text
    else if (name != "" && text) given[name] = 1
  }
  END {
    for (n in used) if (!used[n] && !(n in given)) { print "no text for License " n; bad = 1 }
    exit bad
  }' "$copyright" >&2 || fail "copyright paragraphs"
grep -qx 'Files: \*' "$copyright" || fail "copyright: no Files: * paragraph"
# Vestora's own files are under the MIT licence, which Debian calls Expat; the text is the one of
# LICENSE.
awk -v RS= '/^Files: \*\n/' "$copyright" | grep -qx 'License: Expat' ||
  fail "copyright: the Files: * paragraph is not License: Expat"
awk -v RS= '/^License: Expat\n/' "$copyright" | sed -e '1d' -e 's/^ //' -e 's/^\.$//' >"$work/expat"
sed -n '/^Permission is hereby granted/,/^SOFTWARE\.$/p' "$VESTORA_ROOT/LICENSE" | tr -s ' \n' ' ' >"$work/licence"
[ -s "$work/licence" ] && [ "$(tr -s ' \n' ' ' <"$work/expat")" = "$(cat "$work/licence")" ] ||
  fail "copyright: the Expat text differs from the MIT licence in LICENSE"
grep -q '<project_license>MIT</project_license>' "$metainfo" ||
  fail "the metainfo's project_license is not MIT"
for font in "$VESTORA_ROOT"/assets/fonts/*.ttf; do
  grep -Eq "^Files:.* assets/fonts/$(basename "$font")( |$)" "$copyright" ||
    fail "copyright does not cover assets/fonts/$(basename "$font")"
done

# --- lintian --------------------------------------------------------------------------------

step "lintian"
lintian_options=(--fail-on error --info)
[ "$(id -u)" -eq 0 ] && lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$deb" | sed 's/^/   /' || fail "lintian reports errors"

# --- Install, start, remove -----------------------------------------------------------------

# One check at a time on this machine: they install and remove the same package.
# Opened for reading, so a lock file that another user made serves as well.
lock=/tmp/vestora-package-check.lock
[ -e "$lock" ] || : >"$lock"
exec 9<"$lock"
flock -w 600 9 || fail "another package check holds $lock"

# dpkg's state in two letters: wanted and actual; an actual "n" is not installed.
dpkg_state() {
  dpkg-query -W -f='${db:Status-Abbrev}' vestora 2>/dev/null | cut -c1-2 || true
}
if [[ "$(dpkg_state)" == ?[^n] ]]; then
  step "vestora $(dpkg-query -W -f='${Version}' vestora) is on this machine already; purging it"
  $sudo dpkg --purge vestora >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "purge"; }
fi

# The package's directories that exist already are the system's or other packages'.
awk '$1 ~ /^d/ { sub(/^\./, "", $6); sub(/\/$/, "", $6); print $6 }' "$work/contents" |
  while read -r dir; do [ -d "$dir" ] && echo "$dir"; done >"$work/dirs-before"

step "install"
installed=yes
if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o DPkg::Lock::Timeout=300 "$deb" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "apt-get install $deb"
fi
[ "$(dpkg-query -W -f='${Status} ${Version}' vestora)" = "install ok installed $version" ] ||
  fail "vestora is not installed: $(dpkg-query -W -f='${Status} ${Version}' vestora)"
dpkg -L vestora | grep -vx '/\.' >"$work/owned"
while read -r path; do
  if [ -d "$path" ] && [ ! -L "$path" ]; then echo "$path"; fi
done <"$work/owned" >"$work/owned-dirs"

step "hardening of the installed /usr/bin/vestora"
# Debian's hardening flags (scripts/package) as the binary shows them, read with readelf: a
# position-independent executable, read-only relocations bound at start (full RELRO), a stack
# that is not executable, the stack protector and fortified C library calls.
program=/usr/bin/vestora
readelf -h "$program" | grep -Eq '^ *Type: *DYN ' || fail "$program is not position-independent"
readelf -d "$program" >"$work/dynamic"
grep -Eq '\(FLAGS_1\).*\bPIE\b' "$work/dynamic" || fail "$program is not marked PIE"
grep -Eq '\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b|\(BIND_NOW\)' "$work/dynamic" ||
  fail "$program does not bind at start (no BIND_NOW)"
readelf -lW "$program" >"$work/segments"
grep -q '^ *GNU_RELRO ' "$work/segments" || fail "$program has no read-only relocations"
grep -E '^ *GNU_STACK ' "$work/segments" | grep -Eq ' RW +0x' || fail "$program's stack is executable"
readelf --dyn-syms -W "$program" >"$work/symbols"
grep -q ' __stack_chk_fail' "$work/symbols" || fail "$program has no stack protector"
grep -Eq ' __[a-z0-9_]+_chk(@|$)' "$work/symbols" || fail "$program calls no fortified function"
echo "   readelf: PIE, full RELRO (BIND_NOW), non-executable stack, stack protector, fortified calls"
# devscripts' own report, where installed (scripts/lib.sh installs it): every check must pass but
# control-flow protection (-fcf-protection), which Debian 12's dpkg-buildflags does not turn on.
if command -v hardening-check >/dev/null 2>&1; then
  hardening-check "$program" >"$work/hardening" 2>&1 || true
  sed 's/^/   /' "$work/hardening"
  hardening-check --nocfprotection "$program" >/dev/null 2>&1 ||
    fail "hardening-check reports a missing protection"
fi

step "the installed /usr/bin/vestora's command line, without a display"
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vestora --version 2>&1) ||
  fail "vestora --version failed: $answer"
[ "$answer" = "vestora $version" ] || fail "vestora --version printed '$answer'"
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vestora --help | grep -q '^Usage: vestora ' ||
  fail "vestora --help prints no usage"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vestora --bogus >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
  fail "vestora --bogus: exit status $status, $(cat "$work/err")"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/vestora >/dev/null 2>"$work/err" ||
  status=$?
[ "$status" -eq 1 ] && [ "$(cat "$work/err")" = "vestora: cannot open a display: DISPLAY is not set" ] ||
  fail "vestora without a display: exit status $status, $(cat "$work/err")"
echo "   --version: $answer; --help; --bogus: status 2; no display: status 1, one line"

step "start /usr/bin/vestora on a private Xvfb"
number_file=$work/display
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
[ -s "$number_file" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=":$(head -n 1 "$number_file")"
mkdir -m 700 "$work/runtime"
DISPLAY=$display XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb /usr/bin/vestora \
  >"$work/vestora.log" 2>&1 &
program_pid=$!
deadline=$((SECONDS + 30))
until DISPLAY=$display xdotool search --onlyvisible --name '^Vestora$' >/dev/null 2>&1; do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$work/vestora.log" >&2
    fail "the installed vestora ended before its window showed"
  fi
  [ "$SECONDS" -lt "$deadline" ] || fail "the installed vestora's window did not show"
  sleep 0.1
done
echo "   its window shows"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""

step "remove and purge"
$sudo dpkg --remove vestora >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg --remove"; }
$sudo dpkg --purge vestora >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; fail "dpkg --purge"; }
installed=""
[[ "$(dpkg_state)" != ?[^n] ]] || fail "vestora is still installed: $(dpkg_state)"
left=0
while read -r path; do
  if grep -qxF "$path" "$work/owned-dirs"; then
    # A directory stays only when it was there before.
    grep -qxF "$path" "$work/dirs-before" && continue
    [ -e "$path" ] || continue
  else
    [ -e "$path" ] || [ -L "$path" ] || continue
  fi
  echo "left behind: $path" >&2
  left=1
done <"$work/owned"
[ "$left" -eq 0 ] || fail "files of the package remain after the purge"
echo "   nothing of its $(wc -l <"$work/owned") paths is left"

# --- The Windows download and the checksums -------------------------------------------------

zip=$dist/vestora-$version-win32.zip
if [ -f "$VESTORA_ROOT/build-win32/vestora.exe" ]; then
  step "the Windows download $(basename "$zip")"
  [ -f "$zip" ] || fail "build-win32/vestora.exe exists, but no $zip was made"
  printf '%s\n' LICENSE-VestoraKai.txt LICENSE-VestoraSans.txt LICENSE.txt vestora.exe 说明.txt |
    sort >"$work/expected"
  unzip -Z1 "$zip" | sort >"$work/files"
  diff "$work/expected" "$work/files" >&2 || fail "the zip's files differ (< expected, > zipped)"
  # Windows reads a name as UTF-8 only when the entry says so (general purpose flag bit 11).
  zip_flags() {
    local size eocd count offset i name_len extra_len comment_len
    u16() { od -An -tu2 -j "$1" -N2 --endian=little "$zip" | tr -d ' '; }
    u32() { od -An -tu4 -j "$1" -N4 --endian=little "$zip" | tr -d ' '; }
    size=$(stat -c %s "$zip")
    eocd=$((size - 22))
    [ "$(u32 "$eocd")" = 101010256 ] || fail "the zip's directory end is not where expected"
    count=$(u16 $((eocd + 10)))
    offset=$(u32 $((eocd + 16)))
    for ((i = 0; i < count; i++)); do
      [ "$(u32 "$offset")" = 33639248 ] || fail "no central directory entry at $offset"
      name_len=$(u16 $((offset + 28)))
      extra_len=$(u16 $((offset + 30)))
      comment_len=$(u16 $((offset + 32)))
      echo "$(($(u16 $((offset + 8))) & 0x800)) $(dd if="$zip" bs=1 skip=$((offset + 46)) \
        count="$name_len" status=none)"
      offset=$((offset + 46 + name_len + extra_len + comment_len))
    done
  }
  zip_flags >"$work/flags"
  grep -qx '2048 说明.txt' "$work/flags" || fail "说明.txt is not marked UTF-8: $(cat "$work/flags")"
  unzip -q "$zip" -d "$work/win32"
  cmp -s "$work/win32/vestora.exe" "$VESTORA_ROOT/build-win32/vestora.exe" ||
    fail "the zip's vestora.exe is not build-win32/vestora.exe"
  for text in "$work"/win32/*.txt; do
    [ "$(head -c 3 "$text" | od -An -tx1 | tr -d ' \n')" = efbbbf ] ||
      fail "$(basename "$text") has no UTF-8 byte order mark"
    # Every line ends in CR LF, the last one too.
    [ "$(tail -c 2 "$text" | od -An -tx1 | tr -d ' \n')" = 0d0a ] &&
      ! grep -q $'[^\r]$\|^$' "$text" || fail "$(basename "$text") has a line not ending in CR LF"
    iconv -f UTF-8 -t UTF-8 "$text" >/dev/null || fail "$(basename "$text") is not UTF-8"
  done
  grep -q 'vestora\.exe' "$work/win32/说明.txt" && grep -q "$version" "$work/win32/说明.txt" ||
    fail "说明.txt names neither vestora.exe nor the version"
  grep -q 'LICENSE\.txt' "$work/win32/说明.txt" || fail "说明.txt does not point at LICENSE.txt"
  # LICENSE.txt is LICENSE in Windows' form: the same text once the mark and the CRs are gone.
  tail -c +4 "$work/win32/LICENSE.txt" | tr -d '\r' | cmp -s - "$VESTORA_ROOT/LICENSE" ||
    fail "the zip's LICENSE.txt is not LICENSE"
  # Reproducible entries: the last commit's time (2-second steps, UTC) and fixed attributes.
  epoch=$(cd "$VESTORA_ROOT" && source scripts/lib.sh &&
    VESTORA_ROOT=$PWD vestora_source_date_epoch && echo "$SOURCE_DATE_EPOCH")
  stamp=$(date -u -d "@$((epoch / 2 * 2))" +%Y%m%d.%H%M%S)
  unzip -Z -T -l "$zip" | awk '/^[-d]r/ { print $1, $8, $9 }' >"$work/entries"
  [ "$(wc -l <"$work/entries")" -eq "$(wc -l <"$work/expected")" ] || fail "unzip lists: $(cat "$work/entries")"
  if grep -v -e "^-rw-r--r-- $stamp " -e "^-rwxr-xr-x $stamp vestora\.exe\$" "$work/entries" >&2; then
    fail "zip entries with another time ($stamp) or attributes than expected"
  fi
else
  [ ! -e "$zip" ] || fail "$zip was made without build-win32/vestora.exe"
fi

step "SHA256SUMS"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "a checksum does not match"
find "$dist" -maxdepth 1 -type f -name 'vestora[_-]*' -printf '%f\n' | sort >"$work/expected"
awk '{ sub(/^\*/, "", $2); print $2 }' "$dist/SHA256SUMS" | sort >"$work/files"
diff "$work/expected" "$work/files" >&2 || fail "SHA256SUMS does not list exactly the packages"
find "$dist" -maxdepth 1 -type f -printf '   %10s  %f\n' | sort -k2
echo "PASS"
