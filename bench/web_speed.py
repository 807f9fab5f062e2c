#!/usr/bin/python3
"""The web page's speed and size against the desktop's, measured in one run (a benchmark, not a
test):

- the time of one cycle plus its drawing, walking in the first room (a recording of seed 1 that
  walks right and left), median and 95th percentile, in headless Chromium (the page times each
  cycle itself, painting the canvas included) and in the desktop's window under Xvfb
  (murkvault_cycle_bench), both paced at the game's 30 cycles a second, and their ratio;
- the time from loading the page to the first frame of the title screen drawn in the game's
  font (a fresh browser each time, median of five);
- the size of what the page downloads, as served and compressed (gzip -9).

Usage: bench/web_speed.py [WEB_BUILD [DESKTOP_BUILD]]   (build/web and build/test by default)
Needs the packages of `tools/install-deps.sh test`; run it from Debian's python3."""

import gzip
import os
import statistics
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import link_data  # noqa: E402
from web_harness import PAGE_FILES, WebSession  # noqa: E402

FIRST_CYCLE, CYCLES, LEG = 130, 600, 30  # the walk starts in the first room; 20 s of it


def walking_recording():
    """Seed 1: D held for a second, then A for a second, and so on, from the first room on."""
    lines = ["ks-replay 1", "seed 1"]
    for cycle in range(FIRST_CYCLE, FIRST_CYCLE + CYCLES):
        key, other = ("D", "A") if (cycle - FIRST_CYCLE) // LEG % 2 == 0 else ("A", "D")
        if (cycle - FIRST_CYCLE) % LEG == 0:
            if cycle > FIRST_CYCLE:
                lines.append("%d key released %s" % (cycle, other))
            lines.append("%d key pressed %s" % (cycle, key))
        lines.append("%d key down %s" % (cycle, key))
    lines.append("%d end" % (FIRST_CYCLE + CYCLES))
    return "\n".join(lines) + "\n"


def percentiles(times):
    ordered = sorted(times)
    return statistics.median(ordered), ordered[min(len(ordered) - 1, int(len(ordered) * 0.95))]


def desktop_times(desktop_build, recording):
    bench = os.path.join(desktop_build, "bench", "murkvault_cycle_bench")
    with tempfile.TemporaryDirectory(prefix="murkvault-bench-") as work:
        link_data(ROOT, work)
        path = os.path.join(work, "walk.rpl")
        with open(path, "w") as file:
            file.write(recording)
        result = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", bench, path],
                                cwd=work, capture_output=True, text=True, timeout=600)
    assert result.returncode == 0, result.stderr
    times = [int(line) / 1000.0 for line in result.stdout.split()]
    return times[FIRST_CYCLE:]


def web_times(web_build, recording):
    with WebSession("bench", web_build) as web:
        web.add_file("walk.rpl", recording)
        web.open("?replay=walk.rpl")
        web.wait_end(timeout=120)
        times = web.js("return Module.ccall('ks_web_cycle_times', 'string')")
    return [int(t) / 1000.0 for t in times.split(",")][FIRST_CYCLE:]


def first_frames(web_build, loads=5):
    found = []
    for _ in range(loads):
        with WebSession("first-frame", web_build) as web:
            web.open("?seed=1")
            found.append(web.wait("the first frame", lambda: web.js(
                "return Module.ksFirstFrameMs || 0")))
    return found


def main():
    web_build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/web")
    desktop_build = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build/test")
    recording = walking_recording()
    web = web_times(web_build, recording)
    desktop = desktop_times(desktop_build, recording)
    web_median, web_p95 = percentiles(web)
    desktop_median, desktop_p95 = percentiles(desktop)
    print("one cycle and its drawing, walking in the first room (%d cycles each):" % len(web))
    print("  %-28s median %6.2f ms   95th percentile %6.2f ms" % ("headless Chromium:",
                                                                   web_median, web_p95))
    print("  %-28s median %6.2f ms   95th percentile %6.2f ms" % ("desktop window (Xvfb):",
                                                                   desktop_median, desktop_p95))
    print("  %-28s median %6.2f x    95th percentile %6.2f x" % (
        "page / desktop:", web_median / desktop_median, web_p95 / desktop_p95))
    frames = first_frames(web_build)
    print("page load to the title's first frame: median %.0f ms (of %s)" % (
        statistics.median(frames), ", ".join("%.0f" % f for f in frames)))
    total = compressed = 0
    for name in PAGE_FILES:
        data = open(os.path.join(web_build, name), "rb").read()
        packed = len(gzip.compress(data, 9))
        total += len(data)
        compressed += packed
        print("  %-18s %9d bytes, %9d compressed" % (name, len(data), packed))
    print("what the page downloads: %d bytes (%.0f KiB), %d compressed (%.0f KiB)" % (
        total, total / 1024, compressed, compressed / 1024))
    return 0


if __name__ == "__main__":
    sys.exit(main())
