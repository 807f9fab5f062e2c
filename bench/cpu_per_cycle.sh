#!/bin/sh
# CPU time per game cycle of the real game standing in its first room.
# Usage: cpu_per_cycle.sh GAME DATA_DIR [SECONDS]
# Runs GAME on a virtual X server (xvfb-run) in a scratch folder linking to DATA_DIR's sprites,
# sounds and font, waits for the title screen to give way to the first room, then samples the
# process's user+system time (/proc/PID/stat) and the cycle count (from the log's "cycles"
# lines) SECONDS apart. Prints milliseconds of CPU per cycle.
set -eu
game=$(readlink -f "$1")
data=$(readlink -f "$2")
seconds=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for d in sprites sounds ks-font.ttf; do ln -s "$data/$d" "$work/$d"; done
cd "$work"
ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$0" & pid=$!
  sleep 6
  cycles() { grep -o "run(): [0-9]* cycles" kestrel.log | tail -1 | grep -o "[0-9][0-9]*"; }
  cpu() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  c0=$(cycles); t0=$(cpu)
  sleep "$1"
  c1=$(cycles); t1=$(cpu)
  kill $pid
  tick=$(getconf CLK_TCK)
  missed=$(grep -c "missed deadline" kestrel.log || true)
  echo "cycles $c0 -> $c1, cpu ticks $t0 -> $t1 (${tick}/s), missed deadlines so far: $missed"
  awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" -v k="$tick" \
      "BEGIN { printf \"CPU per cycle: %.2f ms\\n\", 1000 * t / k / c }"
' "$game" "$seconds"
