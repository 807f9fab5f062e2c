#!/usr/bin/env python3
"""End-to-end tests of seeds, recording and replaying, and of recordings a player can trust:
cut off, refused, diverged, ended by signals, endless lines; the golden games."""

import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (CYCLES, GAMES, WAIT, GameSession, data_folder, golden_summary,  # noqa: E402
                     main, run_game, tests_of)

SUMMARY = re.compile(r"^cycles (\d+) floor \d+ score -?\d+ health -?\d+ checksum ([0-9a-f]{16})$")
# The log lines a game and its replay may differ in: timing, the window, the recording's notes.
VOLATILE = re.compile(r"^(GameManager::run\(\): cycle \d+ missed deadline|GraphicsManager::"
                      r"startUp\(\): |InputManager::startUp\(\): |SfmlPlatform::openScreen\(\): |"
                      r"(InputManager::getInput|Launcher::finish)\(\): Warning! )")
# The exit codes the README gives.
REFUSED, RECORDING_INCOMPLETE, REPLAY_DIVERGED, REPLAY_CUT_OFF = 1, 3, 4, 5


def steady_log(path):
    with open(path, encoding="utf-8", errors="replace") as log:
        return [line for line in log.read().splitlines() if not VOLATILE.match(line)]


def replay_headless(args, rpl, work=None):
    """Replays the file without a display in work or a fresh folder: (result, steady log)."""
    with data_folder(args.data) as fresh:
        result = run_game(args.game, "--replay", rpl, "--headless", cwd=work or fresh)
        return result, steady_log(os.path.join(work or fresh, "kestrel.log"))


def record(args, name, rpl="game.rpl", prefix=()):
    """A session recording the game with the seed 7 to rpl."""
    return GameSession(name, [*prefix, args.game, "--seed", "7", "--record", rpl], args.data)


def escape(session):
    """Presses Escape; the exit code."""
    session.xdotool("key", "Escape")
    return session.process.wait(10)


def wait_for_said(session, pattern):
    """Waits for a line on the game's stderr matching the regex; its match."""
    regex = re.compile(pattern, re.M)
    return session.wait_until("%r on stderr" % pattern, lambda: regex.search(session.output()))


def said(result):
    """What the game said on stderr, its "murkvault: " taken off each line."""
    return [line[len("murkvault: "):] if line.startswith("murkvault: ") else line
            for line in result.stderr.splitlines()]


def first_difference(a, b):
    return next(i for i, pair in enumerate(zip(a + [""], b + [""])) if pair[0] != pair[1])


def test_recorded_game_replays_headless(args):
    """Played with a seed in the window, then replayed twice in one folder with no DISPLAY: the
    game's summary and log each time."""
    with record(args, "record") as session:
        start = session.until_room()
        session.wait_for_line(r"^Map::Map\(\): seed 7$")
        for key, vector in (("d", ("1", "0")), ("s", ("0", "1")), ("shift+w", ("0", "-1"))):
            session.hold(key, vector, start)
        session.press_until("Left", r"^creating hitboxes -1 0$", start)
        session.press_until("Up", r"^creating hitboxes 0 -1$", start)
        session.escape()
        recorded = session.output("stdout").strip()
        cycles, checksum = SUMMARY.match(recorded).groups()
        rpl = os.path.join(session.cwd, "game.rpl")
        text = open(rpl).read()
        assert text.startswith("ks-replay 2\nseed 7\n") and "key pressed D" in text, text[:200]
        # The end line carries the checksum the summary shows.
        assert text.endswith("\n%d end %s\n" % (int(cycles) - 1, checksum)), text[-200:]
        reference = steady_log(session.log_path)
        with data_folder(args.data) as work:
            for run in range(2):
                result, replayed = replay_headless(args, rpl, work)
                assert (result.returncode, result.stderr) == (0, ""), (run, result.stderr)
                assert result.stdout.strip() == recorded, (result.stdout, recorded)
                assert replayed == reference, "replay %d's log differs at line %d" % (
                    run, first_difference(replayed, reference))


def test_bad_replay_files_and_options_are_refused(args):
    """One line on stderr (options add the usage) and exit code 2, before anything starts: no
    log. ReplayTest and LauncherTest hold the full lists of faults."""
    with data_folder(args.data) as work:
        with open(os.path.join(work, "long.rpl"), "w") as rpl:
            rpl.write("ks-replay 1\nseed 7\n2147483647 end\n")
        for options, fault in (
                (["--replay", "missing.rpl", "--headless"], "missing.rpl: cannot open: No such"),
                (["--replay", "long.rpl", "--headless"],
                 "long.rpl:3: cycle 2147483647 is more than the game loop can count"),
                (["--seed", "x"], "--seed x: not a number"),
                (["--version", "--bogus"], "unknown option --bogus")):
            result = run_game(args.game, *options, cwd=work, timeout=WAIT)
            assert result.returncode == 2 and result.stdout == "", (options, result)
            assert said(result)[0].startswith(fault), (options, result.stderr)
            assert (len(said(result)) == 1) if "--headless" in options else (
                "--replay FILE" in result.stderr), result.stderr  # the usage after an option
            assert not os.path.exists(os.path.join(work, "kestrel.log")), options


