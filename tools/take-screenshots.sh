#!/usr/bin/env bash
# Takes the README's screenshots from the real game on a virtual X display:
# docs/screenshots/title.png, room.png and gameover.png (the game window, 921 x 691).
# Needs what the tests need (tools/install-deps.sh test): Xvfb, xdotool, ImageMagick, python3.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test
cmake -S . -B build/game -DMURKVAULT_TESTS=OFF >/dev/null
cmake --build build/game -j2 --target murkvault
python3 tools/take_screenshots.py --game build/game/murkvault --data . --out docs/screenshots
