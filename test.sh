#!/usr/bin/env bash
# Installs what is missing, builds with the sanitizers, and runs every test;
# then builds the fuzz targets with clang and runs each for a bounded time;
# then checks that the shipped levels are full size and show every enemy
# and item, and proves every shipped level with the solver, built for speed; then
# builds the browser version and plays it under node and in Chromium.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
install_packages test-packages.txt web-packages.txt
build_tree build-test -DCMAKE_BUILD_TYPE=Debug -DRUNEBLOCK_SANITIZE=ON
cd "$RUNEBLOCK_ROOT"
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
build_tree build-fuzz -DRUNEBLOCK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)"
cmake -S "$RUNEBLOCK_ROOT" -B "$RUNEBLOCK_ROOT/build-solve" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$RUNEBLOCK_ROOT/build-solve" --target solve -j"$(nproc)"
./scripts/check_maps.sh
./scripts/prove_levels.sh build-solve/solve build-solve/proof
build_web
tests/web/replay_in_node.sh build-web/webreplay.js build-test/replay "$RUNEBLOCK_ROOT"
node tests/web/page_test.mjs build-web/site build-web/page-test
