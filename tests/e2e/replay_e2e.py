#!/usr/bin/env python3
"""End-to-end tests of seeds, recording and replaying: a game recorded in the window replays
without any display to the same summary and log; damaged replay files and bad options are
refused with one clear line; the golden games of tests/data/games replay to their summaries.

A recording a player can trust: cut off by a file-size limit, a full disk or a kill -9 it
replays to its last complete line (and to at most a second before the kill); write failures and
unsafe paths (a FIFO, the log, a file another game records to) are said out loud with their own
exit codes; a replay that goes another way than its recording says where; signals end the
recording with its last line; an endless line is refused at once in little memory."""

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

from harness import CYCLES, WAIT, GameSession, link_data, main  # noqa: E402

SUMMARY = re.compile(r"^cycles (\d+) floor \d+ score -?\d+ health -?\d+ checksum ([0-9a-f]{16})$")
# The log lines that may differ between a game and its replay: frame timing, the window, and
# what is said about the recording or the replay.
VOLATILE = re.compile(r"^(GameManager::run\(\): cycle \d+ missed deadline|GraphicsManager::"
                      r"startUp\(\): |InputManager::startUp\(\): |SfmlPlatform::openScreen\(\): |"
                      r"(InputManager::getInput|Launcher::finish)\(\): Warning! )")
# The exit codes the README gives.
REFUSED, RECORDING_INCOMPLETE, REPLAY_DIVERGED, REPLAY_CUT_OFF = 1, 3, 4, 5


