#!/usr/bin/env python3
"""Check the sprite files in sprites/ before they go into the game.

Usage: python3 tools/check-sprites.py [SPRITE_DIR]

Two kinds of checks:
  * the file format the loader reads (header lines, colour, frame rows of the
    exact width, `end` after every frame, `eof` at the end), and
  * what the game relies on for particular sprites (sizes it places on the
    screen, door openings that must stay open, the score row on the game-over
    screen, four facings for every enemy, ...).

Prints one line per problem and exits with status 1 if there is any.
"""
import os
import re
import sys

COLOURS = {"black", "red", "green", "blue", "cyan", "magenta", "yellow", "white"}
SCREEN_W, SCREEN_H = 80, 24


class Sprite:
    def __init__(self, name, frames, width, height, colour):
        self.name = name
        self.frames = frames
        self.width = width
        self.height = height
        self.colour = colour


def parse(path, errors):
    """Parse one sprite file; append problems to errors; return Sprite or None."""
    name = os.path.basename(path)

    def err(msg):
        errors.append("%s: %s" % (name, msg))

    with open(path, "rb") as fh:
        raw = fh.read()
    if b"\r" in raw:
        err("has CR characters (must use LF line endings)")
    if b"\t" in raw:
        err("has TAB characters (a tab is not one cell wide)")
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        err("is not plain ASCII (every character must be one cell)")
        return None
    if not text.endswith("eof\n"):
        err("must end with a line 'eof' followed by a newline")
    lines = text.replace("\r", "").split("\n")
    if lines and lines[-1] == "":
        lines.pop()

    header = [("frames", r"frames ([1-9][0-9]*)"),
              ("width", r"width ([1-9][0-9]*)"),
              ("height", r"height ([1-9][0-9]*)")]
    values = {}
    for i, (key, pattern) in enumerate(header):
        line = lines[i] if i < len(lines) else "<missing>"
        m = re.fullmatch(pattern, line)
        if not m:
            err("line %d must be '%s N', got %r" % (i + 1, key, line))
            return None
        values[key] = int(m.group(1))
    line = lines[3] if len(lines) > 3 else "<missing>"
    m = re.fullmatch(r"color ([a-z]+)", line)
    if not m or m.group(1) not in COLOURS:
        err("line 4 must be 'color NAME' with NAME one of %s, got %r"
            % (" ".join(sorted(COLOURS)), line))
        return None
    colour = m.group(1)

    n, w, h = values["frames"], values["width"], values["height"]
    frames = []
    pos = 4
    for f in range(n):
        rows = lines[pos:pos + h]
        if len(rows) < h:
            err("frame %d is cut short (file ends early)" % f)
            return None
        for r, row in enumerate(rows):
            if row in ("end", "eof") and len(row) != w:
                err("frame %d has only %d rows, expected %d" % (f, r, h))
                return None
            if len(row) != w:
                err("frame %d row %d is %d characters wide, expected %d: %r"
                    % (f, r, len(row), w, row))
        pos += h
        if pos >= len(lines) or lines[pos] != "end":
            got = lines[pos] if pos < len(lines) else "<end of file>"
            err("frame %d must be followed by a line 'end', got %r" % (f, got))
            return None
        pos += 1
        frames.append(rows)
    if pos >= len(lines) or lines[pos] != "eof":
        got = lines[pos] if pos < len(lines) else "<end of file>"
        err("expected 'eof' after %d frame(s), got %r (frame count wrong?)" % (n, got))
        return None
    if pos != len(lines) - 1:
        err("has %d line(s) after 'eof'" % (len(lines) - 1 - pos))
    return Sprite(name, frames, w, h, colour)


# ---------------------------------------------------------------------------
# What the game expects of individual sprites.

def size_is(s, w, h):
    if (s.width, s.height) != (w, h):
        yield "must be %dx%d, is %dx%d" % (w, h, s.width, s.height)


def frames_between(s, lo, hi):
    if not lo <= len(s.frames) <= hi:
        yield "must have %d..%d frames, has %d" % (lo, hi, len(s.frames))


def distinct_frames(s):
    seen = {}
    for i, f in enumerate(s.frames):
        key = tuple(f)
        if key in seen:
            yield "frames %d and %d are identical" % (seen[key], i)
        seen[key] = i


