"""What the end-to-end scripts share: waits, headless runs, the golden games, main(); and a
GameSession, the real murkvault on an X server of its own (Xvfb, xdotool, convert), which owns a
scratch folder, the X server, the game and a reader of its log. Leaving its `with` block stops
them all; a failed session keeps its folder (log, screenshots)."""

import argparse
import collections
import contextlib
import glob
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WAIT = 20.0  # the machines are slow and busy: waits are generous, polls are short
CELL_WIDTH, CELL_HEIGHT = 921 / 80, 691 / 24
YELLOW, WHITE = (255, 255, 0), (255, 255, 255)
CYCLES = re.compile(r"GameManager::run\(\): (\d+) cycles \((\d+) seconds\) executed")
MOVE = re.compile(r"moving towards vector <(-?\d+), (-?\d+)>, position is (-?\d+) (-?\d+)")
DATA = ("sprites", "sounds", "ks-font.ttf")
GAMES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "games")
# No display and nothing set to quieten a sound device: a headless run must not touch one.
HEADLESS_ENV = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "XAUTHORITY", "ALSOFT_CONF", "ALSOFT_DRIVERS")}


def link_data(data, work):
    """Links the game's data files into the folder work."""
    for name in DATA:
        os.symlink(os.path.join(data, name), os.path.join(work, name))


@contextlib.contextmanager
def data_folder(data):
    """A scratch folder holding links to the game's data."""
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-") as work:
        link_data(data, work)
        yield work


def run_game(game, *options, cwd, env=None, timeout=120):
    """Runs the game to its end in cwd, headless unless env names a DISPLAY; the completed
    process, its stdout and stderr apart."""
    return subprocess.run([game, *options], cwd=cwd, env=dict(HEADLESS_ENV, **(env or {})),
                          text=True, capture_output=True, timeout=timeout)


def run(*command, cwd=None, env=HEADLESS_ENV):
    """Runs a tool that must succeed, its stderr into its stdout."""
    result = subprocess.run(command, cwd=cwd, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, timeout=600)
    assert result.returncode == 0, "%s failed (%d):\n%s" % (
        " ".join(command), result.returncode, result.stdout)
    return result


def assert_lintian_clean(deb):
    """Debian's own checker: no error and no warning (notes, "I:", are allowed)."""
    result = subprocess.run(["lintian", "--fail-on", "error,warning", deb], capture_output=True,
                            text=True, timeout=300)
    complaints = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
    assert result.returncode == 0 and not complaints, result.stdout + result.stderr


def golden_summary(name):
    with open(os.path.join(GAMES, name + ".summary")) as summary:
        return summary.read().strip()


def poll(what, probe, timeout, pause=0.05, check=lambda: None):
    """Calls probe() until it returns something true, and returns that; check() asserts between
    calls that waiting on makes sense."""
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        check()
        assert time.monotonic() < deadline, "no %s within %.0f s" % (what, timeout)
        time.sleep(pause)
    return result


class Scratch:
    """A scratch folder, removed when its `with` block succeeds and kept when it fails."""

    def __init__(self, prefix):
        self.scratch = tempfile.mkdtemp(prefix=prefix)

    def keep_if(self, failed, where=""):
        if failed:
            print("kept for diagnosis: %s%s" % (self.scratch, where))
        else:
            shutil.rmtree(self.scratch, ignore_errors=True)


class Screen:
    """A screenshot cropped to the game window, looked at by character cell."""

    def __init__(self, path, x, y, width, height):
        self.path, self.width, self.height = path, width, height
        self.raw = subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                                   "+repage", "-depth", "8", "rgb:-"], check=True,
                                  stdout=subprocess.PIPE).stdout

    def pixel(self, px, py):
        i = (py * self.width + px) * 3
        return tuple(self.raw[i:i + 3])

    def cells_with(self, colour, cx0, cy0, cx1, cy1):
        """A Counter {cell: its pixels of the colour} for the cells cx0..cx1 x cy0..cy1."""
        found = collections.Counter()
        for py in range(int(cy0 * CELL_HEIGHT), int((cy1 + 1) * CELL_HEIGHT)):
            for px in range(int(cx0 * CELL_WIDTH), int((cx1 + 1) * CELL_WIDTH)):
                if self.pixel(px, py) == colour:
                    found[int(px / CELL_WIDTH), int(py / CELL_HEIGHT)] += 1
        return found


