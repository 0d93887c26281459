#!/usr/bin/env bash
# Checks that the files users get are reproducible: the same sources, built twice in two different
# folders at two different times (and with a different umask, time zone, locale and source file
# times, as Debian's reprotest varies them), give bit-identical
#   build-win32/vestora.exe, build-win64/vestora.exe        (./scripts/build-windows vestora)
#   dist/vestora_<version>_<arch>.deb, dist/vestora-<version>-win32.zip,
#   dist/vestora-<version>-x86.msi, dist/vestora-<version>-x64.msi, dist/SHA256SUMS
#                                                           (./scripts/package)
# Each build runs the project's own scripts in a fresh copy of the sources (the files Git tracks
# or would add, as they are in the work tree) under a temporary folder. When a file differs, the
# check names it and its first differing byte, and shows diffoscope's report where diffoscope is
# installed. It prints the SHA-256 sums of both builds side by side.
#
#   tests/package/check-reproducible.sh [--first-from-tree] [KEEP_DIR]
#     KEEP_DIR           build there and keep it afterwards
#     --first-from-tree  the files that ./scripts/build-windows and ./scripts/package have just
#                        made in this work tree, from these sources, are the first build (as in
#                        ./scripts/test, which makes them before): only the second is built, with
#                        a umask and time zone other than this shell's
set -euo pipefail
VESTORA_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$VESTORA_ROOT/scripts/lib.sh"

# What the first build ran with, before this script sets its own locale.
first_from_tree=no
if [ "${1:-}" = --first-from-tree ]; then
  first_from_tree=yes
  shift
fi
tree_umask=$(umask)
tree_zone=${TZ:-}
export LC_ALL=C.UTF-8

if [ $# -gt 0 ]; then
  work=$1
  mkdir -p "$work"
  work=$(cd "$work" && pwd)
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-reproducible.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

vestora_install_packages
vestora_install_packages "${VESTORA_WINDOWS_PACKAGES[@]}"

# --- The build time -----------------------------------------------------------------------------

# Where the sources are a Git work tree, SOURCE_DATE_EPOCH is the last commit's time; without
# their history, the date of the changelog's newest entry; never the time of the build.
epoch_of() {
  (unset SOURCE_DATE_EPOCH && VESTORA_ROOT=$1 && vestora_source_date_epoch && echo "$SOURCE_DATE_EPOCH")
}
changelog_date=$(sed -n 's/^ -- .*>  //p' "$VESTORA_ROOT/packaging/changelog" | head -n 1)
if commit_time=$(git -C "$VESTORA_ROOT" log -1 --format=%ct 2>/dev/null) && [ -n "$commit_time" ]; then
  [ "$(epoch_of "$VESTORA_ROOT")" = "$commit_time" ] ||
    fail "SOURCE_DATE_EPOCH is $(epoch_of "$VESTORA_ROOT"), not the last commit's time $commit_time"
  echo "-- SOURCE_DATE_EPOCH is the last commit's time, $commit_time ($(date -u -d "@$commit_time"))"
fi
mkdir -p "$work/no-history/packaging"
cp "$VESTORA_ROOT/packaging/changelog" "$work/no-history/packaging/"
[ "$(epoch_of "$work/no-history")" = "$(date -u -d "$changelog_date" +%s)" ] ||
  fail "without Git, SOURCE_DATE_EPOCH is $(epoch_of "$work/no-history"), not the changelog's date"
# Both builds get the time of these sources, as a builder of a release would pass it on.
vestora_source_date_epoch

# --- Two builds -------------------------------------------------------------------------------

# The sources as they are in the work tree: what Git tracks or would add, without the ignored build
# folders; everything but build*/ and dist/ where there is no Git work tree. With "touch", the
# copies' files get the time of copying, as in a clone made then, rather than the originals' times.
copy_sources() {
  local to=$1 times=$2
  local extract=(tar -C "$to" -xf -)
  [ "$times" != touch ] || extract+=(--touch)
  mkdir -p "$to"
  if git -C "$VESTORA_ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$VESTORA_ROOT" ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' file; do
        [ -e "$VESTORA_ROOT/$file" ] && printf '%s\0' "$file"
      done |
      tar -C "$VESTORA_ROOT" --null --no-recursion -T - -cf - | "${extract[@]}"
  else
    tar -C "$VESTORA_ROOT" --exclude='./build*' --exclude=./dist -cf - . | "${extract[@]}"
  fi
}

# build NAME FOLDER UMASK TZ LANG TIMES: copies the sources to FOLDER (TIMES: keep or touch the
# files' times) and makes the files there.
build() {
  local name=$1 folder=$2 mask=$3 zone=$4 language=$5 times=$6 started=$SECONDS
  echo "-- build $name in $folder (umask $mask, TZ=$zone, LANG=$language, file times: $times)," \
    "$(date -u +%H:%M:%S) UTC"
  copy_sources "$folder" "$times"
  if ! (
    cd "$folder"
    umask "$mask"
    export TZ=$zone LANG=$language LC_ALL=$language
    ./scripts/build-windows vestora && ./scripts/package
  ) >"$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log" >&2
    fail "build $name failed (log: $work/$name.log)"
  fi
  echo "   done in $((SECONDS - started)) s"
}

version=$(vestora_version)
arch=$(dpkg --print-architecture)
files=(
  build-win32/vestora.exe
  build-win64/vestora.exe
  "dist/vestora_${version}_${arch}.deb"
  "dist/vestora-${version}-win32.zip"
  "dist/vestora-${version}-x86.msi"
  "dist/vestora-${version}-x64.msi"
  dist/SHA256SUMS
)

second=$work/second-build/of/the/same/sources
if [ "$first_from_tree" = yes ]; then
  first=$VESTORA_ROOT
  echo "-- the first build is the one in $first"
  # It was made from these sources: for this commit's time, and not older than them.
  [ "$(cat "$first/build-package/source-date-epoch" 2>/dev/null)" = "$SOURCE_DATE_EPOCH" ] ||
    fail "$first/build-package was not made for SOURCE_DATE_EPOCH $SOURCE_DATE_EPOCH: run ./scripts/build-windows and ./scripts/package first"
  [ -f "$first/dist/SHA256SUMS" ] || fail "no $first/dist/SHA256SUMS: run ./scripts/package first"
  # and no source has changed since: the second build copies the sources as they are now.
  if git -C "$VESTORA_ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$VESTORA_ROOT" && git ls-files -z --cached --others --exclude-standard |
      xargs -0 -r sh -c 'find "$@" -maxdepth 0 -type f -newer dist/SHA256SUMS' find) \
      >"$work/changed" 2>/dev/null || true
    [ ! -s "$work/changed" ] ||
      fail "sources changed since $first/dist was made ($(head -n 3 "$work/changed" | tr '\n' ' ')): run ./scripts/package again"
  fi
  # The second differs from it in umask and time zone whatever they were.
  mask=002
  [ "$tree_umask" != 0002 ] || mask=022
  zone=Asia/Shanghai
  [ "$tree_zone" != Asia/Shanghai ] || zone=UTC
  build second "$second" "$mask" "$zone" C touch
