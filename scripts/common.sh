# Set-up shared by play.sh and test.sh: system packages, then a CMake build.
# Sourced, not run.

RUNEBLOCK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_packages [LIST...]: the packages of scripts/packages.txt and of the
# other lists named (files in scripts/) that are not installed yet.
install_packages() {
  local missing="" packages list
  packages=$(for list in packages.txt "$@"; do grep -v '^#' "$RUNEBLOCK_ROOT/scripts/$list"; done | tr '\n' ' ')
  for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed' || missing="$missing $package"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# build_tree DIR [cmake options...]
build_tree() {
  local dir="$RUNEBLOCK_ROOT/$1"
  shift
  cmake -S "$RUNEBLOCK_ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

# build_web: the browser build in build-web/, from the media already in
# Media/. Debian's emscripten needs node to search Debian's own modules.
build_web() {
  export NODE_PATH=/usr/share/nodejs
  emcmake cmake -S "$RUNEBLOCK_ROOT" -B "$RUNEBLOCK_ROOT/build-web" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$RUNEBLOCK_ROOT/build-web" -j"$(nproc)"
}
