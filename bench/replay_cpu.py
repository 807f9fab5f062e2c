#!/usr/bin/env python3
"""CPU time and read system calls of a headless replay, start-up included: the game as built
here against the game at a baseline revision, both built and measured in one run on one machine.

Usage: bench/replay_cpu.py GAME [--baseline REV] [--runs N] [--replay FILE]

GAME is the game built from this tree (build/test/murkvault). The baseline (default: ac62690,
the last revision whose engine drew and played through SFML itself) is checked out into a
scratch git worktree and its game built there with -DMURKVAULT_TESTS=OFF. Each game replays
FILE (default tests/data/games/ladder.rpl) RUNS times (default 10), the two taking turns so that
the machine's load falls on both alike, without a display and with nothing set to quieten a
sound device, as on a server replaying a bug report. Prints the median CPU time (user + system)
of each, their ratio, and, where strace is installed, the read system calls of one run of each.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
READS = ("read", "pread64", "readv")


def build_baseline(revision, scratch):
    tree = os.path.join(scratch, "tree")
    subprocess.run(["git", "-C", ROOT, "worktree", "add", "--detach", tree, revision], check=True,
                   capture_output=True)
    build = os.path.join(scratch, "build")
    subprocess.run(["cmake", "-S", tree, "-B", build, "-DMURKVAULT_TESTS=OFF",
                    "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], check=True, capture_output=True)
    subprocess.run(["cmake", "--build", build, "-j2", "--target", "murkvault"], check=True,
                   capture_output=True)
    return tree, os.path.join(build, "murkvault")


def environment():
    return {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "XAUTHORITY", "ALSOFT_CONF", "ALSOFT_DRIVERS")}


def cpu_seconds(game, replay, work):
    """One replay's CPU time (user + system) and its summary line."""
    process = subprocess.Popen([game, "--replay", replay, "--headless"], cwd=work,
                               env=environment(), stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
    summary = process.stdout.read().strip()
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit("%s exited with %d" % (game, status))
    return usage.ru_utime + usage.ru_stime, summary


def read_calls(game, replay, work):
    """The read system calls of one replay, or None without strace."""
    if not shutil.which("strace"):
        return None
    result = subprocess.run(["strace", "-f", "-c", "-e", "trace=" + ",".join(READS), game,
                             "--replay", replay, "--headless"], cwd=work, env=environment(),
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    calls = 0
    for line in result.stderr.splitlines():
        fields = line.split()
        if fields and fields[-1] in READS and len(fields) >= 5:
            calls += int(fields[3])
    return calls


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("game")
    parser.add_argument("--baseline", default="ac62690")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--replay", default=os.path.join(ROOT, "tests/data/games/ladder.rpl"))
    args = parser.parse_args()
    replay = os.path.abspath(args.replay)
    scratch = tempfile.mkdtemp(prefix="replay-cpu-")
    try:
        print("building the baseline %s ..." % args.baseline, flush=True)
        tree, baseline = build_baseline(args.baseline, scratch)
        games = {"baseline " + args.baseline: baseline, "now": os.path.abspath(args.game)}
        work = os.path.join(scratch, "work")
        os.makedirs(work)
        for item in ("sprites", "sounds", "ks-font.ttf"):
            os.symlink(os.path.join(ROOT, item), os.path.join(work, item))
        times = {name: [] for name in games}
        summaries = {}
        for _ in range(args.runs):
            for name, game in games.items():
                seconds, summaries[name] = cpu_seconds(game, replay, work)
                times[name].append(seconds)
        print("%s, %d runs each, no display, no sound device set up" %
              (os.path.basename(replay), args.runs))
        for name, game in games.items():
            reads = read_calls(game, replay, work)
            print("  %-18s median CPU %6.1f ms (min %6.1f)   read calls %s   %s" % (
                name, 1000 * statistics.median(times[name]), 1000 * min(times[name]),
                "?" if reads is None else reads, summaries[name]))
        base, now = (statistics.median(times[name]) for name in games)
        print("  now / baseline: %.3f" % (now / base))
    finally:
        subprocess.run(["git", "-C", ROOT, "worktree", "remove", "--force",
                        os.path.join(scratch, "tree")], capture_output=True)
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
