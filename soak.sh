#!/usr/bin/env bash
# ./soak.sh [FRAMES] - the sanitizer build's soak over the eight levels, a
# million frames unless told otherwise (the test suite plays 100 000).
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
frames=${1:-1000000}
install_packages test-packages.txt
build_tree build-test -DCMAKE_BUILD_TYPE=Debug -DRUNEBLOCK_SANITIZE=ON
cd "$RUNEBLOCK_ROOT"
RUNEBLOCK_SOAK_FRAMES=$frames SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  build-test/tests/runeblock_tests --gtest_filter='Soak.*'
