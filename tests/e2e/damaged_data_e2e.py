#!/usr/bin/env python3
"""End-to-end tests with damaged data: the game starts, plays and ends normally on Escape when
its sprites, sounds or font are missing or garbled, or when it cannot write its log.

usage: damaged_data_e2e.py --game PATH --data DIR CASE
Each CASE is registered with CTest on its own; the exit code is 0 when it passes.
"""

import argparse
import os
import random
import shutil
import signal
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import COLOURS, E2EFailure, GameSession, check  # noqa: E402
from murkvault_e2e import PLAYER_CREATED, health_and_score_shown  # noqa: E402

# The first move in the room north of the centre: the player came through the doorway.
NORTH_ROOM_ENTERED = r"^moving towards vector <0, -1>, position is 39 19$"


def copy_data(data_dir, work):
    for item in ("sprites", "sounds"):
        shutil.copytree(os.path.join(data_dir, item), os.path.join(work, item))
    shutil.copy(os.path.join(data_dir, "ks-font.ttf"), work)


def files_in(work, folder):
    path = os.path.join(work, folder)
    return [os.path.join(path, name) for name in sorted(os.listdir(path))]


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def truncate_sprites(work, rng):
    # Cut every file before its "eof" line: mid-header, mid-row or between frames.
    for path in files_in(work, "sprites"):
        with open(path, "rb") as f:
            data = f.read()
        write(path, data[:rng.randrange(0, len(data) - 4)])


def garble_sprites(work, rng):
    header = b"frames %s\nwidth %s\nheight %s\ncolor green\n"
    kinds = [
        lambda: bytes(rng.randrange(256) for _ in range(rng.randrange(1, 3000))),
        lambda: b"",
        lambda: header % (b"99999", b"99999", b"99999") + b"x" * 99999 + b"\n",
        lambda: header % (b"2147483647", b"2147483648", b"-3") + b"end\neof\n",
        lambda: header % (b"100000", b"0", b"0"),  # frames of nothing, and no "end" lines
        lambda: header % (b"1", b"3", b"1") + b"\x00\xff\x00\nend\neof\n",
        lambda: b"frames\nwidth\nheight\ncolor\n" + b"\n" * 50,
        lambda: bytes(rng.randrange(32, 127) for _ in range(200)).replace(b"e", b"\n"),
    ]
    for i, path in enumerate(files_in(work, "sprites")):
        write(path, kinds[i % len(kinds)]())


