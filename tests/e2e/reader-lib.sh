# Shared by the screen-reader tests, which source it in place of lib.sh: the test runs in a
# private D-Bus session of its own, with its own accessibility bus, so that it reads only this
# program, and the program talks to no desktop of the caller's. Then lib.sh's display, program and
# stand-in xdg-open, with the program's accessibility always on.

if [ -z "${VESTORA_READER_SESSION:-}" ]; then
  if ! command -v dbus-run-session >/dev/null; then
    echo "SKIP: dbus-run-session is not installed"
    exit 77
  fi
  # The system's Python, which the Debian packages of pyatspi and dbus-python are for, before
  # any other on the PATH.
  READER_PYTHON=""
  for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import pyatspi, dbus' 2>/dev/null; then
      READER_PYTHON=$candidate
      break
    fi
  done
  if [ -z "$READER_PYTHON" ]; then
    echo "SKIP: python3-pyatspi or python3-dbus is not installed"
    exit 77
  fi
  export VESTORA_READER_SESSION=1 READER_PYTHON
  exec dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

reader_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
reader_launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && reader_launcher=$candidate && break
done
[ -n "$reader_launcher" ] || { echo "SKIP: at-spi-bus-launcher is not installed"; exit 77; }

# Starts the accessibility bus in the private session (the registry comes up on it on demand).
# Its socket lies in a runtime folder of the test's own: tests running side by side each have
# their own bus.
reader_start_bus() {
  mkdir -m 700 "$e2e_dir/reader-runtime"
  export XDG_RUNTIME_DIR=$e2e_dir/reader-runtime
  "$reader_launcher" --launch-immediately >"$e2e_dir/bus-launcher.log" 2>&1 &
  e2e_helper_pids+=($!)
}

# Starts a background helper whose end the test owns (e2e_helper_pids).
reader_background() {
  "$@" &
  e2e_helper_pids+=($!)
}

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# pyatspi prints the program's windows in Chinese.
export PYTHONIOENCODING=utf-8
