#!/usr/bin/env bash
# Runs a Windows test program under Wine on a private display with a window manager, in a private
# copy of the build's Wine prefix, and ends with the program's exit status. CTest's emulator for
# the Windows build's tests.
#   tests/win32/wine-run.sh <build folder> <program.exe> [arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
shift
source "$root/tests/win32/wine-lib.sh"
trap vwine_teardown EXIT
vwine_prefix "$build"
vwine_start_display
status=0
"$VWINE_LOADER" "$@" || status=$?
exit "$status"
