#!/bin/sh
# Speed of a headless replay: plays the longest golden game (tests/data/games) without a display,
# as fast as it goes, a few times, and prints cycles a second for each run and the best. The game
# runs at 30 cycles a second in its window; nothing waits for a frame here.
# Usage: replay_speed.sh GAME DATA_DIR [RUNS]
set -eu
game=$(readlink -f "$1")
data=$(readlink -f "$2")
runs=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for d in sprites sounds ks-font.ttf; do ln -s "$data/$d" "$work/$d"; done
# The longest game: the most cycles in its stored summary.
longest=$(for s in "$data"/tests/data/games/*.summary; do
  echo "$(cut -d' ' -f2 "$s") ${s%.summary}.rpl"; done | sort -n | tail -1 | cut -d' ' -f2)
[ -n "$longest" ] || { echo "no golden games in $data/tests/data/games" >&2; exit 1; }
cd "$work"
best=0
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  summary=$(env -u DISPLAY "$game" --replay "$longest" --headless 2>/dev/null)
  end=$(date +%s%N)
  cycles=$(echo "$summary" | cut -d' ' -f2)
  rate=$(awk -v c="$cycles" -v ns="$((end - start))" 'BEGIN { printf "%.0f", c / (ns / 1e9) }')
  echo "run $run: $(basename "$longest"): $cycles cycles in $(((end - start) / 1000000)) ms," \
    "$rate cycles a second"
  [ "$rate" -gt "$best" ] && best=$rate
done
echo "best: $best cycles a second ($((best / 30))x the window's 30)"
