#!/usr/bin/env bash
# Runs a Windows test program under Wine on a private display with a window manager, in a private
# copy of the build's Wine prefix, and ends with the program's exit status: a 32-bit program with
# the 32-bit loader, under WoW64 (wine-lib.sh). CTest's emulator for the Windows builds' tests.
# VESTORA_WINE_DPI, when set, is the screen's dots per inch.
#   tests/win32/wine-run.sh <build folder> <program.exe> [arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
shift
source "$root/tests/win32/wine-lib.sh"
trap vwine_teardown EXIT
vwine_prefix "$build"
if [ -n "${VESTORA_WINE_DPI:-}" ]; then
  "$VWINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$VESTORA_WINE_DPI" /f >/dev/null 2>&1
  "$VWINE_SERVER" -w
fi
vwine_start_display
loader=$(vwine_loader_for "$1")
status=0
"$loader" "$@" || status=$?
exit "$status"
