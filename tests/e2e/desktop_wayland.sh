#!/usr/bin/env bash
# Natively on Wayland, under mutter as a headless compositor with no X server at all: the program
# picks Wayland by itself, and asks the compositor for windows as on X11 where the protocol lets
# it (wayland_client.py): the desktop entry's application id, the notice box parented to the main
# window, fixed sizes that leave no maximise button; a platform the user names wins. The program
# is driven over AT-SPI, which needs no display, in the private D-Bus session of desktop-lib.sh.
source "$(dirname "$0")/desktop-lib.sh"

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "SKIP: at-spi-bus-launcher is not installed"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
  { echo "SKIP: Qt's Wayland platform plugin (qt6-wayland) is not installed"; exit 77; }

"$E2E_CATALOG" >"$e2e_catalog_file" || fail "the catalog helper failed"
mkdir -m 700 "$e2e_dir/runtime"
export XDG_RUNTIME_DIR=$e2e_dir/runtime
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET

e2e_step "mutter as a headless Wayland compositor, without Xwayland"
mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 --wayland-display vestora-wayland \
  >"$e2e_dir/desktop.log" 2>&1 &
e2e_helper_pids+=($!)
wayland_up() { [ -S "$XDG_RUNTIME_DIR/vestora-wayland" ]; }
e2e_wait_for "mutter's Wayland socket" wayland_up
"$launcher" --launch-immediately >"$e2e_dir/desktop-bus-launcher.log" 2>&1 &
e2e_helper_pids+=($!)

e2e_step "the user's choice wins: QT_QPA_PLATFORM=xcb with no X server fails, naming DISPLAY"
status=0
QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=vestora-wayland timeout "$E2E_TIMEOUT" "$VESTORA" \
  >"$e2e_dir/xcb.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q 'DISPLAY is not set' "$e2e_dir/xcb.log" ||
  fail "with QT_QPA_PLATFORM=xcb the program ended with status $status: $(cat "$e2e_dir/xcb.log")"

e2e_step "the program, with no platform named"
env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING \
  WAYLAND_DISPLAY=vestora-wayland WAYLAND_DEBUG=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$VESTORA" >"$e2e_log" 2>&1 &
vestora_pid=$!
PYTHONIOENCODING=utf-8 E2E_CATALOG_FILE=$e2e_catalog_file E2E_TIMEOUT=$E2E_TIMEOUT \
  WAYLAND_LOG=$e2e_log PYTHONPATH=$(dirname "$0") /usr/bin/python3 "$(dirname "$0")/wayland_client.py"
e2e_vestora_running || fail "the program ended"
echo "PASS"
