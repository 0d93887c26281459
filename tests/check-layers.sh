#!/usr/bin/env bash
# The layers point one way: catalog/ includes nothing of ours but itself, forms/ may use the
# catalog's vocabulary but never the program in app/. The core (catalog/, app/ but for the two
# programs' entries, and the seam's own files directly in forms/) includes no toolkit: no Qt
# header, no Windows header, no backend. Prints each include that breaks a rule.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
upward=$(grep -rnE '^\s*#\s*include\s+"(forms|app)/' catalog || true)
upward+=$(grep -rnE '^\s*#\s*include\s+"app/' forms || true)
if [ -n "$upward" ]; then
  echo "Includes that point up a layer (catalog/ < forms/ < app/):"
  echo "$upward"
  exit 1
fi
# The entries: app/main.cpp starts the Qt program, app/main_win32.cpp the Windows one.
toolkit=$(grep -rnE '^\s*#\s*include\s+(<Q|<(windows|objbase)\.h>|"forms/(qt|win32)/)' \
  catalog app forms/*.h forms/*.cpp | grep -vE '^app/main(_win32)?\.cpp:' || true)
if [ -n "$toolkit" ]; then
  echo "Includes of a toolkit in the core (catalog/, app/, forms/*):"
  echo "$toolkit"
  exit 1
fi
echo "layers: catalog/ and forms/ include nothing from above them; the core no toolkit"
