#!/usr/bin/env bash
# Screenshots of the Windows program under Wine, to look at beside the Linux program's: the screen
# with the main window (main.png), with a category window over it (category.png), and with the
# notice box (notice.png), and the main and the category window alone with their frames
# (main-window.png, category-window.png; scripts/screenshots keeps these for the README). Wine
# draws its own message boxes in a system face that has no Chinese characters where the machine
# has no CJK font, so this prefix links our embedded sans face behind Wine's Tahoma; and its
# animations are off ("Show animations in Windows"), so that the slogan holds still and every run
# gives the same pictures. The program itself never changes the system's settings.
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
# SPI_GETCLIENTAREAANIMATION is bit 0x02 of the fifth byte of UserPreferencesMask.
mask=$("$VWINE_LOADER" reg query 'HKCU\Control Panel\Desktop' /v UserPreferencesMask 2>/dev/null |
  sed -n 's/.*REG_BINARY *\([0-9A-Fa-f]*\).*/\1/p')
[ ${#mask} -ge 10 ] || mask=9E1E078012000000
mask=${mask:0:8}$(printf '%02X' $((16#${mask:8:2} & ~2 & 255)))${mask:10}
"$VWINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY \
  /d "$mask" /f >/dev/null 2>&1
"$VWINE_SERVER" -w
vwine_start_display

vwine_start "$build/vestora.exe"
main=$(vwine_find_window "$VWINE_PID" Vestora)
# The pointer away from the windows: no button is drawn as hovered.
xdotool mousemove 1279 799
sleep 1
import -window root "$out/main.png"
import -window "$main" -frame "$out/main-window.png"
# Command1 in Frame1, and the notice button Command8 in Frame2 (client pixels of their centres).
vwine_click "$main" 92 152
xdotool mousemove 1279 799
sleep 1.5
import -window root "$out/category.png"
category=$(xdotool getactivewindow)
import -window "$category" -frame "$out/category-window.png"
vwine_close "$category"
sleep 0.5
vwine_click "$main" 512 240
sleep 1.5
import -window root "$out/notice.png"
echo "Screenshots in $out: main.png category.png notice.png main-window.png category-window.png"
