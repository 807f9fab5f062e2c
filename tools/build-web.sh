#!/usr/bin/env bash
# Builds the game's web page with Emscripten into a folder (build/web by default): index.html,
# page.js, murkvault.js, murkvault.wasm, murkvault.data and murkvault-data.js.
#   tools/build-web.sh [FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/web}
# Debian's Emscripten finds its JavaScript modules (acorn and the rest) only here, whichever node
# comes first on the PATH.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target murkvault_web
