#!/usr/bin/env bash
# Installs what is missing, builds, and starts Runeblock.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
install_packages
build_tree build -DCMAKE_BUILD_TYPE=Release -DRUNEBLOCK_TESTS=OFF
cd "$RUNEBLOCK_ROOT"
exec ./build/runeblock