def check_wall(s):
    yield from size_is(s, SCREEN_W, SCREEN_H)
    yield from frames_between(s, 1, 1)
    f = s.frames[0]
    for y in range(s.height):
        for x in range(s.width):
            edge = y < 2 or y >= s.height - 2 or x < 2 or x >= s.width - 2
            if edge and f[y][x] == " ":
                yield "wall has a gap at column %d row %d" % (x, y)
    inside = [f[y][x] for y in range(2, s.height - 2) for x in range(2, s.width - 2)]
    busy = sum(1 for c in inside if c != " ")
    if busy > len(inside) // 40:
        yield "floor is too busy: %d of %d cells are not blank" % (busy, len(inside))


OPEN_CHARS = set(" ._")


def check_door_horizontal(s):
    yield from size_is(s, 8, 2)
    yield from frames_between(s, 1, 1)
    f = s.frames[0]
    for y in range(2):
        for x in range(1, 7):
            if f[y][x] not in OPEN_CHARS:
                yield "doorway cell (%d,%d) is %r, must look open" % (x, y, f[y][x])
        for x in (0, 7):
            if f[y][x] == " ":
                yield "door post at (%d,%d) is blank" % (x, y)


def check_door_vertical(s):
    yield from size_is(s, 2, 6)
    yield from frames_between(s, 1, 1)
    f = s.frames[0]
    for y in range(1, 5):
        for x in range(2):
            if f[y][x] not in OPEN_CHARS:
                yield "doorway cell (%d,%d) is %r, must look open" % (x, y, f[y][x])
    for y in (0, 5):
        for x in range(2):
            if f[y][x] == " ":
                yield "door post at (%d,%d) is blank" % (x, y)


def check_player(s):
    yield from size_is(s, 3, 3)
    yield from frames_between(s, 1, 4)


def check_sword(s):
    yield from size_is(s, 1, 1)
    yield from frames_between(s, 2, 8)
    for i, f in enumerate(s.frames):
        if f[0] == " ":
            yield "frame %d is blank" % i


def check_enemy(s):
    # frames are the facings up, down, right, left; they must differ
    yield from size_is(s, 3, 3)
    yield from frames_between(s, 4, 4)
    yield from distinct_frames(s)


def check_arrow_trap(s):
    yield from size_is(s, 3, 3)
    yield from frames_between(s, 1, 1)
    f = s.frames[0]
    # the game blanks one of these to show where the arrows come out
    for x, y in ((1, 0), (0, 1), (2, 1), (1, 2)):
        if f[y][x] == " ":
            yield "muzzle cell (%d,%d) must be part of the block" % (x, y)


def check_spikes(s):
    yield from size_is(s, 2, 2)
    yield from frames_between(s, 1, 1)


def check_item(s):
    if s.width > 3 or s.height > 2:
        yield "items must be at most 3x2, is %dx%d" % (s.width, s.height)
    yield from frames_between(s, 1, 1)
    if all(c == " " for row in s.frames[0] for c in row):
        yield "item is invisible"


def check_ladder(s):
    if (s.width, s.height) not in ((3, 3), (3, 2)):
        yield "must be 3x3 or 3x2, is %dx%d" % (s.width, s.height)
    yield from frames_between(s, 1, 1)


def check_instructions(s):
    # drawn at (4,2); must stay inside columns 4..40 and rows 2..10
    if s.width > 36 or s.height > 9:
        yield "sign must be at most 36x9, is %dx%d" % (s.width, s.height)
    yield from frames_between(s, 1, 1)
    f = s.frames[0]
    # a heading may sit in the top edge; the rest of the frame must be closed
    if " " in f[-1] or any(r[0] == " " or r[-1] == " " for r in f):
        yield "sign needs a closed border"
    text = " ".join(" ".join(r.split()) for r in f)
    for words in (["W", "A", "S", "D", "move"], ["arrows", "swing", "sword"],
                  ["L-Shift", "run"], ["L-Alt", "sneak"], ["P", "pause"],
                  ["Q", "leave", "for", "good"], ["Esc", "quit"]):
        if " ".join(words) not in text:
            yield "sign is missing the control %r" % " ".join(words)


def check_title(s):
    yield from size_is(s, SCREEN_W, SCREEN_H)
    yield from frames_between(s, 1, 1)


SCORE_ROWS = (16, 17)  # the final score, then the floor reached


