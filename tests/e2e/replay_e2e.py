#!/usr/bin/env python3
"""End-to-end tests of seeds, recording and replaying: a game recorded in the window replays
without any display to the same summary and log; damaged replay files and bad options are
refused with one clear line; the golden games of tests/data/games replay to their summaries."""

import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import WAIT, GameSession, link_data, main  # noqa: E402

SUMMARY = re.compile(r"^cycles \d+ floor \d+ score -?\d+ health -?\d+ checksum [0-9a-f]{16}$")
# The log lines that may differ between a game and its replay: frame timing and the window.
VOLATILE = re.compile(r"^(GameManager::run\(\): cycle \d+ missed deadline|GraphicsManager::"
                      r"startUp\(\): |InputManager::startUp\(\): |SfmlPlatform::openScreen\(\): )")


def game(args, work, *options, timeout=120):
    """Runs the game with no display at all, and nothing set to quieten a sound device (a
    headless run must not touch one); returns the completed process."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "XAUTHORITY", "ALSOFT_CONF", "ALSOFT_DRIVERS")}
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
        assert text.startswith("ks-replay 1\nseed 7\n") and "key pressed D" in text, text[:200]
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
    "truncated": (b"ks-replay 1\nseed 7\n12 key pressed W\n13 key pre", r":4: line cut off"),
    "other_format": (b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", r":1: not a replay file"),
    "other_version": (b"ks-replay 9\nseed 7\n", r":1: replay format version '9'"),
    "cycles_backwards": (b"ks-replay 1\nseed 7\n30 key down W\n29 key down W\n",
                         r":4: cycle 29 comes after cycle 30"),
    "unknown_key": (b"ks-replay 1\nseed 7\n30 key down HYPER\n", r":3: unknown key 'HYPER'"),
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
