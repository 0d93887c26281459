#!/usr/bin/env bash
# Builds the Windows Installer package of Vestora from packaging/windows/vestora.wxs with Debian's
# wixl (package wixl) and msibuild (package msitools), reproducibly:
#
#   make-msi.sh ARCH VERSION OUTPUT.msi VESTORA.EXE LICENCE.txt...
#
# ARCH is x86 or x64, VERSION the product's version (major.minor[.build]); the licences are the
# texts installed beside the program, named as the WiX source names them. SOURCE_DATE_EPOCH is the
# time of the sources (scripts/lib.sh); scripts/package passes its own.
#
# wixl takes no SOURCE_DATE_EPOCH and makes up what it is not given, so every such value is set:
#   - the ProductCode is a name-based UUID of the version and the architecture: the same release
#     is the same product wherever it is built, and every version a new one (a major upgrade);
#   - the component's code is one of the architecture alone, the same in every version;
#   - wixl runs under faketime, stopped at SOURCE_DATE_EPOCH, for the summary's times, with the
#     inputs copied and touched to that time for the cabinet's file times;
#   - the PackageCode (the summary's revision number) is a name-based UUID of the package's bytes,
#     set by msibuild after the package is made with a fixed one.
# wixl exits 0 after some errors, and even when it could not write its output: anything it says
# on stderr, and a missing or empty output, fail the build.
set -euo pipefail
export LC_ALL=C.UTF-8
umask 022
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

[ $# -ge 4 ] || fail "usage: make-msi.sh ARCH VERSION OUTPUT.msi VESTORA.EXE LICENCE.txt..."
arch=$1 version=$2 output=$3 exe=$4
shift 4
case $arch in
  x86 | x64) ;;
  *) fail "ARCH is x86 or x64, not $arch" ;;
esac
[[ $version =~ ^[0-9]+\.[0-9]+(\.[0-9]+)?$ ]] || fail "VERSION is major.minor[.build], not $version"
[ -s "$exe" ] || fail "no program $exe"
for command in wixl msibuild faketime; do
  command -v "$command" >/dev/null || fail "$command is missing (packages wixl, msitools, faketime)"
done
vestora_source_date_epoch

# The namespace of Vestora's name-based UUIDs (version 5): never to change, or every code derived
# from it changes too.
namespace=51C9D579-3351-4296-80C2-4D538F52E870
name_uuid() {
  python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$namespace" "$1"
}
product_code=$(name_uuid "Vestora $version $arch product")
component_guid=$(name_uuid "Vestora $arch program component")

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-msi.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
cp "$exe" "$work/files/vestora.exe"
cp "$VESTORA_ROOT/assets/icon/vestora.ico" "$work/files/vestora.ico"
for licence in "$@"; do
  cp "$licence" "$work/files/"
done
cp "$VESTORA_ROOT/packaging/windows/vestora.wxs" "$work/"
touch -d "@$SOURCE_DATE_EPOCH" "$work/files"/*
# What the installed files take, in KiB, rounded up.
size_kib=$(( ($(cat "$work/files/vestora.exe" "$@" | wc -c) + 1023) / 1024 ))

# The clock stopped at the sources' time, in UTC (-f, libfaketime's absolute form: without it
# faketime only starts the clock there and lets it run, so a build that crosses a second under
# load writes another time into the summary); the strings of the tables in code page 936
# (CP_ACP, which libmsi takes from WINDOWS_LANGUAGE: without it, from the locale, and a character
# outside code page 1252 makes wixl crash).
stopped_at=$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')
at_build_time() {
  WINDOWS_LANGUAGE=zh_CN TZ=UTC faketime -f "$stopped_at" "$@"
}

# Runs a tool in the work folder; fails when it fails or says anything on stderr.
quiet() {
  local status=0
  (cd "$work" && at_build_time "$@") >"$work/out.log" 2>"$work/err.log" || status=$?
  if [ "$status" -ne 0 ] || [ -s "$work/err.log" ]; then
    cat "$work/out.log" "$work/err.log" >&2
    fail "$1 failed (status $status) for $output"
  fi
}

quiet wixl --arch "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
  -D ComponentGuid="$component_guid" -D Files=files -D Icon=files/vestora.ico -D Size="$size_kib" \
  -o package.msi vestora.wxs
[ -s "$work/package.msi" ] || fail "wixl made no package for $output"

# The database's code page, which wixl leaves neutral (0): Windows would read the Chinese strings
# in the code page of whichever machine installs. Then the summary: the template names the
# package's language (wixl writes 1033), and the revision number a fixed one until the bytes are
# known.
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
template="$([ "$arch" = x64 ] && echo x64 || echo Intel);2052"
summary=(-s "Vestora $version" "Vestora Studio" "$template")
quiet msibuild package.msi -i _ForceCodepage.idt "${summary[@]}" \
  "{00000000-0000-0000-0000-000000000000}"
contents=$(sha256sum <"$work/package.msi" | cut -d' ' -f1)
package_code=$(name_uuid "Vestora package $contents")
quiet msibuild package.msi "${summary[@]}" "{$package_code}"
[ -s "$work/package.msi" ] || fail "msibuild left no package for $output"

mkdir -p "$(dirname "$output")"
mv "$work/package.msi" "$output"