else
  first=$work/first/vestora
  # The second starts when the first has ended, minutes later: any clock that slips into a file
  # shows.
  build first "$first" 022 UTC C.UTF-8 keep
  build second "$second" 002 Asia/Shanghai C touch
fi

# --- Compare ----------------------------------------------------------------------------------

printf -- '-- SHA-256 of both builds\n   %-64s  %-64s  %s\n' first second file
different=()
for file in "${files[@]}"; do
  for folder in "$first" "$second"; do
    [ -f "$folder/$file" ] || fail "build in $folder made no $file"
  done
  sum_first=$(sha256sum <"$first/$file" | cut -d' ' -f1)
  sum_second=$(sha256sum <"$second/$file" | cut -d' ' -f1)
  mark=""
  [ "$sum_first" = "$sum_second" ] || mark="  DIFFERENT"
  printf '   %s  %s  %s%s\n' "$sum_first" "$sum_second" "$file" "$mark"
  [ -z "$mark" ] || different+=("$file")
done

for file in "${different[@]}"; do
  echo "== $file differs between the builds" >&2
  # cmp -l: the first differing byte (counted from 1) and both values, in octal.
  if read -r at value_first value_second < <(cmp -l "$first/$file" "$second/$file" 2>/dev/null); then
    printf '   first difference at offset %d (%#x): %#04x in the first build, %#04x in the second\n' \
      $((at - 1)) $((at - 1)) $((8#$value_first)) $((8#$value_second)) >&2
  fi
  size_first=$(stat -c %s "$first/$file")
  size_second=$(stat -c %s "$second/$file")
  [ "$size_first" = "$size_second" ] ||
    echo "   sizes: $size_first bytes in the first build, $size_second in the second" >&2
  if command -v diffoscope >/dev/null 2>&1; then
    diffoscope --no-progress --text - "$first/$file" "$second/$file" 2>&1 |
      head -n 80 | sed 's/^/   /' >&2 || true
  else
    echo "   (install diffoscope for a report of what differs inside)" >&2
  fi
done
[ ${#different[@]} -eq 0 ] || fail "${#different[@]} of ${#files[@]} files differ between the builds"
echo "PASS: the ${#files[@]} files are bit-identical in both builds"
