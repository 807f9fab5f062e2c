#!/bin/sh
# Reruns the world update benchmark (murkvault_world_bench: one WorldManager::update of N
# random objects, the grid against the brute-force reference), prints the table and draws
# docs/world-update.png with gnuplot.
# Usage: bench/world_update.sh [BUILD_DIR]   (default build/test; it is configured and built)
# Times are CPU time per update, the median of three runs of Google Benchmark each.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/test}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target murkvault_world_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/murkvault_world_bench" --benchmark_format=json --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true >"$work/runs.json"

# N, brute force ms, grid ms: the table, and the data for the plot.
python3 - "$work/runs.json" "$work/times.dat" <<'PY'
import json, math, sys
times = {}
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    if run.get("aggregate_name") != "median":
        continue
    n, brute = (int(part.split(":")[1]) for part in run["run_name"].split("/")[1:3])
    times.setdefault(n, {})["brute" if brute else "grid"] = run["cpu_time"]  # ms
print("| N | brute force (ms) | grid (ms) | brute force / grid |")
print("|---:|---:|---:|---:|")
with open(sys.argv[2], "w") as out:
    for n in sorted(times):
        b, g = times[n]["brute"], times[n]["grid"]
        print("| %d | %.3f | %.3f | %.0f |" % (n, b, g, b / g))
        out.write("%d %g %g\n" % (n, b, g))
grow = lambda kind: math.log(times[5000][kind] / times[300][kind]) / math.log(5000 / 300)
print("\nFrom N = 300 to 5,000 the time grows as N^%.2f with the grid, N^%.2f by brute force."
      % (grow("grid"), grow("brute")))
PY

gnuplot <<GP
set terminal pngcairo size 800,560 font "sans,11"
set output "docs/world-update.png"
set title "One world update (CPU time, median of 3 runs)"
set xlabel "objects in the world (N)"
set ylabel "milliseconds per update"
set logscale xy
set xrange [80:6500]
set grid
set key top left
set label "30 fps frame: 33 ms" at 110,40
set arrow from 80,33.3 to 6500,33.3 nohead dashtype 2 lc rgb "gray"
plot "$work/times.dat" using 1:2 with linespoints pt 7 lw 2 title "brute force (reference)", \
     "$work/times.dat" using 1:3 with linespoints pt 5 lw 2 title "grid"
GP
echo "Drew docs/world-update.png"