def game(args, work, *options, timeout=120, display=None):
    """Runs the game with no display at all (or the one given), and nothing set to quieten a
    sound device (a headless run must not touch one); returns the completed process."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "XAUTHORITY", "ALSOFT_CONF", "ALSOFT_DRIVERS")}
    if display:
        env["DISPLAY"] = display
    return subprocess.run([args.game, *options], cwd=work, env=env, text=True,
                          capture_output=True, timeout=timeout)


def steady_log(path):
    with open(path, encoding="utf-8", errors="replace") as log:
        return [line for line in log.read().splitlines() if not VOLATILE.match(line)]


def test_recorded_game_replays_headless(args):
    """The game played with a seed in the window, then replayed twice with no DISPLAY."""
    with GameSession("record", [args.game, "--seed", "7", "--record", "game.rpl"],
                     args.data) as session:
        session.until_room()
        session.wait_for_line(r"^Map::Map\(\): seed 7$")
        start = len(session.texts())
        for key, vector in (("d", "1, 0"), ("s", "0, 1"), ("shift+w", "0, -1")):
            session.xdotool("keydown", key)  # held until the player has moved three cells
            session.wait_until("three moves <%s>" % vector, lambda: sum(
                "moving towards vector <%s>" % vector in t for t in session.texts(start)) >= 3)
            session.xdotool("keyup", key)
        session.press_until("Left", r"^creating hitboxes -1 0$", start)
        session.press_until("Up", r"^creating hitboxes 0 -1$", start)
        session.escape()
        recorded = session.output("stdout").strip()
        assert SUMMARY.match(recorded), "no summary after recording: %r" % recorded
        rpl = os.path.join(session.cwd, "game.rpl")
        text = open(rpl).read()
        assert text.startswith("ks-replay 2\nseed 7\n") and "key pressed D" in text, text[:200]
        # The end line carries the checksum the summary shows.
        cycles, checksum = SUMMARY.match(recorded).groups()
        assert text.endswith("\n%d end %s\n" % (int(cycles) - 1, checksum)), text[-200:]
        reference = steady_log(session.log_path)
        with tempfile.TemporaryDirectory(prefix="murkvault-e2e-replay-") as work:
            link_data(args.data, work)
            for run in range(2):
                result = game(args, work, "--replay", rpl, "--headless")
                assert result.returncode == 0, "replay %d: %s" % (run, result.stderr[-2000:])
                assert result.stderr == "", "replay %d said: %s" % (run, result.stderr[-2000:])
                assert result.stdout.strip() == recorded, (result.stdout, recorded)
                replayed = steady_log(os.path.join(work, "kestrel.log"))
                assert replayed == reference, "replay %d's log differs at line %d" % (run, next(
                    i for i, pair in enumerate(zip(replayed + [""], reference + [""]))
                    if pair[0] != pair[1]))


BAD_REPLAYS = {  # file contents, and the fault the one line must name
    "empty": (b"", r":1: empty file"),
    "cut_in_its_seed_line": (b"ks-replay 2\nseed 7", r":2: line cut off"),
    "other_format": (b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", r":1: not a replay file"),
    "other_version": (b"ks-replay 9\nseed 7\n", r":1: replay format version '9'"),
    "cycles_backwards": (b"ks-replay 1\nseed 7\n30 key down W\n29 key down W\n",
                         r":4: cycle 29 comes after cycle 30"),
    "unknown_key": (b"ks-replay 1\nseed 7\n30 key down HYPER\n", r":3: unknown key 'HYPER'"),
    # Two days of headless play would take the loop's cycle count past an int.
    "cycle_past_the_loop": (b"ks-replay 1\nseed 7\n2147483647 end\n",
                            r":3: cycle 2147483647 is more than the game loop can count"),
}


def test_bad_replay_files_and_options_are_refused(args):
    """Each damaged replay file gives one line on stderr naming it, its line and the fault, and
    exit code 2, before any window could open (there is no display); so do bad options."""
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-bad-") as work:
        link_data(args.data, work)
        cases = [("missing.rpl", None, r"^murkvault: missing\.rpl: cannot open: No such file")]
        for name, (content, fault) in BAD_REPLAYS.items():
            with open(os.path.join(work, name + ".rpl"), "wb") as bad:
                bad.write(content)
            cases.append((name + ".rpl", content, r"^murkvault: %s\.rpl%s" % (name, fault)))
        for file, _, pattern in cases:
            result = game(args, work, "--replay", file, "--headless", timeout=WAIT)
            lines = result.stderr.splitlines()
            assert result.returncode == 2, "%s: exit code %d" % (file, result.returncode)
            assert len(lines) == 1 and re.match(pattern, lines[0]), "%s: %r" % (file, lines)
            assert not os.path.exists(os.path.join(work, "kestrel.log")), file + " started"
        for options, fault in ((["--seed", "x"], "--seed x: not a number"),
                               (["--scales"], "unknown option --scales"),
                               (["--headless"], "--headless works only with --replay"),
                               (["--seed", "-3"], "--seed -3: out of range"),
                               (["--version", "--bogus"], "unknown option --bogus")):
            result = game(args, work, *options, timeout=WAIT)
            assert result.returncode == 2 and result.stderr.startswith("murkvault: %s" % fault), (
                options, result.returncode, result.stderr)
            assert "--replay FILE" in result.stderr, "no usage after %s" % options
            assert result.stdout == "", (options, result.stdout)
        result = game(args, work, "--help", timeout=WAIT)
        assert result.returncode == 0 and "--seed N" in result.stdout, result
        wide = [line for line in result.stdout.splitlines() if len(line) > 80]
        assert not wide, "--help is wider than 80 columns: %s" % wide
        result = game(args, work, "--version", timeout=WAIT)
        assert result.returncode == 0 and result.stdout.startswith("murkvault "), result


def record(args, name, *options, prefix=()):
    """A session recording the game with the seed 7 to game.rpl in its folder."""
    return GameSession(name, [*prefix, args.game, "--seed", "7", "--record", "game.rpl",
                              *options], args.data)


def end_with(session, key_or_signal):
    """Ends the game with the key (pressed in its window) or the signal; its exit code."""
    if isinstance(key_or_signal, str):
        session.xdotool("key", key_or_signal)
    else:
        session.process.send_signal(key_or_signal)
    return session.process.wait(10)


def wait_for_said(session, pattern):
    """Waits for a line on the game's stderr matching the regex; its match."""
    regex = re.compile(pattern, re.M)
    return session.wait_until("%r on stderr" % pattern, lambda: regex.search(session.output()))