class GameSession(Scratch):
    """`with GameSession(name, command, data_dir) as game:` runs the game in a scratch folder
    holding a copy of the data (or in cwd); its log is read from log_path (default cwd)."""

    def __init__(self, name, command, data_dir=None, cwd=None, log_path=None, env=None,
                 screen="1280x1024x24"):
        super().__init__("murkvault-e2e-%s-" % name)
        self.command = [os.path.abspath(command[0])] + list(command[1:])
        self.cwd = cwd or os.path.join(self.scratch, "work")
        for item in DATA if cwd is None else ():
            copy = shutil.copytree if item != "ks-font.ttf" else shutil.copy
            copy(os.path.join(data_dir, item), os.path.join(self.cwd, item))
        self.log_path = log_path or os.path.join(self.cwd, "kestrel.log")
        self.lines, self.log_offset = [], 0  # the log's lines read so far
        self.window = self.xserver = self.process = None
        # Machines running tests have no sound card: OpenAL Soft's null driver, unless env says.
        self.alsoft_conf = os.path.join(self.scratch, "alsoft.conf")
        with open(self.alsoft_conf, "w") as conf:
            conf.write("[general]\ndrivers=null\n")
        self.env = dict(HEADLESS_ENV, ALSOFT_CONF=self.alsoft_conf, **(env or {}))
        self.screen_size = screen

    def __enter__(self):
        try:
            # -noreset: an X server resetting after its last client left refuses the next one.
            read_end, write_end = os.pipe()
            self.xserver = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen_size,
                 "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_end)
            with os.fdopen(read_end) as numbers:
                self.env["DISPLAY"] = ":" + numbers.readline().strip()
            assert self.env["DISPLAY"] != ":", "Xvfb did not report its display number"
            self.out = {name: open(os.path.join(self.scratch, "game." + name), "w+")
                        for name in ("stdout", "stderr")}
            self.process = subprocess.Popen(self.command, cwd=self.cwd, env=self.env,
                                            stdout=self.out["stdout"], stderr=self.out["stderr"])
        except BaseException:
            self.__exit__(AssertionError, None, None)
            raise
        return self

    def __exit__(self, kind, value, trace):
        for process in (self.process, self.xserver):
            if process:
                process.terminate()
                process.wait(5)
        self.keep_if(kind, " (log: %s)" % self.log_path)

    def output(self, name="stderr"):
        """What the game wrote so far on "stderr" or "stdout"."""
        self.out[name].seek(0)
        return self.out[name].read()

    def texts(self, start=0):
        """The log's complete lines from index start on (read up to now)."""
        log = pathlib.Path(self.log_path)
        data = log.read_bytes()[self.log_offset:] if log.is_file() else b""
        data = data[:data.rfind(b"\n") + 1]
        self.log_offset += len(data)
        self.lines += [raw.decode("utf-8", "replace") for raw in data.splitlines()]
        return self.lines[start:]

    def wait_until(self, what, probe, timeout=WAIT, pause=0.05):
        """Calls probe() until it returns something true, and returns that."""
        def running():
            code = self.process.poll()
            assert code is None, ("the game ended (exit code %s) waiting for %s; stderr: %s"
                                  % (code, what, self.output().strip()))
        return poll(what, probe, timeout, pause, running)

    def find_line(self, pattern, start=0):
        """The first log line (index >= start) matching the regex, as (index, match)."""
        return next(((i, m) for i, m in enumerate(map(re.compile(pattern).search,
                                                      self.texts(start)), start) if m), None)

    def wait_for_line(self, pattern, timeout=WAIT, start=0):
        return self.wait_until(repr(pattern), lambda: self.find_line(pattern, start), timeout)

    def wait_second(self, start):
        """Waits for two cycle lines from line start on (a second of game time); their indices."""
        first = self.wait_for_line(CYCLES.pattern, start=start)[0]
        return first, self.wait_for_line(CYCLES.pattern, start=first + 1)[0]

    def moves(self, start=0, end=None):
        """The player's moves logged from line start on, as (dx, dy, x, y) strings."""
        return [m.groups() for m in map(MOVE.search, self.texts(start)[:end]) if m]

    def hold(self, key, vector, start, count=3):
        """Holds the key down until the player has made count moves by the vector ("dx", "dy")
        from log line start on."""
        self.xdotool("keydown", key)
        self.wait_until("%d moves <%s>" % (count, ", ".join(vector)), lambda: sum(
            move[:2] == vector for move in self.moves(start)) >= count)
        self.xdotool("keyup", key)

    def xdotool(self, *args, quiet=False):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=WAIT)
        assert quiet or result.returncode == 0, "xdotool %s: %s" % (args, result.stderr.strip())
        return result.stdout.strip()

    def windows(self, title="Murkvault"):
        return self.xdotool("search", "--name", "^%s$" % title, quiet=True).split()

    def wait_window(self, title="Murkvault"):
        """Finds the window with the title; sets geometry (x, y, width, height)."""
        self.window = self.wait_until("window", lambda: self.windows(title))[0]
        self.read_geometry()

    def read_geometry(self):
        shell = self.xdotool("getwindowgeometry", "--shell", self.window).split()
        values = dict(line.split("=") for line in shell)
        self.geometry = tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def until_room(self):
        """Waits for the first room and focuses it; returns the player's creation's log index."""
        self.wait_window()
        index = self.wait_for_line(r"^created instance of player$")[0]
        # "Health: 100" from column 2 of row 0, "Score: 0" up to column 78 (glyphs spill right).
        self.wait_screen("room", lambda s: s.cells_with(YELLOW, 2, 0, 12, 0).total() > 20 and
                         s.cells_with(YELLOW, 70, 0, 78, 0).total() > 20)
        # No window manager: the focus is given by hand; XTEST keys then show as held.
        self.xdotool("windowfocus", "--sync", self.window)
        return index

    def press_until(self, key, pattern, start=0):
        """Taps the key, with the focus on the game's window, until a matching log line appears;
        returns (index, match)."""
        def probe():
            if self.window:  # a busy server has been seen to lose the focus given by hand
                self.xdotool("windowfocus", "--sync", self.window)
            self.xdotool("key", key)
            time.sleep(0.4)
            return self.find_line(pattern, start)
        return self.wait_until("%r after %s" % (pattern, key), probe, pause=0)

    def escape(self):
        """Presses Escape: the game must end within 5 s, with exit code 0."""
        assert self.process.poll() is None, "the game ended early: " + self.output()
        self.xdotool("key", "Escape")
        code = self.process.wait(5)
        assert code == 0, "exit code %s after Escape; stderr: %s" % (code, self.output()[-2000:])

    def screenshot(self, label):
        # Where the window is now: it is moved to the middle of the screen after it first shows.
        self.read_geometry()
        path = os.path.join(self.scratch, "%s.png" % label)
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True,
                       capture_output=True, timeout=WAIT)
        return Screen(path, *self.geometry)

    def wait_screen(self, label, predicate, timeout=WAIT):
        """Takes screenshots until predicate(screen) holds; returns that screen."""
        return self.wait_until("screen showing " + label,
                               lambda: predicate(s := self.screenshot(label)) and s, timeout, 0.2)


def tests_of(namespace, golden=None):
    """The test_ functions of the namespace by name without "test_", and golden(name) as
    golden_<name> for each golden game."""
    tests = {n[5:]: f for n, f in namespace.items() if n.startswith("test_")}
    for path in sorted(glob.glob(os.path.join(GAMES, "*.rpl"))) if golden else ():
        name = os.path.basename(path)[:-4]
        tests["golden_" + name] = lambda args, name=name: golden(args, name)
    return tests


def main(tests, doc, required=("--game", "--data"), optional=("--build",)):
    """Runs the test named on the command line: exit code 0 passed, 1 failed (an uncaught
    exception), 77 skipped (a test that cannot judge calls sys.exit(77)). The options are paths."""
    parser = argparse.ArgumentParser(description=doc)
    for option in required + optional:
        parser.add_argument(option, required=option in required)
    parser.add_argument("test", choices=sorted(tests))
    args = parser.parse_args()
    for name, value in vars(args).items():
        if value and name != "test":
            setattr(args, name, os.path.abspath(value))
    # Stopped by a CTest timeout: unwind, so that what the test started is stopped.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    tests[args.test](args)
    return 0
