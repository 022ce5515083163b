# Shared by the scripts: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# What building and playing need.
PLAY_PACKAGES=(
  cmake g++ make pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libpng-dev
  libfreetype-dev fonts-dejavu-core
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
)
# What the tests need on top: GoogleTest, and the validators of the desktop files.
TEST_PACKAGES=(libgtest-dev desktop-file-utils appstream)
# What the sanitizer build and the fuzzers need on top: clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
FUZZ_OPTIONS=(-DCMAKE_CXX_COMPILER=clang++-14 -DVEXORIN_FUZZ=ON)
# What scripts/bench needs on top: an X server without a screen, and X input to lead the game into play.
BENCH_PACKAGES=(xvfb xdotool)
# What making the Debian package needs on top: dpkg-shlibdeps and file(1) for its dependencies.
PACKAGE_PACKAGES=(dpkg-dev file)

# Prints how to get the packages by hand and stops.
cannot_install() {
  echo "$1" >&2
  echo "Install these Debian packages (or your system's equivalents), then run this again:" >&2
  echo "  $2" >&2
  exit 1
}

# install_missing PACKAGE...
install_missing() {
  command -v apt-get >/dev/null && command -v dpkg-query >/dev/null ||
    cannot_install "apt-get was not found, so the packages cannot be installed automatically." "$*"
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null ||
      cannot_install "Some packages are missing, and sudo was not found to install them as root." "${missing[*]}"
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# build DIR [cmake options...]
build() {
  local dir="$1"
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
