#!/usr/bin/env bash
# ./fuzz.sh [SECONDS] - runs every fuzz target for SECONDS (default 600),
# as many at once as there are cores, growing a corpus per target under
# build-fuzz/corpus/ (kept between runs; the seeds stay in tests/fuzz/corpus/).
# Crashing inputs land in build-fuzz/findings/.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
seconds=${1:-600}
install_packages
build_tree build-fuzz -DRUNEBLOCK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
cd "$RUNEBLOCK_ROOT"
targets="map slot_lists config scores bmp wav recording"
printf '%s\n' $targets | xargs -P "$(nproc)" -I{} \
  tests/fuzz/run_fuzz.sh "build-fuzz/tests/fuzz/fuzz_{}" "tests/fuzz/corpus/{}" "$seconds" \
  build-fuzz/findings "build-fuzz/corpus/{}"
