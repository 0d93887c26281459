#!/usr/bin/env bash
# Where the desktop's settings (as the XDG desktop portal tells them) say animations are off, the
# slogan is shown and holds still; when the setting comes back on, it blinks again. A stand-in
# portal on the test's private session bus answers for the desktop: no setting of the machine's is
# read or changed.
source "$(dirname "$0")/reader-lib.sh"

reader_start_bus
portal_ready=$e2e_dir/portal.ready
reader_background "$READER_PYTHON" "$reader_dir/fake_portal.py" "$portal_ready"
portal_pid=${e2e_helper_pids[-1]}
e2e_wait_for "the stand-in portal" test -s "$portal_ready"
e2e_start
PORTAL_PID=$portal_pid E2E_CATALOG_FILE=$e2e_catalog_file E2E_TIMEOUT=$E2E_TIMEOUT \
  "$READER_PYTHON" "$reader_dir/atspi_reader.py" still
echo "PASS"
