#!/usr/bin/env bash
# Installs what is missing, builds the browser version in build-web/ and
# serves its page on 127.0.0.1 (port 8080, or the one given) until Ctrl+C.
# --build-only builds without serving.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
port=8080
serve=1
for arg in "$@"; do
  case $arg in
    --build-only) serve=0 ;;
    *) port=$arg ;;
  esac
done
install_packages web-packages.txt
# The media builder runs on the host (it draws with FreeType); the browser
# build packs what it wrote to Media/.
cmake -S "$RUNEBLOCK_ROOT" -B "$RUNEBLOCK_ROOT/build" -DCMAKE_BUILD_TYPE=Release -DRUNEBLOCK_TESTS=OFF >/dev/null
cmake --build "$RUNEBLOCK_ROOT/build" --target media -j"$(nproc)"
build_web
[ "$serve" = 1 ] || exit 0
echo "Runeblock is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server --bind 127.0.0.1 --directory "$RUNEBLOCK_ROOT/build-web/site" "$port"
