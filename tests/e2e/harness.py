"""Drives the real murkvault executable on a private X server.

A GameSession owns a scratch directory, an Xvfb of its own, the game process and a reader of
its log. Everything it starts is stopped by close(), also when a test fails half-way; a failed
session keeps its scratch directory (with the log and the last screenshot) for diagnosis.
"""

import os
import re
import select
import shutil
import subprocess
import tempfile
import time

SCREEN = "1280x1024x24"
WINDOW_TITLE = "Murkvault"
CELL_WIDTH = 921 / 80
CELL_HEIGHT = 691 / 24
POLL = 0.05
# Machines running these tests are slow and busy: waits are generous, polls are short.
WAIT = 20.0

COLOURS = {
    "black": (0, 0, 0),
    "red": (255, 0, 0),
    "green": (0, 255, 0),
    "blue": (0, 0, 255),
    "cyan": (0, 255, 255),
    "magenta": (255, 0, 255),
    "yellow": (255, 255, 0),
    "white": (255, 255, 255),
}


class E2EFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise E2EFailure(message)


def sprite_colour(data_dir, name):
    """The RGB colour that the sprite file sprites/<name>-sprite.txt is drawn in."""
    with open(os.path.join(data_dir, "sprites", name + "-sprite.txt")) as f:
        for line in f:
            if line.startswith("color "):
                return COLOURS.get(line.split()[1], COLOURS["white"])
    return COLOURS["white"]


class XServer:
    """An Xvfb that picked a free display number by itself.

    -noreset: a fresh X server resets when its last client disconnects, and a client that
    connects during the reset is refused. The game probes the display with a connection of
    its own before SFML opens one, so without it the game sometimes aborts at start-up.
    """

    def __init__(self, log_path):
        read_end, write_end = os.pipe()
        self.log = open(log_path, "wb")
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + WAIT
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(left, 0))
                if not ready:
                    raise E2EFailure("Xvfb did not report its display number")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise E2EFailure("Xvfb ended before reporting its display number")
                number += chunk
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        stop_process(self.process)
        self.log.close()


