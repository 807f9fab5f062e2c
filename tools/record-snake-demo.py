#!/usr/bin/env python3
"""Records the example game's demo (examples/snake/games/demo.rpl) again: a bot plays the real
Snake in its window under Xvfb with --record, pressing arrow keys through xdotool, and steers by
the game's log. The recording and the line its run printed ("score S length L cycles C") are kept
as demo.rpl and demo.score, but only once a headless replay prints that same line.

    tools/record-snake-demo.py --snake <build of examples/snake>/snake [--seed 42] [--foods 5]

How the bot plays: the log says where the food is ("Food::place(): food at (x, y)") and where
each turn happened ("Snake::step(): turned to (dx, dy) at (x, y)"); between turns the head moves
one cell every 3 cycles of 1/30 s, so the bot reckons where it is from the time since the last
turn. It runs along one axis until level with the food, then turns onto the other; a reckoning
a cell off is put right by the next turn. After the given number of foods it steers into a wall,
waits for the game-over sign and presses Escape.
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from demo_recorder import demo_arguments, record_demo  # noqa: E402

CELL_TIME = 3 / 30  # seconds per cell
FOOD = re.compile(r"^Food::place\(\): food at \((\d+), (\d+)\)")
TURN = re.compile(r"^Snake::step\(\): turned to \((-?\d), (-?\d)\) at \((\d+), (\d+)\)")
KEYS = {(0, -1): "Up", (0, 1): "Down", (-1, 0): "Left", (1, 0): "Right"}


def sign(n):
    return (n > 0) - (n < 0)


class Bot:
    def __init__(self, game, foods):
        self.game, self.foods_left = game, foods
        self.food, self.eaten, self.index, self.dead = None, -1, 0, False
        # Where the head arrived at the time given, and where it heads: the start of the game.
        self.anchor, self.heading, self.since = (21, 12), (1, 0), None
        self.pressed = None  # (heading asked for, when)

    def read(self):
        for text in self.game.texts(self.index):
            self.index += 1
            if m := FOOD.match(text):
                self.food, self.eaten = (int(m[1]), int(m[2])), self.eaten + 1
            elif m := TURN.match(text):
                self.heading = (int(m[1]), int(m[2]))
                self.anchor = (int(m[3]) + self.heading[0], int(m[4]) + self.heading[1])
                self.since, self.pressed = time.monotonic(), None
            elif text.startswith("Snake::die()"):
                self.dead = True
            elif self.since is None and "0 cycles (0 seconds)" in text:
                self.since = time.monotonic() + 2 / 30  # the first move comes at cycle 2

    def head(self):
        cells = max(0, int((time.monotonic() - self.since) / CELL_TIME))
        return (self.anchor[0] + self.heading[0] * cells, self.anchor[1] + self.heading[1] * cells)

    def wanted(self):
        """The heading the snake should take from where it is now."""
        x, y = self.head()
        if self.eaten >= self.foods_left:
            return (0, -1) if self.heading[0] else self.heading  # up (or on) into a wall
        fx, fy = self.food
        along_x = self.heading[0] != 0
        if along_x and x != fx and sign(fx - x) == self.heading[0]:
            return self.heading
        if not along_x and y != fy and sign(fy - y) == self.heading[1]:
            return self.heading
        if along_x:  # level with the food, or past it: onto the other axis
            return (0, sign(fy - y) or (1 if y < 12 else -1))
        return (sign(fx - x) or (1 if x < 40 else -1), 0)

    def play(self):
        while not self.dead:
            self.read()
            if self.since is None or self.food is None:
                time.sleep(0.01)
                continue
            want = self.wanted()
            waiting = self.pressed and time.monotonic() - self.pressed[1] < 4 * CELL_TIME
            if want != self.heading and not waiting:
                self.game.xdotool("key", KEYS[want])
                self.pressed = (want, time.monotonic())
            time.sleep(0.01)


def main():
    parser = demo_arguments(__doc__, "snake", 42)
    parser.add_argument("--foods", type=int, default=5)
    args = parser.parse_args()

    def play(game):
        Bot(game, args.foods).play()
        game.wait_for_line(r"^GameManager::run\(\): \d+ cycles")  # the sign is up
        time.sleep(1)

    record_demo(args.snake, args.seed, "Snake", "kestrel.log", play, "snake")


if __name__ == "__main__":
    main()
