#!/usr/bin/env python3
"""End-to-end tests with damaged data: the game starts within a few seconds and under 400 MB,
plays and ends normally on Escape when its sprites, sounds or font are missing, garbled or
hostile (a FIFO, a device, a directory, a 20 GB sparse file, a header that lies)."""

import os
import pathlib
import random
import shutil
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import GameSession, main  # noqa: E402

NO_PLAYER = r"^Player::Player\(\): Warning! Sprite 'player' not found$"
NO_SOUND = r"^Sound::loadSound\(\): Error: could not load sound from file sounds/"
HEADER = b"frames %s\nwidth %s\nheight %s\ncolor green\n"
rng = random.Random(7)
STARTED = r"^GameManager::run\(\): 0 cycles"
# The start-up budget: a sanitizer build runs several times slower.
START_SECONDS = 10 if "ASAN_OPTIONS" in os.environ else 5
PEAK_MB = 400
HUGE = 20 * 10**9  # bytes of a sparse file: a hole that reads as zeros


def rewrite(folder, kinds):
    """Replaces file i of the folder by kinds[i % len(kinds)](its bytes)."""
    for i, path in enumerate(sorted(pathlib.Path(folder).iterdir())):
        path.write_bytes(kinds[i % len(kinds)](path.read_bytes()))


GARBAGE_SPRITES = [
    lambda d: d[:rng.randrange(len(d) - 4)],  # cut before "eof": mid-header, mid-row, or later
    lambda d: rng.randbytes(rng.randrange(1, 3000)), lambda d: b"",
    lambda d: HEADER % (b"99999", b"99999", b"99999") + b"x" * 99999 + b"\n",
    lambda d: HEADER % (b"2147483647", b"2147483648", b"-3") + b"end\neof\n",
    lambda d: HEADER % (b"100000", b"0", b"0"),  # frames of nothing, and no "end" lines
    lambda d: HEADER % (b"1", b"3", b"1") + b"\x00\xff\x00\nend\neof\n",
    lambda d: b"frames\nwidth\nheight\ncolor\n" + b"\n" * 50,
    lambda d: bytes(rng.randrange(32, 127) for _ in range(200)).replace(b"e", b"\n")]


def replace(folder, makers):
    """Replaces each named file of the folder by what its maker makes at that path."""
    for name, make in makers.items():
        path = os.path.join(folder, name)
        os.remove(path)
        make(path)


def sparse(head=b""):
    def make(path):
        with open(path, "wb") as out:
            out.write(head)
            out.truncate(HUGE)
    return make


def lying_wav(path):
    """Makes the WAV file's data chunk claim almost 4 GB."""
    data = pathlib.Path(path).read_bytes()
    at = data.find(b"data") + 4
    pathlib.Path(path).write_bytes(data[:at] + b"\xf0\xff\xff\xff" + data[at + 4:])


def to_dev_zero(path):
    os.symlink("/dev/zero", path)


LOAD = r"^ResourceManager::loadSprite\(\): Error: "
NO_OPEN = LOAD + r"could not open file sprites/%s-sprite\.txt$"
TOO_LONG = (LOAD + r"sprites/%s-sprite\.txt:%d: expected .*, "
            r"found a (longer line|line of more than \d+ characters)$")
HOSTILE_SPRITES = {"player-sprite.txt": os.mkfifo, "title-sprite.txt": to_dev_zero,
                   "door-north-sprite.txt": os.mkdir, "wall-sprite.txt": sparse(),
                   "zombie-sprite.txt": sparse(HEADER % (b"4", b"3", b"3"))}
HOSTILE_SOUNDS = {"zombie1.wav": sparse(), "zombie2.wav": os.mkfifo, "zombie3.wav": to_dev_zero,
                  "cash_register.wav": os.mkdir}
GARBAGE_SOUNDS = [  # noise, a WAV header and noise, the header cut, the samples cut short
    lambda d: rng.randbytes(rng.randrange(1, 5000)), lambda d: d[:44] + rng.randbytes(len(d) - 44),
    lambda d: d[:rng.randrange(1, 44)], lambda d: d[:len(d) // 3]]
# case: (how the data in folder w is damaged, the log line or lines that show the damage)
CASES = {
    "missing_sprites": (lambda w: shutil.rmtree(w + "/sprites"), NO_OPEN % "player"),
    "garbage_sprites": (lambda w: rewrite(w + "/sprites", GARBAGE_SPRITES), NO_PLAYER),
    "missing_sounds": (lambda w: shutil.rmtree(w + "/sounds"), NO_SOUND + r"arrow\.wav$"),
    "garbage_sounds": (lambda w: rewrite(w + "/sounds", GARBAGE_SOUNDS), NO_SOUND),
    # ResourceManagerTest and SoundDecoderTest refuse each; here the game starts fast among them.
    "hostile_files": (lambda w: (replace(w + "/sprites", HOSTILE_SPRITES),
                                 replace(w + "/sounds", HOSTILE_SOUNDS),
                                 lying_wav(w + "/sounds/arrow.wav")),
                      [NO_OPEN % "player", NO_OPEN % "title", NO_OPEN % "door-north",
                       TOO_LONG % ("wall", 1), TOO_LONG % ("zombie", 5)] +
                      [NO_SOUND + name + r"\.wav$" for name in
                       ("arrow", "zombie1", "zombie2", "zombie3", "cash_register")]),
    "missing_font": (lambda w: os.remove(w + "/ks-font.ttf"),
                     r"^GraphicsManager::startUp\(\): Error: Unable to load font 'ks-font\.ttf'$")}


def peak_memory_mb(pid):
    """The process's peak resident memory so far."""
    with open("/proc/%d/status" % pid) as status:
        kb = next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))
    return kb // 1024


def walk_north_and_swing(game, start):
    """Holds W from (39, 11) through the north doorway, then swings the sword each way."""
    game.xdotool("keydown", "w")
    start, _ = game.wait_for_line(r"<0, -1>, position is 39 19$", start=start)
    game.xdotool("keyup", "w")
    moves = game.moves()
    # One cell a move up to the doorway at y 2; the next move starts in the next room's door.
    assert moves[:11] == [("0", "-1", "39", str(y)) for y in [*range(11, 1, -1), 19]], moves
    for key, dx, dy in (("Up", 0, -1), ("Right", 1, 0), ("Down", 0, 1), ("Left", -1, 0)):
        # A swing blocks the next one for 15 cycles: the key is tapped until it is taken.
        start, _ = game.press_until(key, r"^creating hitboxes %d %d$" % (dx, dy), start)
        game.wait_for_line(r"^created sword hitbox", start=start)


def run_case(case, args):
    damage, shown = CASES[case]
    game = GameSession("damaged-" + case, [args.game], args.data)
    damage(game.cwd)
    with game:
        launched = time.monotonic()
        game.wait_for_line(STARTED)
        seconds, peak = time.monotonic() - launched, peak_memory_mb(game.process.pid)
        assert seconds < START_SECONDS and peak < PEAK_MB, "started after %.1f s in %d MB" % (
            seconds, peak)
        start = game.until_room()
        for line in shown if isinstance(shown, list) else [shown]:
            game.wait_for_line(line)
        walk_north_and_swing(game, start)
        time.sleep(2)  # some seconds of the next room's enemies and traps
        game.escape()


if __name__ == "__main__":
    sys.exit(main({case: lambda args, c=case: run_case(c, args) for case in CASES}, __doc__))