def stop_process(process, grace=3.0):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class LogReader:
    """Follows a log file, remembering when the poller first saw each line."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.partial = b""
        self.lines = []  # (monotonic time first seen, text)

    def poll(self):
        try:
            with open(self.path, "rb") as f:
                size = os.fstat(f.fileno()).st_size
                if size < self.offset:  # emptied by a fresh start
                    self.offset, self.partial, self.lines = 0, b"", []
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return
        self.offset += len(data)
        now = time.monotonic()
        data = self.partial + data
        *complete, self.partial = data.split(b"\n")
        for raw in complete:
            self.lines.append((now, raw.decode("utf-8", "replace")))

    def texts(self, start=0):
        return [text for _, text in self.lines[start:]]


class Screen:
    """One screenshot cropped to the game window, with look-ups by character cell."""

    def __init__(self, path, x, y, width, height):
        self.path = path
        self.width = width
        self.height = height
        raw = subprocess.run(
            ["convert", path, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
             "-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
        check(len(raw) == width * height * 3, "screenshot of %s has an unexpected size" % path)
        self.raw = raw

    def pixel(self, px, py):
        i = (py * self.width + px) * 3
        return tuple(self.raw[i:i + 3])

    def cell_pixels(self, cx0, cy0, cx1, cy1):
        """The pixels of cells cx0..cx1 x cy0..cy1, plus the cell right of them (glyphs are a
        little wider than their cell)."""
        x0, x1 = int(cx0 * CELL_WIDTH), min(int((cx1 + 2) * CELL_WIDTH), self.width)
        y0, y1 = int(cy0 * CELL_HEIGHT), min(int((cy1 + 1) * CELL_HEIGHT), self.height)
        for py in range(y0, y1):
            for px in range(x0, x1):
                yield px, py, self.pixel(px, py)

    def count(self, colour, cx0, cy0, cx1, cy1):
        return sum(1 for _, _, rgb in self.cell_pixels(cx0, cy0, cx1, cy1) if rgb == colour)

    def cells_with(self, colour, cx0, cy0, cx1, cy1):
        """The cells (x, y) inside the area that hold a pixel of the colour (own pixels only)."""
        found = set()
        x0, x1 = int(cx0 * CELL_WIDTH), int((cx1 + 1) * CELL_WIDTH)
        y0, y1 = int(cy0 * CELL_HEIGHT), int((cy1 + 1) * CELL_HEIGHT)
        for py in range(y0, min(y1, self.height)):
            for px in range(x0, min(x1, self.width)):
                if self.pixel(px, py) == colour:
                    found.add((int(px / CELL_WIDTH), int(py / CELL_HEIGHT)))
        return found


class GameSession:
    """A game under test: `with GameSession(name, command) as game: ...`.

    command is the argument list to start; cwd is where it runs (by default a fresh scratch
    folder holding copies of the game's data from data_dir); log_path is where the game writes
    kestrel.log (by default in cwd).
    """

    def __init__(self, name, command, data_dir=None, cwd=None, log_path=None, env=None):
        self.name = name
        self.scratch = tempfile.mkdtemp(prefix="murkvault-e2e-%s-" % name)
        self.failed = False
        self.xserver = None
        self.process = None
        self.keys_down = set()
        self.window = None
        self.geometry = None
        self.last_shot = None
        # The game runs in another folder: a relative path to it must not change meaning.
        if os.sep in command[0]:
            command = [os.path.abspath(command[0])] + list(command[1:])
        self.command = command
        if cwd is None:
            cwd = os.path.join(self.scratch, "work")
            os.makedirs(cwd)
            data_dir = os.path.abspath(data_dir)
            for item in ("sprites", "sounds"):
                shutil.copytree(os.path.join(data_dir, item), os.path.join(cwd, item))
            shutil.copy(os.path.join(data_dir, "ks-font.ttf"), cwd)
        self.cwd = cwd
        self.log = LogReader(log_path or os.path.join(cwd, "kestrel.log"))
        # No sound card is needed: OpenAL Soft gets a configuration with the null driver only.
        alsoft = os.path.join(self.scratch, "alsoft.conf")
        with open(alsoft, "w") as f:
            f.write("[general]\ndrivers=null\n")
        self.env = dict(os.environ)
        self.env.pop("XAUTHORITY", None)
        self.env.update({"ALSOFT_CONF": alsoft, "ALSOFT_DRIVERS": "null"})
        self.env.update(env or {})

    # Life cycle.

    def __enter__(self):
        try:
            self.xserver = XServer(os.path.join(self.scratch, "xvfb.log"))
            self.env["DISPLAY"] = self.xserver.display
            self.start()
        except BaseException:
            self.failed = True
            self.close()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            self.failed = True
        self.close()
        return False

    def start(self):
        self.stdout = open(os.path.join(self.scratch, "game.stdout"), "wb")
        self.stderr = open(os.path.join(self.scratch, "game.stderr"), "wb")
        self.process = subprocess.Popen(self.command, cwd=self.cwd, env=self.env,
                                        stdout=self.stdout, stderr=self.stderr)

    def close(self):
        # Cleaning up must not stop half-way: the game and the X server are stopped whatever
        # the keys and the last screenshot do.
        try:
            for key in list(self.keys_down):
                self.key_up(key, quiet=True)
            if self.failed and self.window and self.process.poll() is None:
                self.screenshot("at-failure")
        except (E2EFailure, OSError, subprocess.SubprocessError) as problem:
            print("while cleaning up: %s" % problem)
        stop_process(self.process)
        if self.xserver is not None:
            self.xserver.stop()
            self.xserver = None
        if self.process is not None:
            self.stdout.close()
            self.stderr.close()
        if self.failed:
            print("kept for diagnosis: %s (log: %s)" % (self.scratch, self.log.path))
            if self.last_shot:
                print("last screenshot: %s" % self.last_shot)
        else:
            shutil.rmtree(self.scratch, ignore_errors=True)

    def returncode(self):
        return self.process.poll()

    def stderr_text(self):
        self.stderr.flush()
        with open(self.stderr.name, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def wait_exit(self, timeout):
        """The exit code, or None if the game still runs after timeout seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    # Waiting.

    def ensure_running(self):
        code = self.process.poll()
        if code is not None:
            raise E2EFailure("the game ended (exit code %s) while a test waited; stderr: %s"
                             % (code, self.stderr_text().strip()))

    def wait_for_line(self, pattern, timeout=WAIT, start=0):
        """Waits for a log line (index >= start) matching the regular expression; returns
        (index, match)."""
        regex = re.compile(pattern)
        deadline = time.monotonic() + timeout
        checked = start
        while True:
            self.log.poll()
            for i in range(checked, len(self.log.lines)):
                match = regex.search(self.log.lines[i][1])
                if match:
                    return i, match
            checked = max(checked, len(self.log.lines))
            self.ensure_running()
            if time.monotonic() > deadline:
                raise E2EFailure("no log line matching %r within %.0f s" % (pattern, timeout))
            time.sleep(POLL)

    def wait_window(self, timeout=WAIT):
        deadline = time.monotonic() + timeout
        while True:
            found = self.xdotool("search", "--name", "^%s$" % WINDOW_TITLE, check=False)
            if found.returncode == 0 and found.stdout.split():
                self.window = found.stdout.split()[0]
                break
            self.ensure_running()
            if time.monotonic() > deadline:
                raise E2EFailure("no window titled %s within %.0f s" % (WINDOW_TITLE, timeout))
            time.sleep(POLL)
        self.geometry = self.window_geometry()
        return self.window

    def window_geometry(self):
        out = self.xdotool("getwindowgeometry", "--shell", self.window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def window_name(self):
        return self.xdotool("getwindowname", self.window).stdout.strip()

    # Input. There is no window manager: the window gets the focus explicitly, and the keys go
    # through the XTEST extension, so SFML's XQueryKeymap sees them held.

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool"] + list(args), env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True, timeout=WAIT)
        if check and result.returncode != 0:
            raise E2EFailure("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result

    def focus(self):
        self.xdotool("windowfocus", "--sync", self.window)

    def key_down(self, key):
        self.xdotool("keydown", key)
        self.keys_down.add(key)

    def key_up(self, key, quiet=False):
        self.keys_down.discard(key)
        self.xdotool("keyup", key, check=not quiet)

    def tap(self, key):
        self.xdotool("key", key)

    def press_until(self, key, pattern, timeout=WAIT, start=0, retry=1.0):
        """Taps the key until a log line matching the pattern appears; returns (index, match)."""
        deadline = time.monotonic() + timeout
        while True:
            self.tap(key)
            try:
                return self.wait_for_line(pattern, min(retry, max(deadline - time.monotonic(), 0)),
                                          start)
            except E2EFailure:
                self.ensure_running()
                if time.monotonic() > deadline:
                    raise E2EFailure("pressing %s gave no log line matching %r within %.0f s"
                                     % (key, pattern, timeout))

    # Looking.

    def screenshot(self, label):
        path = os.path.join(self.scratch, "%s.png" % label)
        result = subprocess.run(["import", "-window", "root", path], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=WAIT)
        if result.returncode != 0:
            raise E2EFailure("import failed: %s" % result.stderr.decode().strip())
        self.last_shot = path
        x, y, width, height = self.geometry or self.window_geometry()
        return Screen(path, x, y, width, height)

    def wait_screen(self, label, predicate, timeout=WAIT):
        """Takes screenshots until predicate(screen) is true; returns that screen."""
        deadline = time.monotonic() + timeout
        while True:
            screen = self.screenshot(label)
            if predicate(screen):
                return screen
            self.ensure_running()
            if time.monotonic() > deadline:
                raise E2EFailure("the screen did not show %s within %.0f s" % (label, timeout))
            time.sleep(0.2)


CYCLES = re.compile(r"GameManager::run\(\): (\d+) cycles \((\d+) seconds\) executed")
MOVE = re.compile(r"moving towards vector <(-?\d+), (-?\d+)>, position is (-?\d+) (-?\d+)")
