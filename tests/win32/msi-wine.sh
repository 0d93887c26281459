#!/usr/bin/env bash
# The Windows Installer packages under Wine's own 64-bit msiexec, the x64 package and the x86 one,
# which are two products that may be installed side by side ("Vestora" and "Vestora (32 位)"):
#   - on one machine, x86 then x64, and x64 then x86; each removed in turn, the one installed
#     first first. After each step, each package installed has its files in Program Files\Vestora
#     (Program Files (x86) for x86), its own Start-menu shortcut to its program, with its
#     description and icon, and its own uninstall entry, whose values `reg query` reads back; each
#     removed has none of them left, and the other is whole: the program left, started through
#     its shortcut by Wine's start, shows its main window and ends when it is closed (the x86 one
#     only where the machine runs 32-bit code). The last removal leaves no file, folder, shortcut
#     or registry value of Vestora;
#   - a package of a higher version, built here from the same files, replaces the installed one
#     in place and leaves one entry; the older package over it is refused, with its message. Each
#     on a fresh prefix.
#
#   tests/win32/msi-wine.sh [dist folder, dist/ by default]
# KEEP_MSI_WORK=1 keeps the work folder, with msiexec's logs, and says where it is.
# The packages are dist/vestora-<version>-x86.msi and -x64.msi (./scripts/package makes them);
# build-win64/ holds the Wine prefix that every step copies (wine-lib.sh), and the programs that
# the installed ones are compared with.
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$(cd "${1:-$root/dist}" && pwd)
source "$root/scripts/lib.sh"
source "$root/tests/win32/wine-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vestora-msi-wine.XXXXXX")
clean_up() {
  if [ -n "${KEEP_MSI_WORK:-}" ]; then
    echo "msiexec's logs are in $work"
  else
    rm -rf "$work"
  fi
}
vwine_test_script clean_up

step() {
  echo "-- $*"
}

version=$(VESTORA_ROOT=$root vestora_version)
# The next minor version, for the upgrade.
higher=$(awk -F. '{ print $1 "." $2 + 1 }' <<<"$version")