def check_gameover(s):
    yield from size_is(s, SCREEN_W, SCREEN_H)
    yield from frames_between(s, 2, 4)
    yield from distinct_frames(s)
    for i, f in enumerate(s.frames):
        for row in SCORE_ROWS:
            if len(f) > row and f[row].strip():
                yield "frame %d: row %d must be blank, the final score and floor are written " \
                      "there" % (i, row)
        # The pause text is written across the top row.
        if f[0].strip():
            yield "frame %d: row 0 must be blank, the pause text is written there" % i


CHECKS = {
    "wall-sprite.txt": check_wall,
    "door-north-sprite.txt": check_door_horizontal,
    "door-south-sprite.txt": check_door_horizontal,
    "door-west-sprite.txt": check_door_vertical,
    "door-east-sprite.txt": check_door_vertical,
    "player-sprite.txt": check_player,
    "sword-sprite.txt": check_sword,
    "zombie-sprite.txt": check_enemy,
    "zombie-hit-sprite.txt": check_enemy,
    "zombie-aggro-sprite.txt": check_enemy,
    "skeleton-sprite.txt": check_enemy,
    "skeleton-hit-sprite.txt": check_enemy,
    "skeleton-aggro-sprite.txt": check_enemy,
    "arrow-trap-sprite.txt": check_arrow_trap,
    "spikes-sprite.txt": check_spikes,
    "heart-sprite.txt": check_item,
    "moneybag-sprite.txt": check_item,
    "atkup-sprite.txt": check_item,
    "defup-sprite.txt": check_item,
    "ladder-sprite.txt": check_ladder,
    "instructions-sprite.txt": check_instructions,
    "title-sprite.txt": check_title,
    "gameover-sprite.txt": check_gameover,
}

# sprites that must be told apart on screen by colour
DIFFERENT_COLOURS = [
    ("zombie-sprite.txt", "zombie-hit-sprite.txt", "zombie-aggro-sprite.txt"),
    ("skeleton-sprite.txt", "skeleton-hit-sprite.txt", "skeleton-aggro-sprite.txt"),
    ("heart-sprite.txt", "moneybag-sprite.txt", "atkup-sprite.txt", "defup-sprite.txt"),
    ("player-sprite.txt", "zombie-sprite.txt", "skeleton-sprite.txt"),
]

# colours that mean one thing in a room: the hero, and an enemy that has noticed the hero;
# no door, ladder, item, trap or calm enemy may share them
OWN_COLOURS = ("player-sprite.txt", "zombie-aggro-sprite.txt", "skeleton-aggro-sprite.txt")
ROOM_THINGS = ("door-north-sprite.txt", "door-south-sprite.txt", "door-west-sprite.txt",
               "door-east-sprite.txt", "ladder-sprite.txt", "heart-sprite.txt",
               "moneybag-sprite.txt", "atkup-sprite.txt", "defup-sprite.txt",
               "spikes-sprite.txt", "arrow-trap-sprite.txt", "zombie-sprite.txt",
               "skeleton-sprite.txt")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    sprite_dir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "sprites")
    errors = []
    sprites = {}
    for name in sorted(CHECKS):
        path = os.path.join(sprite_dir, name)
        if not os.path.isfile(path):
            errors.append("%s: missing" % name)
            continue
        s = parse(path, errors)
        if s is None:
            continue
        sprites[name] = s
        if not any(c != " " for f in s.frames for row in f for c in row):
            errors.append("%s: every frame is blank" % name)
        for problem in CHECKS[name](s):
            errors.append("%s: %s" % (name, problem))
    for name in sorted(os.listdir(sprite_dir)):
        if name.endswith(".txt") and name not in CHECKS:
            parse(os.path.join(sprite_dir, name), errors)

    for group in DIFFERENT_COLOURS:
        have = [sprites[n] for n in group if n in sprites]
        colours = [s.colour for s in have]
        if len(set(colours)) != len(colours):
            errors.append("same colour used within %s: %s"
                          % (", ".join(s.name for s in have), ", ".join(colours)))
        if group[0].startswith(("zombie", "skeleton")):
            sizes = {(s.width, s.height, len(s.frames)) for s in have}
            if len(sizes) > 1:
                errors.append("%s differ in size or frame count" % ", ".join(group))

    for own in OWN_COLOURS:
        for other in ROOM_THINGS:
            if own in sprites and other in sprites and \
                    sprites[own].colour == sprites[other].colour:
                errors.append("%s has the colour of %s: %s" % (own, other, sprites[own].colour))

    for e in errors:
        print(e)
    print("%d sprite file(s) checked, %d problem(s)" % (len(sprites), len(errors)))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
