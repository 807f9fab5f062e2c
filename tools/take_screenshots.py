#!/usr/bin/env python3
"""Plays the real game under Xvfb and saves four screenshots of its window for the README:
the title screen, a room in play, the same room paused and the game-over screen.

usage: take_screenshots.py --game PATH --data DIR --out DIR
"""

import argparse
import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import MOVE, YELLOW, GameSession  # noqa: E402

WHITE = (255, 255, 255)
RED = (255, 0, 0)


def save(game, screen, out_dir, name):
    x, y, width, height = game.geometry
    path = os.path.join(out_dir, name + ".png")
    subprocess.run(["convert", screen.path, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                    "+repage", "-colors", "16", "-strip", path], check=True)
    print("saved %s (%d bytes)" % (path, os.path.getsize(path)))


def spikes_in(screen):
    """Corners of the white 2 x 2 spike tiles in the play area (on floor 1 nothing else in a
    room is white and that tall, the instructions sign being gone after the first room change;
    the attack boost, A+, is white and one row high)."""
    cells = screen.cells_with(WHITE, 2, 2, 77, 21)
    corners = []
    for cx, cy in sorted(cells, key=lambda c: (c[1], c[0])):
        if any(sx <= cx <= sx + 2 and sy <= cy <= sy + 1 for sx, sy in corners):
            continue
        if cells[cx + 1, cy] and cells[cx, cy + 1] and cells[cx + 1, cy + 1]:
            corners.append((cx, cy))
    return corners


def last_move(game, start):
    for text in reversed(game.texts(start)):
        match = MOVE.search(text)
        if match:
            dx, dy, x, y = map(int, match.groups())
            return x + dx, y + dy
    return None


def walk_onto(game, target, start, timeout=60):
    """Steps the player (a 3 x 3 box) over the 2 x 2 tile at target, one key tap per move,
    until the game-over screen appears; True when it did."""
    deadline = time.monotonic() + timeout
    tx, ty = target
    blocked = 0
    while time.monotonic() < deadline:
        if any("created game over object" in t for t in game.texts(start)):
            return True
        position = last_move(game, start) or (39, 19)
        x, y = position
        horizontal = "d" if x < tx - 1 else "a" if x > tx else None
        vertical = "s" if y < ty - 1 else "w" if y > ty else None
        keys = [k for k in (horizontal, vertical) if k]
        if blocked > 2:  # an enemy in the way: try the other axis for a while
            keys.reverse()
        # On the tile: shuffle up and down so the collision keeps being reported.
        key = keys[0] if keys else ("s" if y < ty else "w")
        count = len(game.texts())
        game.xdotool("key", key)
        try:
            game.wait_for_line(MOVE.pattern, timeout=1.0, start=count)
        except AssertionError:
            assert game.process.poll() is None, "the game ended"
        blocked = blocked + 1 if last_move(game, start) == position else 0
        if blocked > 6:
            blocked = 0
    return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    with GameSession("screenshots", [args.game], data_dir=args.data) as game:
        game.wait_window()
        game.wait_for_line(r"GameManager::run\(\): 30 cycles")
        title = game.wait_screen("title", lambda s: s.cells_with(YELLOW, 0, 3, 79, 8).total() > 500)
        save(game, title, args.out, "title")

        start = game.until_room()
        game.xdotool("keydown", "w")
        game.wait_for_line(r"position is 39 19$", start=start)
        game.xdotool("keyup", "w")
        time.sleep(1.0)
        plain = game.screenshot("room-plain")
        game.press_until("Up", r"^created sword hitbox", len(game.texts()))
        save(game, game.screenshot("room"), args.out, "room")
        # Paused: the top row says so, between the floor and the score.
        game.xdotool("key", "p")
        paused = game.wait_screen("paused", lambda s: s.cells_with(WHITE, 24, 0, 57, 0).total()
                                  > 200)
        save(game, paused, args.out, "paused")
        game.xdotool("key", "p")

        spikes = spikes_in(plain)
        print("spikes at %s" % spikes)
        position = last_move(game, start) or (39, 19)
        dead = False
        for target in sorted(spikes, key=lambda s: abs(s[0] - position[0]) +
                             2 * abs(s[1] - position[1])):
            if walk_onto(game, target, start, timeout=30):
                dead = True
                break
        if not dead:
            print("the player did not die; the game-over shot is missing")
            return 1
        over = game.wait_screen(
            "gameover", lambda s: s.cells_with(RED, 20, 16, 61, 16).total() > 20, timeout=10)
        save(game, over, args.out, "gameover")
        game.escape()
    return 0


if __name__ == "__main__":
    sys.exit(main())
