#!/usr/bin/env python3
"""End-to-end tests of the log's limits: the game plays on, and ends on Escape with exit code 0,
under a file-size limit (the log moves aside before it reaches the limit) and with a pipe in
place of its log file (the lines are dropped; the game used to freeze once the pipe was full)."""

import os
import pathlib
import shutil
import stat
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import CYCLES, GameSession, main, tests_of  # noqa: E402
from murkvault_e2e import walk_north_and_swing  # noqa: E402

LIMIT = 65536
PLAYER_CREATED = r"^created instance of player$"


class RotatingLogSession(GameSession):
    """A session whose log reader follows the file when the game moves it aside to
    kestrel.log.1 and starts a fresh one; counts those moves in `rotations`."""

    rotations = 0

    def texts(self, start=0):
        log = pathlib.Path(self.log_path)
        if (log.stat().st_size if log.is_file() else 0) < self.log_offset:
            # The rest of the old file first, then the new one.
            self.add_lines(pathlib.Path(self.log_path + ".1").read_bytes()[self.log_offset:])
            self.log_offset = 0
            self.rotations += 1
        return super().texts(start)


def test_file_size_limit(args):
    """Under `prlimit --fsize=65536` the game died of SIGXFSZ some seconds into a room with
    enemies, silently, its log at exactly the limit."""
    command = [shutil.which("prlimit"), "--fsize=%d" % LIMIT, args.game]
    with RotatingLogSession("fsize", command, args.data) as game:
        start = game.until_room()
        # Into a room whose enemies log every step. They may kill the hero before the log has
        # moved aside twice; the next game starts in the quiet first room, so walk in again.
        for _ in range(3):
            walk_north_and_swing(game, start)
            game.wait_until("the log moved aside twice, or a new game", lambda: game.texts() and (
                game.rotations >= 2 or game.find_line(PLAYER_CREATED, start + 1)), timeout=60)
            if game.rotations >= 2:
                break
            start = game.find_line(PLAYER_CREATED, start + 1)[0]
        assert game.rotations >= 2, "the log moved aside %d times in three games" % game.rotations
        # Still running and still logging: a cycles line after the second move.
        game.wait_for_line(CYCLES.pattern, start=len(game.lines))
        for name in ("kestrel.log", "kestrel.log.1"):
            size = os.path.getsize(os.path.join(game.cwd, name))
            assert size <= LIMIT, "%s holds %d bytes" % (name, size)
        game.escape()


def test_log_is_a_pipe(args):
    """With kestrel.log a named pipe (here with a reader that never reads) the game froze once
    64 KiB of lines filled the pipe, and Escape did nothing."""
    game = GameSession("fifo", [args.game], args.data)
    os.mkfifo(game.log_path)
    reader = os.open(game.log_path, os.O_RDONLY | os.O_NONBLOCK)
    try:
        with game:
            game.until_room(logged=False)
            # Through the north doorway into rooms with enemies, whose lines soon fill a pipe.
            game.xdotool("keydown", "w")
            time.sleep(3)
            game.xdotool("keyup", "w")
            time.sleep(6)
            game.escape()
            try:
                written = os.read(reader, 1)
            except BlockingIOError:
                written = b""
            assert written == b"", "the game wrote into the pipe"
            assert stat.S_ISFIFO(os.stat(game.log_path).st_mode), "kestrel.log was replaced"
    finally:
        os.close(reader)


if __name__ == "__main__":
    sys.exit(main(tests_of(globals()), __doc__))
