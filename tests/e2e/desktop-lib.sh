# Shared by the tests under a real desktop, which source it in place of lib.sh: the test runs in
# a private D-Bus session of its own, so that the desktop it starts (mutter) talks to no session of
# the caller's; what it starts ends with it, passing or failing. Then lib.sh's display, program
# and stand-in xdg-open.

if [ -z "${VESTORA_DESKTOP_SESSION:-}" ]; then
  for tool in dbus-run-session mutter xprop; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  export VESTORA_DESKTOP_SESSION=1
  exec dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The desktop (in e2e_helper_pids) goes with lib.sh's program and display; what it said is shown
# when the test fails.
desktop_cleanup() {
  local status=$?
  # e2e_cleanup reads the status from $?: it is set again below, which `set -e` must let pass.
  set +e
  if [ "$status" -ne 0 ]; then
    echo "--- the desktop's output:"
    cat "$e2e_dir"/desktop*.log 2>/dev/null || true
  fi
  (exit "$status")
  e2e_cleanup
}
trap desktop_cleanup EXIT

# mutter as the X11 window manager of the test's display (e2e_before_program): it reparents,
# decorates and places the windows, as under GNOME on X11. Waits until it manages the screen.
desktop_start_mutter_x11() {
  mkdir -m 700 "$e2e_dir/desktop-runtime"
  XDG_RUNTIME_DIR=$e2e_dir/desktop-runtime mutter --x11 --replace --sm-disable \
    >"$e2e_dir/desktop.log" 2>&1 &
  e2e_helper_pids+=($!)
  e2e_wait_for "mutter to manage the display" desktop_has_window_manager
}

# A window manager announces itself on the root window (EWMH _NET_SUPPORTING_WM_CHECK).
desktop_has_window_manager() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# The window an X window is transient for (WM_TRANSIENT_FOR), in decimal, as the X server holds it.
desktop_transient_for() {
  local id
  id=$(xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [ -n "$id" ] && echo $((id))
}

# Closes a window as e2e_close does, then waits until the window manager has let it go too
# (it leaves the EWMH client list): until then its frame may still lie where the next click lands.
desktop_close() {
  e2e_close "$1"
  e2e_wait_for "the window manager to let window $1 go" desktop_is_unmanaged "$1"
}

desktop_is_unmanaged() {
  ! xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -qiw "$(printf '0x%x' "$1")"
}

desktop_is_modal() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q '_NET_WM_STATE_MODAL'
}

# The box's client area lies centred on its owner's, to a pixel (half pixels round either way).
desktop_check_centred() {
  local box=$1 owner=$2 what=$3 bx by bw bh ox oy ow oh dx dy
  read -r bx by bw bh < <(e2e_geometry "$box")
  read -r ox oy ow oh < <(e2e_geometry "$owner")
  dx=$(((2 * bx + bw) - (2 * ox + ow)))
  dy=$(((2 * by + bh) - (2 * oy + oh)))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
    fail "$what at ($bx, $by) ${bw}x$bh is not centred on its owner at ($ox, $oy) ${ow}x$oh"
}
