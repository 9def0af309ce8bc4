#!/usr/bin/env bash
# Installs what is missing, builds optimised, and runs the benchmarks.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
install_packages test-packages.txt
build_tree build-bench -DCMAKE_BUILD_TYPE=Release -DRUNEBLOCK_TESTS=OFF -DRUNEBLOCK_BENCH=ON
cd "$RUNEBLOCK_ROOT"
./build-bench/bench/runeblock_bench "$@"
bench/callgrind.sh
bench/paced_xvfb.sh
