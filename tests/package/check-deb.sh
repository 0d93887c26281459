#!/usr/bin/env bash
# Checks the Debian package as a file, as a user or an archive meets it: its control fields, its
# files (the desktop entry, metainfo, manual page, changelog and copyright), lintian, and the
# hardening of its program, read from the package without installing it. Installing, starting and
# purging it is tests/package/check-deb-roots.sh's part, in bare Debian roots.
#
#   tests/package/check-deb.sh <package.deb>
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

deb=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT

step() {
  echo "-- $*"
}

version=$(vestora_version)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "vestora_${version}_${arch}.deb" ] || fail "the package is named $(basename "$deb")"

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
# small WenQuanYi Micro Hei first (see packaging/package.cmake). That the font apt installs for it
# covers the program's characters is checked where it is installed (check-deb-roots.sh).
echo "   Recommends: $(field Recommends)"
font_package=$(field Recommends | tr ',' '\n' | grep -E '(^| )fonts-' | head -n 1 | sed 's/^ *//; s/[ |].*//')
[ "$font_package" = fonts-wqy-microhei ] ||
  fail "Recommends does not name fonts-wqy-microhei first: $(field Recommends)"

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

step "lintian"
lintian_options=(--fail-on error --info)
[ "$(id -u)" -eq 0 ] && lintian_options+=(--allow-root)
lintian "${lintian_options[@]}" "$deb" | sed 's/^/   /' || fail "lintian reports errors"

step "hardening of usr/bin/vestora"
# Debian's hardening flags (scripts/package) as the binary shows them, read with readelf: a
# position-independent executable, read-only relocations bound at start (full RELRO), a stack
# that is not executable, the stack protector and fortified C library calls.
program=$root/usr/bin/vestora
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
echo "PASS"