def replay_headless(args, rpl):
    """Replays the file without a display in a fresh folder: (result, steady log lines)."""
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-replay-") as work:
        link_data(args.data, work)
        result = game(args, work, "--replay", rpl, "--headless")
        return result, steady_log(os.path.join(work, "kestrel.log"))


def said(result):
    """What the game said on stderr, its "murkvault: " taken off each line."""
    return [line[len("murkvault: "):] if line.startswith("murkvault: ") else line
            for line in result.stderr.splitlines()]


def test_cut_recording_replays_to_its_last_complete_line(args):
    """Recorded under `prlimit --fsize=3000`, the file ends in the middle of a line: the game says
    when its recording stopped, plays on, and ends with its own code and a note of how much the
    file holds; the replay plays that much and says where the file was cut (it used to refuse the
    whole file)."""
    with record(args, "fsize", prefix=(shutil.which("prlimit"), "--fsize=3000")) as session:
        session.until_room()
        session.xdotool("keydown", "d")
        stopped = wait_for_said(session, r"^murkvault: recording stopped at cycle (\d+): cannot "
                                         r"write game\.rpl: file-size limit reached")
        session.xdotool("keyup", "d")
        time.sleep(1)  # the game goes on (its log, moved aside under the limit, is not followed)
        assert session.process.poll() is None, session.output()
        assert end_with(session, "Escape") == RECORDING_INCOMPLETE, session.output()
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
    so once, plays on, and ends with the code of an incomplete recording (it used to exit 0, its
    file holding far fewer cycles than its summary said)."""
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
        with GameSession("disk", [args.game, "--seed", "7", "--record", rpl], args.data) as session:
            session.until_room()
            session.xdotool("keydown", "d")
            wait_for_said(session, r"^murkvault: recording stopped at cycle \d+: cannot write "
                                   r"%s: disk full \(No space left on device\)$" % re.escape(rpl))
            session.xdotool("keyup", "d")
            session.wait_second(len(session.texts()))
            assert end_with(session, "Escape") == RECORDING_INCOMPLETE, session.output()
            assert session.output().count("recording stopped") == 1, session.output()
            wait_for_said(session, r"^murkvault: the recording holds only the first \d+ of the "
                                   r"\d+ cycles played: cannot write ")
            assert SUMMARY.match(session.output("stdout").strip()), session.output("stdout")
    finally:
        subprocess.run(["umount", disk], check=True)
        os.rmdir(disk)


def test_killed_game_loses_at_most_a_second(args):
    """A recorded game standing still for five seconds, then killed with SIGKILL: its replay
    plays the same log as the game up to at most a second before the kill (it used to stop at
    the last input, losing the whole time stood still)."""
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
    assert recorded[:len(replayed)] == replayed, "the replay's log differs at line %d" % next(
        i for i, pair in enumerate(zip(replayed, recorded)) if pair[0] != pair[1])
    lost = [line for line in recorded[len(replayed):] if CYCLES.search(line)]
    assert len(lost) <= 1, "the replay lost %d seconds: %s" % (len(lost), lost)


def test_unsafe_recording_paths_are_refused(args):
    """A FIFO (which used to hang the game in its open, its window open), a device, the log
    itself, a missing folder and a file another running game records to are each refused at once
    with one line and the code of a refused start, before the log or a window is touched."""
    with record(args, "first") as first:
        first.until_room()
        work = first.cwd
        os.mkfifo(os.path.join(work, "fifo.rpl"))
        before = open(first.log_path, "rb").read()
        cases = [("fifo.rpl", "not a regular file"), ("/dev/full", "not a regular file"),
                 ("kestrel.log", "it is the game's log file"),
                 ("no-such-folder/game.rpl", "No such file or directory"),
                 ("game.rpl", "another game is recording to it")]
        for name, why in cases:
            result = game(args, work, "--record", name, timeout=WAIT,
                          display=first.env["DISPLAY"])
            assert result.returncode == REFUSED, (name, result.returncode, result.stderr)
            assert said(result) == ["cannot record to %s: %s" % (name, why)], result.stderr
            assert open(first.log_path, "rb").read().startswith(before), name + " emptied the log"
        first.texts()
        first.wait_second(len(first.lines))  # still playing and logging
        first.escape()
        recorded = first.output("stdout").strip()
        result, _ = replay_headless(args, os.path.join(work, "game.rpl"))
        assert (result.returncode, result.stdout.strip()) == (0, recorded), result


def test_changed_input_is_reported_as_diverged(args):
    """A recording with one held D turned into A: the replay says it diverged at the first mark
    after that cycle, plays on to its end and prints its summary, and ends with its own code (it
    used to play another game without a word)."""
    with record(args, "diverge") as session:
        start = session.until_room()
        session.xdotool("keydown", "d")
        session.wait_until("three moves right", lambda: len(
            [m for m in session.moves(start) if m[:2] == ("1", "0")]) >= 3)
        session.xdotool("keyup", "d")
        session.escape()
        rpl = os.path.join(session.cwd, "game.rpl")
        lines = open(rpl).read().splitlines()
        at = next(i for i, line in enumerate(lines) if line.endswith(" key down D"))
        cycle = int(lines[at].split()[0])
        last = int(lines[-1].split()[0])
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
    line of the cycle the game died in. Both used to leave the file without its last line."""
    with record(args, "sigterm") as session:
        session.until_room()
        assert end_with(session, signal.SIGTERM) == 128 + signal.SIGTERM, session.output()
        recorded = session.output("stdout").strip()
        cycles, checksum = SUMMARY.match(recorded).groups()
        rpl = os.path.join(session.cwd, "game.rpl")
        assert open(rpl).read().endswith("\n%d end %s\n" % (int(cycles) - 1, checksum))
        result, _ = replay_headless(args, rpl)
        assert (result.returncode, result.stdout.strip()) == (0, recorded), result
    with record(args, "sigsegv") as session:
        start = session.until_room()
        session.wait_second(start)
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
    bytes: it used to be read whole, peaking at 4.7 GB (and aborting under a memory limit). Its
    CPU time is held to a second; the wall clock only to a hang's bound, the machine being busy."""
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-long-") as work:
        link_data(args.data, work)
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
            result = game(args, work, "--replay", name, "--headless", timeout=WAIT)
            wall = time.monotonic() - started
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            cpu = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
            assert result.returncode == 2 and re.match(
                r"^murkvault: %s%s" % (name, fault), result.stderr), result
            assert cpu < 1.0 and wall < 10, "%s: %.2f s of CPU, %.2f s in all" % (name, cpu, wall)
            # The largest of the processes this test waited for, the game alone.
            assert after.ru_maxrss < 100 * 1024, "%s: %d kB at most" % (name, after.ru_maxrss)
            os.unlink(os.path.join(work, name))


def golden(name):
    def test(args):
        games = os.path.join(args.data, "tests", "data", "games")
        expected = open(os.path.join(games, name + ".summary")).read().strip()
        with tempfile.TemporaryDirectory(prefix="murkvault-e2e-golden-") as work:
            link_data(args.data, work)
            result = game(args, work, "--replay", os.path.join(games, name + ".rpl"),
                          "--headless")
            assert result.returncode == 0, result.stderr[-2000:]
            # No display, no sound device: the summary on stdout and not a word on stderr.
            assert result.stderr == "", result.stderr[-2000:]
            assert result.stdout.strip() == expected, "%s.rpl replays to\n  %s\nnot to\n  %s" % (
                name, result.stdout.strip(), expected)
    test.__doc__ = ("The golden game %s replays without a display or sound device to its stored "
                    "summary, silently." % name)
    return test


if __name__ == "__main__":
    tests = {n[5:]: f for n, f in globals().items() if n.startswith("test_")}
    games = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "games")
    for file in sorted(os.listdir(games)) if os.path.isdir(games) else []:
        if file.endswith(".rpl"):
            tests["golden_" + file[:-4]] = golden(file[:-4])
    sys.exit(main(tests, __doc__))
