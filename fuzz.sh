#!/usr/bin/env bash
# ./fuzz.sh [SECONDS] - runs every fuzz target for SECONDS (default 600),
# as many at once as there are cores, growing a corpus per target under
# build-fuzz/corpus/ (kept between runs; the seeds stay in tests/fuzz/corpus/).
# Crashing inputs land in build-fuzz/findings/.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
seconds=${1:-600}
install_packages test-packages.txt
build_tree build-fuzz -DRUNEBLOCK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
cd "$RUNEBLOCK_ROOT"
# Each target with its seed folders; the picture and sound files feed one.
printf '%s\n' "map tests/fuzz/corpus/map" "slot_lists tests/fuzz/corpus/slot_lists" \
  "config tests/fuzz/corpus/config" "scores tests/fuzz/corpus/scores" \
  "media tests/fuzz/corpus/bmp:tests/fuzz/corpus/wav" "recording tests/fuzz/corpus/recording" |
  xargs -P "$(nproc)" -L 1 sh -c \
    'tests/fuzz/run_fuzz.sh "build-fuzz/tests/fuzz/fuzz_$0" "$1" "'"$seconds"'" build-fuzz/findings "build-fuzz/corpus/$0"'
