# Shared by scripts/run and scripts/test: installs the Debian packages the project needs when
# some are missing, quietly and only once.

VESTORA_PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n libfontconfig-dev
  libgif-dev
  xdg-utils
  xvfb xauth x11-utils xdotool imagemagick libx11-dev
  binutils-mingw-w64-i686
  clang libclang-rt-14-dev
  fonts-dejavu-core
  desktop-file-utils
  dpkg-dev lintian appstream file unzip python3
  devscripts diffoscope-minimal
)

# The Windows program: the MinGW-w64 cross compilers, and Wine on a virtual display with a window
# manager and the X tools to drive it for its tests. Only the 64-bit Wine: this machine runs no
# 32-bit code, so the tests run the x86-64 twin of the program.
VESTORA_WINDOWS_PACKAGES=(
  cmake make python3
  mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64
  wine wine64
  xvfb xauth openbox wmctrl xdotool x11-utils imagemagick
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

vestora_build() {
  local dir=$1
  shift
  cmake -S "$VESTORA_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# A free X display number for a private Xvfb.
vestora_free_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
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
