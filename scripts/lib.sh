# shellcheck shell=bash
# Shared by the scripts, tests and benchmarks, which source it: the Debian packages the project
# needs (installed when some are missing, quietly and only once), the one failure helper, the
# private X server, and the build's time stamp.

VESTORA_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libfontconfig-dev
  libgif-dev
  xdg-utils
  xvfb xauth x11-utils xdotool imagemagick libx11-dev
  dbus-daemon at-spi2-core python3-pyatspi python3-dbus
  libxcb1-dev
  mutter qt6-wayland openbox
  binutils-mingw-w64-i686
  clang libclang-rt-14-dev
  fonts-dejavu-core
  desktop-file-utils
  dpkg-dev lintian appstream file unzip python3
  devscripts diffoscope-minimal
  # makes the bare Debian roots that the Debian package is installed in (check-deb-roots.sh)
  debootstrap
)

# The Windows program: the MinGW-w64 cross compilers, and Wine on a virtual display with a window
# manager and the X tools to drive it for its tests. The 64-bit Wine runs the x86-64 twin of the
# program everywhere; the 32-bit one (below) is added only where the machine runs 32-bit code.
VESTORA_WINDOWS_PACKAGES=(
  cmake make python3
  mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64
  wine wine64
  xvfb xauth openbox wmctrl xdotool x11-utils imagemagick
  # The Windows Installer packages: built with wixl, msibuild and faketime, read with msiinfo.
  wixl msitools faketime
)

# The 32-bit Wine beside the 64-bit one, for the 32-bit program under WoW64 in a 64-bit prefix;
# with the X extensions that the 64-bit Wine has here, so that both draw alike.
VESTORA_WINE32_PACKAGES=(
  wine32:i386
  libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxcomposite1:i386
  libxinerama1:i386 libxfixes3:i386 libxxf86vm1:i386
)

# Installs the packages named, or VESTORA_PACKAGES when none is.
vestora_install_packages() {
  local missing=()
  local package
  [ $# -gt 0 ] || set -- "${VESTORA_PACKAGES[@]}"
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# Whether this machine runs 32-bit x86 programs, found out with nothing 32-bit installed: a
# static program of three instructions, assembled and linked with binutils in <folder>, is
# started. When it does not run, fails and sets vestora_no_32bit_reason. VESTORA_ASSUME_NO_32BIT=1
# makes it answer no without trying, to try what the scripts do on a machine without.
# Usage: vestora_runs_32bit_code <folder>
vestora_runs_32bit_code() {
  vestora_no_32bit_reason=""
  if [ -n "${VESTORA_ASSUME_NO_32BIT:-}" ]; then
    vestora_no_32bit_reason="VESTORA_ASSUME_NO_32BIT is set"
    return 1
  fi
  local dir=$1/probe-i386
  mkdir -p "$dir"
  # exit(42) through the 32-bit system call gate.
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  movl $42, %%ebx\n  int $0x80\n' >"$dir/probe.s"
  if ! as --32 -o "$dir/probe.o" "$dir/probe.s" || ! ld -m elf_i386 -o "$dir/probe" "$dir/probe.o"
  then
    vestora_no_32bit_reason="binutils could not make a 32-bit x86 program"
    return 1
  fi
  local output status=0
  output=$("$dir/probe" 2>&1) || status=$?
  [ "$status" -eq 42 ] && return 0
  output=${output##*: }
  vestora_no_32bit_reason="a static 32-bit x86 program does not run here (${output:-status $status})"
  return 1
}

# Adds the i386 architecture to dpkg when it lacks it, and installs the 32-bit Wine. Only for a
# machine that runs 32-bit code (vestora_runs_32bit_code).
vestora_install_wine32() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture to dpkg, for the 32-bit Wine"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo dpkg --add-architecture i386
  fi
  # A package found missing makes vestora_install_packages read the package lists again, the
  # i386 ones included.
  vestora_install_packages "${VESTORA_WINE32_PACKAGES[@]}"
}

vestora_build() {
  local dir=$1
  shift
  cmake -S "$VESTORA_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Says what failed, in one line on standard error, and ends the script with status 1: the one
# failure helper of the scripts and tests. From a command substitution it ends that subshell, which
# the caller's `set -e` turns into the end of the script. A test that reports every failed check
# before it ends sets fail_goes_on=yes: fail then counts in fail_count and returns, and the test
# ends with `fail_summary`.
fail_goes_on=""
fail_count=0
fail() {
  echo "FAIL: $*" >&2
  if [ -n "$fail_goes_on" ]; then
    fail_count=$((fail_count + 1))
    return 0
  fi
  exit 1
}

# Ends a test that went on after failures: status 1 and their number when there were any.
fail_summary() {
  if [ "$fail_count" -ne 0 ]; then
    echo "$fail_count check(s) failed" >&2
    exit 1
  fi
}

# Starts a private X server, Xvfb, for tests, benchmarks and the screenshot of scripts/run. The
# server picks its display number itself (-displayfd): it takes the first number whose lock file
# it can create, so scripts starting servers at the same time never race for one, and writes the
# number once it takes clients. It is read here through a named pipe, which also ends the wait at
# once when the server fails. Sets vestora_display (":N") and vestora_xvfb_pid; the caller ends
# the server with kill. What the server says goes to the log file, printed when it fails.
# Usage: vestora_start_xvfb <screen, e.g. 1280x1024x24> <log file>
vestora_start_xvfb() {
  local screen=$1 log=$2 pipe number=""
  pipe=$(mktemp -u "${TMPDIR:-/tmp}/vestora-xvfb.XXXXXX")
  mkfifo -m 600 "$pipe"
  # -noreset: the server keeps its state when its last client leaves, as tests start and end
  # programs on it.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$pipe" >"$log" 2>&1 &
  vestora_xvfb_pid=$!
  read -r -t 60 number <"$pipe" || true
  rm -f "$pipe"
  if [ -z "$number" ]; then
    kill "$vestora_xvfb_pid" 2>/dev/null || true
    cat "$log" >&2
    fail "Xvfb did not start (package xvfb)"
  fi
  vestora_display=:$number
}

# The version that project() of the top-level CMakeLists.txt declares, read here independently
# of CMake, for the tests that check what the packages are named and say.
vestora_version() {
  local version
  version=$(sed -n 's/^project(Vestora VERSION \([0-9][0-9.]*\).*/\1/p' "$VESTORA_ROOT/CMakeLists.txt")
  [ -n "$version" ] || fail "no version in project() of CMakeLists.txt"
  echo "$version"
}

# The time that the files built from these sources carry, in seconds since 1970 (Debian's
# reproducible-builds convention, https://reproducible-builds.org/specs/source-date-epoch/): the
# SOURCE_DATE_EPOCH already set, else the last commit's time, else (sources without their Git
# history) the date of the newest entry in packaging/changelog. Never the time of the build, so
# the same sources give the same bytes. Exported for the compilers, linkers and archivers below.
vestora_source_date_epoch() {
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$VESTORA_ROOT" log -1 --format=%ct 2>/dev/null) ||
      SOURCE_DATE_EPOCH=""
    if [ -z "$SOURCE_DATE_EPOCH" ]; then
      SOURCE_DATE_EPOCH=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$VESTORA_ROOT/packaging/changelog" |
        head -n 1)" +%s)
    fi
  fi
  export SOURCE_DATE_EPOCH
}
