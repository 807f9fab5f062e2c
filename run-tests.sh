#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build/test >/dev/null
cmake --build build/test -j2
cd build/test
# The tests that open the game's window get a real X display from Xvfb.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2