# What the packages say of themselves.
property() {
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
uninstall_key32='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall'

# A fresh prefix of its own for each step. Wine's menu builder stays off: it would copy the
# shortcut into this machine's own menus and icons, outside the prefix.
fresh_prefix() {
  vwine_teardown
  vwine_prefix "$root/build-win64"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
}

# Runs Wine's 64-bit msiexec with a verbose log and returns its exit status.
# Usage: msiexec <log name> <option>...
msiexec() {
  local log=$work/$1.log
  shift
  "$VWINE_LOADER" msiexec "$@" /l*v "$(vwine_path "$log")" >>"$vwine_dir/wine.log" 2>&1
}

install() {
  local status=0 log
  log=install-$(basename "$1")
  msiexec "$log" /i "$(vwine_path "$1")" /qn || status=$?
  if [ "$status" -ne 0 ]; then
    echo "--- the end of msiexec's log:"
    tail -n 40 "$work/$log.log" 2>/dev/null || true
    fail "msiexec /i $(basename "$1") /qn ended with status $status"
  fi
}

# What `reg query` prints, as a Simplified Chinese Windows prints it (code page 936), in UTF-8:
# "name<TAB>type<TAB>value" for each value of the key.
reg_values() {
  LC_ALL=zh_CN.UTF-8 "$VWINE_LOADER" reg query "$1" 2>/dev/null | iconv -f GBK -t UTF-8 |
    tr -d '\r' | sed -n 's/^    \([^ ]*\)    \(REG_[A-Z_]*\)    \{0,1\}\(.*\)$/\1\t\2\t\3/p'
}

# The uninstall entries in both registry views of a Vestora: "key<TAB>name<TAB>version" each. One
# `reg query /s` a view: every start of Wine takes its time.
vestora_entries() {
  local view
  for view in "$uninstall_key" "$uninstall_key32"; do
    # A view without the key (no 32-bit product was ever installed) has no entry.
    { LC_ALL=zh_CN.UTF-8 "$VWINE_LOADER" reg query "$view" /s 2>/dev/null || true; } |
      iconv -f GBK -t UTF-8 | tr -d '\r' |
      sed -n -e '/^HKEY/p' -e 's/^    \([^ ]*\)    \(REG_[A-Z_]*\)    \{0,1\}\(.*\)$/\1\t\2\t\3/p' |
      awk -F'\t' '
        function entry() { if (name ~ /^Vestora/) print key "\t" name "\t" version }
        /^HKEY/ { entry(); key = $0; name = version = ""; next }
        $1 == "DisplayName" { name = $3 }
        $1 == "DisplayVersion" { version = $3 }
        END { entry() }'
  done
}

# What check_machine reads of the registry, once a step: the uninstall entries, and the keys of
# Windows Installer's registrations of products.
entries=""
registrations=""
read_registry() {
  entries=$(vestora_entries)
  registrations=$({ "$VWINE_LOADER" reg query 'HKLM\Software\Classes\Installer' /s 2>/dev/null ||
    true; } | tr -d '\r' | grep '^HKEY' || true)
}

# The Start-menu shortcuts of Vestora, in the common Start menu or (a Wine quirk) in the user's.
shortcuts() {
  find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Vestora*.lnk' | sort
}

# The one shortcut of a name. Usage: shortcut <name>
shortcut() {
  local found
  mapfile -t found < <(find "$WINEPREFIX/drive_c" -path "*/Start Menu/Programs/$1.lnk")
  [ ${#found[@]} -eq 1 ] || fail "${#found[@]} Start-menu shortcuts $1.lnk: ${found[*]}"
  echo "${found[0]}"
}

# A shell link's target, description, working folder and icon, as "field<TAB>value" lines.
read_shortcut() {
  python3 - "$1" <<'EOF'
import struct
import sys

data = open(sys.argv[1], "rb").read()
header_size, = struct.unpack_from("<I", data, 0)
flags, = struct.unpack_from("<I", data, 0x14)
icon_index, = struct.unpack_from("<i", data, 0x38)
at = header_size
fields = {}
if flags & 0x01:  # HasLinkTargetIDList: skipped, the link information names the target too
    at += 2 + struct.unpack_from("<H", data, at)[0]
if flags & 0x02:  # HasLinkInfo: its local base path, in Unicode when it has one
    size, info_header, info_flags = struct.unpack_from("<III", data, at)
    if info_flags & 0x01:
        if info_header >= 0x24:
            start = at + struct.unpack_from("<I", data, at + 0x1C)[0]
            end = start
            while data[end:end + 2] != b"\0\0":
                end += 2
            fields["target"] = data[start:end].decode("utf-16-le")
        else:
            start = at + struct.unpack_from("<I", data, at + 0x10)[0]
            fields["target"] = data[start:data.index(b"\0", start)].decode("ascii")
    at += size
for bit, name in ((0x04, "description"), (0x08, "relative path"), (0x10, "working folder"),
                  (0x20, "arguments"), (0x40, "icon")):
    if flags & bit:
        count, = struct.unpack_from("<H", data, at)
        at += 2
        width = 2 if flags & 0x80 else 1
        text = data[at:at + count * width].decode("utf-16-le" if width == 2 else "ascii")
        at += count * width
        fields[name] = text.rstrip("\0")
fields["icon index"] = icon_index
for name, value in fields.items():
    print(f"{name}\t{value}")
EOF
}

# The file of the prefix at a path on drive C. Usage: unix_path 'C:\Program Files'
unix_path() {
  local path=$WINEPREFIX/drive_c/${1#C:\\}
  echo "${path//\\//}"
}

# A GUID as Windows Installer names registry keys by it: each part's hex digits reversed, the
# last two parts byte by byte.
packed_guid() {
  python3 -c 'import sys, uuid; b = uuid.UUID(sys.argv[1]).bytes_le.hex().upper()
print("".join(b[i + 1] + b[i] for i in range(0, 32, 2)))' "$1"
}

# The value of a field of read_shortcut's output. Usage: field <fields> <name>
field() {
  awk -F'\t' -v name="$2" '$1 == name { print $2 }' <<<"$1"
}

# --- The packages -------------------------------------------------------------------------------

declare -A package program folder name product_code upgrade_code
package[x64]=$dist/vestora-$version-x64.msi
package[x86]=$dist/vestora-$version-x86.msi
program[x64]=$root/build-win64/vestora.exe
program[x86]=$root/build-win32/vestora.exe
folder[x64]='C:\Program Files\Vestora'
folder[x86]='C:\Program Files (x86)\Vestora'
# The names that tell the two apart: of the product, its shortcut and its entry.
name[x64]='Vestora'
name[x86]='Vestora (32 位)'
# The uninstall entries of 32-bit products are in the registry's 32-bit view.
declare -A entry_key
entry_key[x64]=HKEY_LOCAL_MACHINE${uninstall_key#HKLM}
entry_key[x86]=HKEY_LOCAL_MACHINE${uninstall_key32#HKLM}
for arch in x64 x86; do
  [ -s "${package[$arch]}" ] || fail "no package ${package[$arch]} (./scripts/package makes it)"
  product_code[$arch]=$(property "${package[$arch]}" ProductCode)
  upgrade_code[$arch]=$(property "${package[$arch]}" UpgradeCode)
  [ -n "${product_code[$arch]}" ] || fail "no ProductCode in ${package[$arch]}"
  [ "$(property "${package[$arch]}" ProductName)" = "${name[$arch]}" ] ||
    fail "$arch: the product is named $(property "${package[$arch]}" ProductName)"
done
[ "${upgrade_code[x64]}" != "${upgrade_code[x86]}" ] ||
  fail "the two packages have one UpgradeCode: they are two products"

# The packages of the higher version: the same files, unpacked from the package.
declare -A upgrade
for arch in x64 x86; do
  mkdir -p "$work/files-$arch"
  (cd "$work/files-$arch" && msiextract "${package[$arch]}" >/dev/null)
  files=$(find "$work/files-$arch" -name vestora.exe -printf '%h')
  upgrade[$arch]=$work/vestora-$higher-$arch.msi
  "$root/packaging/windows/make-msi.sh" "$arch" "$higher" "${upgrade[$arch]}" "$files/vestora.exe" \
    "$files"/LICENSE*.txt
done

runs_32bit=yes
vestora_runs_32bit_code "$work" || runs_32bit=no
[ "$runs_32bit" = no ] || [ -x "$VWINE_LOADER32" ] ||
  fail "this machine runs 32-bit code, but $VWINE_LOADER32 is missing (package wine32:i386)"

# Whether a package is installed now: its files, its shortcut and its uninstall entry (as
# read_registry read them), and no second of either. With "values", every value of the entry too.
# Usage: check_installed <arch> [values]
check_installed() {
  local arch=$1 install_folder=${folder[$1]} unix_folder installed licence link fields icon
  local key values size
  unix_folder=$(unix_path "$install_folder")
  installed=$(find "$unix_folder" -mindepth 1 -printf '%P\n' 2>/dev/null | sort | tr '\n' ' ')
  [ "$installed" = "LICENSE-VestoraKai.txt LICENSE-VestoraSans.txt LICENSE.txt vestora.exe " ] ||
    fail "$arch: in $install_folder: $installed"
  cmp "$unix_folder/vestora.exe" "${program[$arch]}" ||
    fail "$arch: the installed vestora.exe is not ${program[$arch]}"
  # The licences are texts for Notepad: UTF-8 with a byte order mark.
  for licence in "$unix_folder"/LICENSE*.txt; do
    [ "$(head -c 3 "$licence" | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
      fail "$arch: $(basename "$licence") has no byte order mark"
  done

  link=$(shortcut "${name[$arch]}")
  fields=$(read_shortcut "$link")
  [ "$(field "$fields" target)" = "$install_folder\\vestora.exe" ] ||
    fail "$arch: the shortcut points at $(field "$fields" target)"
  [ "$(field "$fields" "working folder")" = "$install_folder\\" ] ||
    fail "$arch: the shortcut starts in $(field "$fields" "working folder")"
  [ "$(field "$fields" description)" = "QQ秀与背景图片目录" ] ||
    fail "$arch: the shortcut's description is $(field "$fields" description)"
  icon="C:\\windows\\Installer\\${product_code[$arch]}\\vestora.ico"
  [ "$(field "$fields" icon)" = "$icon" ] ||
    fail "$arch: the shortcut's icon is $(field "$fields" icon)"
  cmp "$(unix_path "C:\\windows\\Installer\\${product_code[$arch]}")/vestora.ico" \
    "$root/assets/icon/vestora.ico" ||
    fail "$arch: the installed icon is not the program's"

  key=${entry_key[$arch]}\\${product_code[$arch]}
  grep -qxF "$key"$'\t'"${name[$arch]}"$'\t'"$version" <<<"$entries" ||
    fail "$arch: no entry $key '${name[$arch]}' $version among: $entries"
  [ "${2:-}" = values ] || return 0

  echo "   shortcut: ${link#"$WINEPREFIX"/}"
  sed 's/^/   /' <<<"$fields"
  echo "   $key"
  values=$(reg_values "$key")
  sed 's/^/   /' <<<"$values"
  size=$(( ($(cat "$unix_folder"/* | wc -c) + 1023) / 1024 ))
  while IFS=$'\t' read -r value expected; do
    actual=$(awk -F'\t' -v name="$value" '$1 == name { print $3 }' <<<"$values")
    [ "$actual" = "$expected" ] || fail "$arch: $value is '$actual', not '$expected'"
  done <<EOF
DisplayName	${name[$arch]}
DisplayVersion	$version
Publisher	Vestora 工作室
Comments	QQ秀与背景图片目录
Contact	Vestora 工作室 <packages@vestora.example>
URLInfoAbout	https://vestora.example/
HelpLink	https://vestora.example/
Size	$size
Language	0x804
NoModify	0x1
NoRepair	0x1
WindowsInstaller	0x1
UninstallString	MsiExec.exe /X${product_code[$arch]}
EOF
  # The entry's icon: Windows Installer keeps the product's icon and names it in the product's
  # registration, from where "Apps & features" shows it.
  "$VWINE_LOADER" reg query "HKLM\\Software\\Classes\\Installer\\Products\\$(packed_guid "${product_code[$arch]}")" \
    /v ProductIcon 2>/dev/null | tr -d '\r' | grep -qF "REG_SZ    $icon" ||
    fail "$arch: the product's registration names no icon $icon"
}

# Whether a package is absent: no file or folder, shortcut, entry or registration of it (as
# read_registry read them).
# Usage: check_removed <arch>
check_removed() {
  local arch=$1 code
  [ ! -e "$(unix_path "${folder[$arch]}")" ] || fail "$arch: ${folder[$arch]} is left"
  [ -z "$(find "$WINEPREFIX/drive_c" -path "*/Start Menu/Programs/${name[$arch]}.lnk")" ] ||
    fail "$arch: its shortcut is left"
  ! grep -qF "${product_code[$arch]}" <<<"$entries" || fail "$arch: its entry is left"
  for code in "${product_code[$arch]}" "${upgrade_code[$arch]}"; do
    ! grep -qiF "\\$(packed_guid "$code")" <<<"$registrations" ||
      fail "$arch: Windows Installer's registration of $code is left"
  done
}

# The machine holds exactly the packages named, each whole, and nothing of the others.
# Usage: check_machine [arch...]
check_machine() {
  local arch count links
  read_registry
  for arch in x64 x86; do
    if [[ " $* " == *" $arch "* ]]; then check_installed "$arch"; else check_removed "$arch"; fi
  done
  count=$(grep -c . <<<"$entries" || true)
  links=$(shortcuts | grep -c . || true)
  [ "$count" -eq $# ] || fail "$count uninstall entries of Vestora with ${*:-none}: $entries"
  [ "$links" -eq $# ] || fail "$links Start-menu shortcuts of Vestora with ${*:-none}: $(shortcuts)"
  echo "   installed: ${*:-none}; entries: $(cut -f2 <<<"$entries" | paste -sd ',' -)"
}

# Starts the installed program through its shortcut with Wine's start, which resolves the shell
# link as Explorer does, finds its window, closes it and waits for it to end.
start_through_shortcut() {
  local arch=$1 link deadline window pid started
  if [ "$arch" = x86 ] && [ "$runs_32bit" = no ]; then
    echo "   the installed x86 program is not started: $vestora_no_32bit_reason"
    return 0
  fi
  link=$(shortcut "${name[$arch]}")
  "$VWINE_LOADER" start /unix "$link" >>"$vwine_dir/wine.log" 2>&1 ||
    fail "$arch: start could not open the shortcut"
  deadline=$((SECONDS + VWINE_TIMEOUT))
  until window=$(xdotool search --onlyvisible --classname '^vestora\.exe$' 2>/dev/null |
    head -n 1) && [ -n "$window" ] && [ "$(xdotool getwindowname "$window")" = Vestora ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "$arch: no window of vestora.exe within ${VWINE_TIMEOUT}s"
    sleep 0.2
  done
  # The program is the installed one: Wine's process names it by its Windows path.
  pid=$(xprop -id "$window" _NET_WM_PID | awk '{ print $3 }')
  started=$(tr '\0' ' ' <"/proc/$pid/cmdline" | sed 's/ *$//')
  echo "   started through ${name[$arch]}.lnk: $started"
  [[ $started == *"${folder[$arch]}\vestora.exe"* ]] || fail "$arch: the window is of $started"
  vwine_close "$window"
  deadline=$((SECONDS + VWINE_TIMEOUT))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$arch: vestora.exe still runs after its window closed"
    sleep 0.1
  done
}

remove() {
  local status=0
  msiexec "remove-$1-$2" /x "$(vwine_path "${package[$1]}")" /qn || status=$?
  [ "$status" -eq 0 ] || fail "$1: msiexec /x ended with status $status"
}

# --- Both on one machine --------------------------------------------------------------------------

# Installs one package, then the other, on one prefix; removes the first, then the second.
# Usage: side_by_side <arch installed first> <the other>
side_by_side() {
  local first=$1 second=$2 left registry arch
  step "$first then $second on one machine, removed in that order"
  fresh_prefix
  # The display first: the Wine processes that the installs start stay and draw every window.
  vwine_start_display
  (cd "$WINEPREFIX" && find drive_c | sort) >"$work/before"
  install "${package[$first]}"
  check_machine "$first"
  check_installed "$first" values
  install "${package[$second]}"
  check_machine "$first" "$second"
  remove "$first" "$first$second"
  check_machine "$second"
  start_through_shortcut "$second"
  remove "$second" "$first$second"
  check_machine
  # The registry is in the prefix's files once the wineserver has ended.
  "$VWINE_SERVER" -k >/dev/null 2>&1 || true
  "$VWINE_SERVER" -w
  (cd "$WINEPREFIX" && find drive_c | sort) >"$work/after"
  # Windows Installer's own cache folder stays, as on every Windows, but empty.
  left=$(comm -13 "$work/before" "$work/after" | grep -vx 'drive_c/windows/Installer' || true)
  [ -z "$left" ] || fail "left in the prefix: $left"
  for registry in "$WINEPREFIX"/*.reg; do
    for arch in x64 x86; do
      ! grep -n -i -e vestora -e "${product_code[$arch]//[\{\}]/}" \
        -e "$(packed_guid "${product_code[$arch]}")" -e "${upgrade_code[$arch]//[\{\}]/}" \
        -e "$(packed_guid "${upgrade_code[$arch]}")" "$registry" ||
        fail "left in $(basename "$registry")"
    done
  done
}

side_by_side x86 x64
side_by_side x64 x86

for arch in x64 x86; do
  msi=${package[$arch]}
  [ "${product_code[$arch]}" != "$(property "${upgrade[$arch]}" ProductCode)" ] ||
    fail "$arch: version $higher has the ProductCode of $version"
  [ "${upgrade_code[$arch]}" = "$(property "${upgrade[$arch]}" UpgradeCode)" ] ||
    fail "$arch: version $higher has another UpgradeCode"
  install_folder=${folder[$arch]}
  key=${entry_key[$arch]}\\${product_code[$arch]}
  # --- Upgrade --------------------------------------------------------------------------------
  step "$arch: version $higher replaces $version in place, one entry left"
  fresh_prefix
  install "$msi"
  install "${upgrade[$arch]}"
  mapfile -t found < <(vestora_entries)
  [ ${#found[@]} -eq 1 ] || fail "$arch: ${#found[@]} uninstall entries: ${found[*]}"
  [ "${found[0]##*$'\t'}" = "$higher" ] || fail "$arch: the entry left is ${found[0]}"
  [ "${found[0]%%$'\t'*}" != "$key" ] || fail "$arch: the entry left is the old one"
  [ -f "$(unix_path "$install_folder")/vestora.exe" ] ||
    fail "$arch: no vestora.exe after the upgrade"
  shortcut "${name[$arch]}" >/dev/null

  # --- Downgrade ------------------------------------------------------------------------------
  step "$arch: $version over $higher is refused, with its message"
  fresh_prefix
  vwine_start_display
  install "${upgrade[$arch]}"
  # 1603, ERROR_INSTALL_FAILURE, of which the exit status of a Unix process keeps the low byte.
  refused=$((1603 % 256))
  status=0
  msiexec "downgrade-$arch" /i "$(vwine_path "$msi")" /qn || status=$?
  [ "$status" -eq "$refused" ] || fail "$arch: the silent downgrade ended with status $status"
  # With the basic interface (/qb) msiexec shows why in a message box, whose text Wine's trace of
  # message boxes gives.
  message=$(msiinfo export "$msi" LaunchCondition | tr -d '\r' |
    awk -F'\t' '$1 == "NOT WIX_DOWNGRADE_DETECTED" { print $2 }')
  [ -n "$message" ] || fail "$arch: no message for a downgrade in the package"
  WINEDEBUG=+msgbox "$VWINE_LOADER" msiexec /i "$(vwine_path "$msi")" /qb \
    >"$work/msgbox.trace" 2>&1 &
  msiexec_pid=$!
  deadline=$((SECONDS + VWINE_TIMEOUT))
  until box=$(xdotool search --onlyvisible --name '^Install Failed$' 2>/dev/null | head -n 1) &&
    [ -n "$box" ]; do
    kill -0 "$msiexec_pid" 2>/dev/null || fail "$arch: msiexec /qb ended without a message box"
    [ "$SECONDS" -lt "$deadline" ] || fail "$arch: no message box within ${VWINE_TIMEOUT}s"
    sleep 0.2
  done
  # The trace writes the text as L"...", with \xxxx for each character that is not ASCII.
  shown=$(python3 -c 'import re, sys
for line in open(sys.argv[1], errors="replace"):
    if "MSGBOX_OnInit" in line:
        text = line[line.index("L\"") + 2:line.rindex("\"")]
        print(re.sub(r"\\([0-9a-f]{4})", lambda m: chr(int(m.group(1), 16)), text))' \
    "$work/msgbox.trace")
  echo "   message box: $shown"
  [ "$shown" = "$message" ] || fail "$arch: the message box says '$shown', not '$message'"
  # Closed as a user closes it, again while msiexec runs: Wine may make its X window anew.
  deadline=$((SECONDS + VWINE_TIMEOUT))
  while kill -0 "$msiexec_pid" 2>/dev/null && [ "$(ps -o stat= -p "$msiexec_pid")" != Z ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$arch: msiexec /qb still runs"
    for box in $(xdotool search --onlyvisible --name '^Install Failed$' 2>/dev/null); do
      vwine_close "$box" 2>/dev/null || true
    done
    sleep 0.5
  done
  status=0
  vwine_wait "$msiexec_pid" || status=$?
  [ "$status" -eq "$refused" ] || fail "$arch: the downgrade with /qb ended with status $status"
  mapfile -t found < <(vestora_entries)
  if [ ${#found[@]} -ne 1 ] || [ "${found[0]##*$'\t'}" != "$higher" ]; then
    fail "$arch: after the refused downgrade: ${found[*]}"
  fi
done

echo "PASS"
