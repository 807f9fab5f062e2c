#!/usr/bin/env python3
"""End-to-end tests with damaged data: the game starts, plays and ends normally on Escape when
its sprites, sounds or font are missing or garbled, or when it cannot write its log."""

import os
import pathlib
import random
import shutil
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import CYAN, GameSession, main  # noqa: E402
from murkvault_e2e import walk_north_and_swing  # noqa: E402

NO_PLAYER = r"^Player::Player\(\): Warning! Sprite 'player' not found$"
NO_SOUND = r"^Sound::loadSound\(\): Error: could not load sound from file sounds/"
HEADER = b"frames %s\nwidth %s\nheight %s\ncolor green\n"
rng = random.Random(7)


def rewrite(folder, kinds):
    """Replaces file i of the folder by kinds[i % len(kinds)](its bytes)."""
    for i, path in enumerate(sorted(pathlib.Path(folder).iterdir())):
        path.write_bytes(kinds[i % len(kinds)](path.read_bytes()))


GARBAGE_SPRITES = [
    lambda d: rng.randbytes(rng.randrange(1, 3000)), lambda d: b"",
    lambda d: HEADER % (b"99999", b"99999", b"99999") + b"x" * 99999 + b"\n",
    lambda d: HEADER % (b"2147483647", b"2147483648", b"-3") + b"end\neof\n",
    lambda d: HEADER % (b"100000", b"0", b"0"),  # frames of nothing, and no "end" lines
    lambda d: HEADER % (b"1", b"3", b"1") + b"\x00\xff\x00\nend\neof\n",
    lambda d: b"frames\nwidth\nheight\ncolor\n" + b"\n" * 50,
    lambda d: bytes(rng.randrange(32, 127) for _ in range(200)).replace(b"e", b"\n")]
GARBAGE_SOUNDS = [  # noise, a WAV header and noise, the header cut, the samples cut short
    lambda d: rng.randbytes(rng.randrange(1, 5000)), lambda d: d[:44] + rng.randbytes(len(d) - 44),
    lambda d: d[:rng.randrange(1, 44)], lambda d: d[:len(d) // 3]]
# case: (how the data in folder w is damaged, a log line that shows the damage)
CASES = {
    "missing_sprites": (lambda w: shutil.rmtree(w + "/sprites"),
                        r"^ResourceManager::loadSprite\(\): Error: could not open file "
                        r"sprites/player-sprite\.txt$"),
    # Cut before the "eof" line: mid-header, mid-row or between frames.
    "truncated_sprites": (lambda w: rewrite(w + "/sprites", [
        lambda d: d[:rng.randrange(len(d) - 4)]]), NO_PLAYER),
    "garbage_sprites": (lambda w: rewrite(w + "/sprites", GARBAGE_SPRITES), NO_PLAYER),
    "missing_sounds": (lambda w: shutil.rmtree(w + "/sounds"), NO_SOUND + r"arrow\.wav$"),
    "garbage_sounds": (lambda w: rewrite(w + "/sounds", GARBAGE_SOUNDS), NO_SOUND),
    "missing_font": (lambda w: os.remove(w + "/ks-font.ttf"),
                     r"^GraphicsManager::startUp\(\): Error: Unable to load font 'ks-font\.ttf'$"),
    # Opening a directory for writing fails, even for root.
    "unwritable_log": (lambda w: os.mkdir(w + "/kestrel.log"), None)}


def run_case(case, args):
    damage, shown = CASES[case]
    game = GameSession("damaged-" + case, [args.game], args.data)
    damage(game.cwd)
    with game:
        if shown:
            start = game.until_room()
            game.wait_for_line(shown)
            walk_north_and_swing(game, start)
            time.sleep(2)  # some seconds of the next room's enemies and traps
        else:  # no log: the screen shows the player (cyan, alone in that colour) walk right
            game.until_room(logged=False)
            before = game.screenshot("before").cells_with(CYAN, 0, 2, 79, 21)
            game.xdotool("keydown", "d")
            time.sleep(1)
            game.xdotool("keyup", "d")
            game.xdotool("key", "Right")
            after = game.screenshot("after").cells_with(CYAN, 0, 2, 79, 21)
            assert before and min(after, default=(0,))[0] > min(before)[0] + 3, (before, after)
            time.sleep(1)
        code = game.escape()[0]
        assert code == 0, "exit code %s after Escape; stderr: %s" % (code, game.stderr_text())
        assert shown or os.path.isdir(game.log_path), "kestrel.log was replaced"


if __name__ == "__main__":
    sys.exit(main({case: lambda args, c=case: run_case(c, args) for case in CASES}, __doc__))
