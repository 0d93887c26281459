#!/usr/bin/env bash
# The layers point one way: catalog/ includes nothing of ours but itself, forms/ may use the
# catalog's vocabulary but never the program in app/. Prints each include that points up.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
upward=$(grep -rnE '^\s*#\s*include\s+"(forms|app)/' catalog || true)
upward+=$(grep -rnE '^\s*#\s*include\s+"app/' forms || true)
if [ -n "$upward" ]; then
  echo "Includes that point up a layer (catalog/ < forms/ < app/):"
  echo "$upward"
  exit 1
fi
echo "layers: catalog/ and forms/ include nothing from above them"
