#!/bin/sh
# CPU time per game cycle of the real game in its first room, standing still, walking or paused.
# Usage: cpu_per_cycle.sh GAME DATA_DIR [SECONDS] [stand|walk|pause]
# Runs GAME on a virtual X server (xvfb-run) in a scratch folder linking to DATA_DIR's sprites,
# sounds and font, waits for the title screen to give way to the first room, then samples the
# CPU time (user + system, /proc/PID/stat) of the game and of the X server and the cycle count
# (from the log's "cycles" lines) SECONDS apart. To walk, the player goes right and left in turn
# (a second each way, keys held with xdotool); to pause, P is pressed a second before sampling.
# Prints milliseconds of CPU per cycle.
set -eu
game=$(readlink -f "$1")
data=$(readlink -f "$2")
seconds=${3:-10}
mode=${4:-stand}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for d in sprites sounds ks-font.ttf; do ln -s "$data/$d" "$work/$d"; done
cd "$work"
# The window's sound goes to OpenAL Soft's null driver: no sound card is needed.
printf '[general]\ndrivers=null\n' >alsoft.conf
ALSOFT_CONF="$work/alsoft.conf" xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$0" >/dev/null 2>&1 & pid=$!
  xpid=$(pgrep -n Xvfb)
  until grep -q "created instance of player" kestrel.log 2>/dev/null; do sleep 0.2; done
  sleep 1
  window=$(xdotool search --name "^Murkvault$" | head -1)
  xdotool windowfocus --sync "$window"
  if [ "$2" = pause ]; then xdotool key p; sleep 1; fi
  cycles() { grep -o "run(): [0-9]* cycles" kestrel.log | tail -1 | grep -o "[0-9][0-9]*"; }
  cpu() { awk "{print \$14 + \$15}" /proc/$1/stat; }
  c0=$(cycles); t0=$(cpu $pid); x0=$(cpu $xpid)
  if [ "$2" = walk ]; then
    end=$(($(date +%s) + $1))
    while [ "$(date +%s)" -lt "$end" ]; do
      for key in d a; do xdotool keydown $key; sleep 1; xdotool keyup $key; done
    done
  else
    sleep "$1"
  fi
  c1=$(cycles); t1=$(cpu $pid); x1=$(cpu $xpid)
  kill $pid
  tick=$(getconf CLK_TCK)
  missed=$(grep -c "missed deadline" kestrel.log || true)
  moves=$(grep -c "moving towards" kestrel.log || true)
  echo "$2: cycles $c0 -> $c1, $moves moves, missed deadlines so far: $missed"
  awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" -v x="$((x1 - x0))" -v k="$tick" \
      "BEGIN { printf \"CPU per cycle: game %.2f ms, X server %.2f ms\\n\", 1000 * t / k / c, 1000 * x / k / c }"
' "$game" "$seconds" "$mode"