def test_cut_recording_replays_to_its_last_complete_line(args):
    """Under `prlimit --fsize=3000` the game says when its recording stopped, plays on, and ends
    with its own code and a note of how much the file holds; the replay plays that much and says
    where the file was cut."""
    with record(args, "fsize", prefix=(shutil.which("prlimit"), "--fsize=3000")) as session:
        session.until_room()
        session.xdotool("keydown", "d")
        stopped = wait_for_said(session, r"^murkvault: recording stopped at cycle (\d+): cannot "
                                         r"write game\.rpl: file-size limit reached")
        session.xdotool("keyup", "d")
        time.sleep(1)  # the game goes on (its log, moved aside under the limit, is not followed)
        assert session.process.poll() is None, session.output()
        assert escape(session) == RECORDING_INCOMPLETE, session.output()
        note = wait_for_said(session, r"^murkvault: the recording holds only the first (\d+) of "
                                      r"the (\d+) cycles played: cannot write game\.rpl: ")
        held, played = int(note.group(1)), int(note.group(2))
        # The cycle of the last complete line, at the latest the one whose line was cut.
        assert held - 1 <= int(stopped.group(1)) < played, (stopped.group(0), note.group(0))
        assert SUMMARY.match(session.output("stdout").strip()), session.output("stdout")
        rpl = os.path.join(session.cwd, "game.rpl")
        assert os.path.getsize(rpl) == 3000
        result, _ = replay_headless(args, rpl)
        assert result.returncode == REPLAY_CUT_OFF, (result.returncode, result.stderr)
        assert len(said(result)) == 1 and re.match(
            r".*game\.rpl:\d+: recording cut off \((line without its line end|no end line)\): it "
            r"ends at cycle %d, its last complete line$" % (held - 1), said(result)[0]), result.stderr
        assert SUMMARY.match(result.stdout.strip()).group(1) == str(held), result.stdout


def test_full_disk_stops_the_recording_out_loud(args):
    """Recording onto a small file system with one page left: when it fills up the game says
    so once, plays on, and ends with the code of an incomplete recording."""
    disk = tempfile.mkdtemp(prefix="murkvault-e2e-disk-")
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16k", "tmpfs", disk],
                             capture_output=True, text=True)
    if mounted.returncode != 0:
        os.rmdir(disk)
        print("skipped: cannot mount a small file system (%s)" % mounted.stderr.strip())
        sys.exit(77)
    try:
        with open(os.path.join(disk, "filler"), "wb") as filler:
            filler.write(b"x" * 12288)  # three of its four pages
        rpl = os.path.join(disk, "game.rpl")
        with record(args, "disk", rpl) as session:
            session.until_room()
            session.xdotool("keydown", "d")
            wait_for_said(session, r"^murkvault: recording stopped at cycle \d+: cannot write "
                                   r"%s: disk full \(No space left on device\)$" % re.escape(rpl))
            session.xdotool("keyup", "d")
            session.wait_second(len(session.texts()))
            assert escape(session) == RECORDING_INCOMPLETE, session.output()
            assert session.output().count("recording stopped") == 1, session.output()
            wait_for_said(session, r"^murkvault: the recording holds only the first \d+ of the "
                                   r"\d+ cycles played: cannot write ")
            assert SUMMARY.match(session.output("stdout").strip()), session.output("stdout")
    finally:
        subprocess.run(["umount", disk], check=True)
        os.rmdir(disk)


def test_killed_game_loses_at_most_a_second(args):
    """A recorded game standing still for five seconds, then killed with SIGKILL: its replay
    plays the same log as the game up to at most a second before the kill."""
    with record(args, "kill") as session:
        start = session.until_room()
        session.wait_until("five seconds in the room", lambda: sum(
            bool(CYCLES.search(line)) for line in session.texts(start)) >= 6)
        session.process.send_signal(signal.SIGKILL)
        session.process.wait(10)
        recorded = steady_log(session.log_path)
        result, replayed = replay_headless(args, os.path.join(session.cwd, "game.rpl"))
    assert result.returncode == REPLAY_CUT_OFF, (result.returncode, result.stderr)
    assert len(said(result)) == 1 and "recording cut off (no end line)" in said(result)[0], said(
        result)
    assert recorded[:len(replayed)] == replayed, "the replay's log differs at line %d" % (
        first_difference(replayed, recorded))
    lost = [line for line in recorded[len(replayed):] if CYCLES.search(line)]
    assert len(lost) <= 1, "the replay lost %d seconds: %s" % (len(lost), lost)