def garble_sounds(work, rng):
    for i, path in enumerate(files_in(work, "sounds")):
        with open(path, "rb") as f:
            data = f.read()
        kind = i % 4
        if kind == 0:  # noise
            data = bytes(rng.randrange(256) for _ in range(rng.randrange(1, 5000)))
        elif kind == 1:  # a WAV header followed by noise
            data = data[:44] + bytes(rng.randrange(256) for _ in range(len(data) - 44))
        elif kind == 2:  # the header cut short
            data = data[:rng.randrange(1, 44)]
        else:  # the samples cut short of what the header promises
            data = data[:len(data) // 3]
        write(path, data)


def prepare(case, data_dir, work):
    """Damages a copy of the game's data; returns the log lines that show the damage."""
    copy_data(data_dir, work)
    rng = random.Random(case)
    if case == "missing_sprites":
        shutil.rmtree(os.path.join(work, "sprites"))
        return [r"^ResourceManager::loadSprite\(\): Error: could not open file "
                r"sprites/player-sprite\.txt$",
                r"^Player::Player\(\): Warning! Sprite 'player' not found$"]
    if case == "truncated_sprites":
        truncate_sprites(work, rng)
        return [r"^Player::Player\(\): Warning! Sprite 'player' not found$"]
    if case == "garbage_sprites":
        garble_sprites(work, rng)
        return [r"^Player::Player\(\): Warning! Sprite 'player' not found$"]
    if case == "missing_sounds":
        shutil.rmtree(os.path.join(work, "sounds"))
        return [r"^Sound::loadSound\(\): Error: could not load sound from file sounds/arrow\.wav$"]
    if case == "garbage_sounds":
        garble_sounds(work, rng)
        return [r"^Sound::loadSound\(\): Error: could not load sound from file sounds/"]
    if case == "missing_font":
        os.remove(os.path.join(work, "ks-font.ttf"))
        return [r"^GraphicsManager::startUp\(\): Error: Unable to load font 'ks-font\.ttf'$"]
    if case == "unwritable_log":
        os.mkdir(os.path.join(work, "kestrel.log"))  # fopen of a directory fails, even for root
        return []
    raise E2EFailure("unknown case %s" % case)


def quit_with_escape(game):
    game.ensure_running()
    game.tap("Escape")
    code = game.wait_exit(5)
    check(code == 0, "exit code after Escape: %s; stderr: %s" % (code, game.stderr_text()[-500:]))


def play_logged(game, damage_lines):
    """Walks north into the next room and swings the sword, judged by the log."""
    game.wait_window()
    start, _ = game.wait_for_line(PLAYER_CREATED)
    for pattern in damage_lines:
        game.wait_for_line(pattern)
    game.focus()
    game.key_down("w")
    start, _ = game.wait_for_line(NORTH_ROOM_ENTERED, start=start)
    game.key_up("w")
    game.press_until("Up", r"^creating hitboxes 0 -1$", start=start, retry=0.4)
    # Some seconds of the new room's enemies and traps with the damaged data.
    time.sleep(2)
    quit_with_escape(game)


def mean_x(cells):
    return sum(x for x, _ in cells) / len(cells)


def play_unlogged(game):
    """Without a log the screen tells: the room appears and the player walks right."""
    game.wait_window()
    game.wait_screen("room", health_and_score_shown)
    game.focus()
    cyan = COLOURS["cyan"]  # the player's colour; nothing else in the first room has it
    before = game.screenshot("before").cells_with(cyan, 0, 2, 79, 21)
    check(before, "the player is not on the screen")
    game.key_down("d")
    time.sleep(1)
    game.key_up("d")
    game.tap("Right")
    after = game.screenshot("after").cells_with(cyan, 0, 2, 79, 21)
    check(after and mean_x(after) > mean_x(before) + 3,
          "the player did not walk right: cells %s then %s" % (sorted(before), sorted(after)))
    time.sleep(1)
    quit_with_escape(game)
    check(os.path.isdir(os.path.join(game.cwd, "kestrel.log")), "kestrel.log was replaced")


CASES = ("missing_sprites", "truncated_sprites", "garbage_sprites", "missing_sounds",
         "garbage_sounds", "missing_font", "unwritable_log")


def run_case(case, args):
    work = tempfile.mkdtemp(prefix="murkvault-e2e-damaged-%s-" % case)
    try:
        damage_lines = prepare(case, os.path.abspath(args.data), work)
        logged = case != "unwritable_log"
        # A log that cannot be written is not read either (the path does not exist).
        log_path = None if logged else os.path.join(work, "no-such-log")
        with GameSession("damaged-" + case, [args.game], cwd=work, log_path=log_path) as game:
            if logged:
                play_logged(game, damage_lines)
            else:
                play_unlogged(game)
    except BaseException:
        print("kept for diagnosis: %s" % work)
        raise
    shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True, help="the murkvault executable")
    parser.add_argument("--data", required=True, help="the folder with sprites/, sounds/, font")
    parser.add_argument("case", choices=CASES)
    args = parser.parse_args()
    # Stopped from outside (a CTest timeout): unwind, so the game and its X server are stopped.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    started = time.monotonic()
    try:
        run_case(args.case, args)
    except E2EFailure as failure:
        print("FAILED %s: %s" % (args.case, failure))
        return 1
    print("passed %s in %.1f s" % (args.case, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
