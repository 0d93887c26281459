#!/usr/bin/env bash
# Screenshots of the Windows program under Wine, to look at beside the Linux program's: the main
# window, a category window, and the notice box. Wine draws its own message boxes in a system face
# that has no Chinese characters where the machine has no CJK font, so this prefix links our
# embedded sans face behind Wine's Tahoma; the program itself never changes the system's settings.
#   tests/win32/screenshots.sh [win64 build folder] [folder for the PNG files]
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-win64}" && pwd)
out=$(mkdir -p "${2:-$build/screenshots}" && cd "${2:-$build/screenshots}" && pwd)
source "$root/tests/win32/wine-lib.sh"
trap vwine_teardown EXIT

vwine_prefix "$build"
fonts="$WINEPREFIX/drive_c/windows/Fonts"
rm -f "$fonts/VestoraSans-Regular.ttf"
cp "$root/assets/fonts/VestoraSans-Regular.ttf" "$fonts/"
"$VWINE_LOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'VestoraSans-Regular.ttf,Vestora Sans' /f >/dev/null 2>&1
"$VWINE_SERVER" -w
vwine_start_display

vwine_start "$build/vestora.exe"
main=$(vwine_find_window "$VWINE_PID" Vestora)
sleep 1
import -window root "$out/main.png"
# Command1 in Frame1, and the notice button Command8 in Frame2 (client pixels of their centres).
vwine_click "$main" 92 152
sleep 1.5
import -window root "$out/category.png"
vwine_close "$(xdotool getactivewindow)"
sleep 0.5
vwine_click "$main" 512 240
sleep 1.5
import -window root "$out/notice.png"
echo "Screenshots in $out: main.png category.png notice.png"
