#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it; options go to the game (--help).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh game
cmake -S . -B build/game -DMURKVAULT_TESTS=OFF >/dev/null
cmake --build build/game -j2 --target murkvault
# The game reads sprites/, sounds/ and ks-font.ttf from its working directory: this folder.
exec build/game/murkvault "$@"