def test_unsafe_recording_paths_are_refused(args):
    """A FIFO, a device, the log and a file another running game records to are each refused at
    once with one line and the code of a refused start, the log untouched."""
    with record(args, "first") as first:
        first.until_room()
        os.mkfifo(os.path.join(first.cwd, "fifo.rpl"))
        before = open(first.log_path, "rb").read()
        for name, why in (("fifo.rpl", "not a regular file"), ("/dev/full", "not a regular file"),
                          ("kestrel.log", "it is the game's log file"),
                          ("game.rpl", "another game is recording to it")):
            result = run_game(args.game, "--record", name, cwd=first.cwd, timeout=WAIT,
                              env={"DISPLAY": first.env["DISPLAY"]})
            assert result.returncode == REFUSED, (name, result.returncode, result.stderr)
            assert said(result) == ["cannot record to %s: %s" % (name, why)], result.stderr
            assert open(first.log_path, "rb").read().startswith(before), name + " emptied the log"
        first.wait_second(len(first.texts()))  # still playing and logging
        first.escape()
        result, _ = replay_headless(args, os.path.join(first.cwd, "game.rpl"))
        assert (result.returncode, result.stdout.strip()) == (0, first.output("stdout").strip())


def test_changed_input_is_reported_as_diverged(args):
    """A recording with one held D turned into A: the replay says it diverged at the first mark
    after that cycle, plays on to its end and prints its summary, and ends with its own code."""
    with record(args, "diverge") as session:
        session.hold("d", ("1", "0"), session.until_room())
        session.escape()
        rpl = os.path.join(session.cwd, "game.rpl")
        lines = open(rpl).read().splitlines()
        at = next(i for i, line in enumerate(lines) if line.endswith(" key down D"))
        cycle, last = int(lines[at].split()[0]), int(lines[-1].split()[0])
        lines[at] = "%d key down A" % cycle  # A is also logged: "pressing key 34"
        with open(rpl, "w") as changed:
            changed.write("\n".join(lines) + "\n")
        result, _ = replay_headless(args, rpl)
    expected = min(-(-cycle // 30) * 30, last)  # the first mark at or after the change
    assert result.returncode == REPLAY_DIVERGED, (result.returncode, result.stderr)
    assert len(said(result)) == 1 and said(result)[0].startswith(
        "replay diverged from the recording at cycle %d (log checksum recorded " % expected), (
        cycle, said(result))
    assert SUMMARY.match(result.stdout.strip()), result.stdout


def test_signals_end_the_recording(args):
    """SIGTERM ends a recorded game at its next cycle as Escape would: the summary, the end line
    with its checksum, the code 128 + 15, and a replay to the same summary. SIGSEGV leaves the
    line of the cycle the game died in."""
    with record(args, "sigterm") as session:
        session.until_room()
        session.process.send_signal(signal.SIGTERM)
        assert session.process.wait(10) == 128 + signal.SIGTERM, session.output()
        recorded = session.output("stdout").strip()
        cycles, checksum = SUMMARY.match(recorded).groups()
        rpl = os.path.join(session.cwd, "game.rpl")
        assert open(rpl).read().endswith("\n%d end %s\n" % (int(cycles) - 1, checksum))
        result, _ = replay_headless(args, rpl)
        assert (result.returncode, result.stdout.strip()) == (0, recorded), result
    with record(args, "sigsegv") as session:
        session.wait_second(session.until_room())
        session.process.send_signal(signal.SIGSEGV)
        assert session.process.wait(10) == -signal.SIGSEGV
        rpl = os.path.join(session.cwd, "game.rpl")
        last = open(rpl).read().splitlines()[-1]
        assert re.match(r"^\d+ died SIGSEGV$", last), last
        result, _ = replay_headless(args, rpl)
        assert result.returncode == 0 and said(result) == [
            "%s: the recorded game died of SIGSEGV in cycle %s" % (rpl, last.split()[0])], result


def test_long_line_is_refused_at_once_in_little_memory(args):
    """A 250 MB line of short words, alone and after a good header, is refused at its first
    bytes: a second of CPU, 100 MB (the wall clock only to a hang's bound: a busy machine)."""
    with data_folder(args.data) as work:
        block = b"ab " * (1 << 20)
        for name, header, fault in (("alone.rpl", b"", r":1: not a replay file"),
                                    ("after.rpl", b"ks-replay 2\nseed 7\n",
                                     r":3: line longer than 256 characters")):
            with open(os.path.join(work, name), "wb") as rpl:
                rpl.write(header)
                for _ in range(250 * 1000 * 1000 // len(block)):
                    rpl.write(block)
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            started = time.monotonic()
            result = run_game(args.game, "--replay", name, "--headless", cwd=work, timeout=WAIT)
            wall = time.monotonic() - started
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
            assert result.returncode == 2 and re.match(
                r"^murkvault: %s%s" % (name, fault), result.stderr), result
            assert cpu < 1.0 and wall < 10, "%s: %.2f s of CPU, %.2f s in all" % (name, cpu, wall)
            # The largest child waited for: the game alone.
            assert after.ru_maxrss < 100 * 1024, "%s: %d kB at most" % (name, after.ru_maxrss)
            os.unlink(os.path.join(work, name))


def golden(args, name):
    """Without a display or sound device, silently, to the stored summary."""
    result, _ = replay_headless(args, os.path.join(GAMES, name + ".rpl"))
    assert (result.returncode, result.stderr) == (0, ""), result.stderr[-2000:]
    assert result.stdout.strip() == golden_summary(name), result.stdout


if __name__ == "__main__":
    sys.exit(main(tests_of(globals(), golden), __doc__))
