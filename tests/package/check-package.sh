#!/usr/bin/env bash
# Makes the packages with ./scripts/package and checks them as files: the Debian package
# (tests/package/check-deb.sh), the Windows download when build-win32/vestora.exe exists
# (tests/package/check-zip.py), and the checksums. Installing the Debian package is
# tests/package/check-deb-roots.sh's part, in bare Debian roots: nothing is installed here.
set -euo pipefail
export LC_ALL=C.UTF-8
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"
dist=$VESTORA_ROOT/dist

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-package.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "-- make the packages (./scripts/package)"
if ! "$VESTORA_ROOT/scripts/package" >"$work/package.log" 2>&1; then
  cat "$work/package.log" >&2
  fail "./scripts/package failed"
fi

version=$(vestora_version)
deb=$dist/vestora_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb; made: $(ls "$dist")"
"$VESTORA_ROOT/tests/package/check-deb.sh" "$deb"

zip=$dist/vestora-$version-win32.zip
if [ -f "$VESTORA_ROOT/build-win32/vestora.exe" ]; then
  echo "-- the Windows download $(basename "$zip")"
  [ -f "$zip" ] || fail "build-win32/vestora.exe exists, but no $zip was made"
  vestora_source_date_epoch
  "$VESTORA_ROOT/tests/package/check-zip.py" "$zip" "$VESTORA_ROOT" "$version" "$SOURCE_DATE_EPOCH" ||
    fail "the Windows download"
else
  [ ! -e "$zip" ] || fail "$zip was made without build-win32/vestora.exe"
fi

echo "-- SHA256SUMS"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "a checksum does not match"
find "$dist" -maxdepth 1 -type f -name 'vestora[_-]*' -printf '%f\n' | sort >"$work/expected"
awk '{ sub(/^\*/, "", $2); print $2 }' "$dist/SHA256SUMS" | sort >"$work/files"
diff "$work/expected" "$work/files" >&2 || fail "SHA256SUMS does not list exactly the packages"
find "$dist" -maxdepth 1 -type f -printf '   %10s  %f\n' | sort -k2
echo "PASS"
