#!/usr/bin/env bash
# Rewrites the golden data from the game as it is now, on purpose:
#   - tests/data/seeds/seed-N.txt, what seeds 1 to 3 build (floors 1 to 3);
#   - tests/data/games/*.summary, the summary line each recorded game ends with.
# Use it only when a change is meant to alter what a seed builds or how a game plays (a rule,
# the generator, the order of random draws), and say so in the commit. A speed-up, a clean-up or
# a fix elsewhere must leave these files as they are: then the tests that compare them fail,
# and the difference is the fault to find. The recorded inputs (*.rpl) are never rewritten.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tools/install-deps.sh test
cmake -S . -B build/test >/dev/null
cmake --build build/test -j2 --target SeedCatalogueTest murkvault

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for data in sprites sounds ks-font.ttf; do ln -s "$root/$data" "$work/$data"; done
(cd "$work" && MURKVAULT_REGENERATE=1 "$root/build/test/tests/SeedCatalogueTest" \
  --gtest_filter='*Catalogue*' >/dev/null)
for game in tests/data/games/*.rpl; do
  (cd "$work" && "$root/build/test/murkvault" --replay "$root/$game" \
    --headless 2>/dev/null) >"${game%.rpl}.summary"
done
git status --short tests/data
