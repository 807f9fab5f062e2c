#!/usr/bin/env python3
"""Records the Bricks example's demo (examples/bricks/games/demo.rpl) again: a bot plays the real
game in its window under Xvfb with --record, holding arrow keys through xdotool, and steers by
the game's log. The recording and the line its run printed ("score S lives L bricks B cycles C")
are kept as demo.rpl and demo.score, but only once a headless replay prints that same line.

    tools/record-bricks-demo.py --bricks <build of examples/bricks>/bricks [--seed 7]
                                [--bricks-to-break 16]

How the bot plays: the log says where the ball was and where it heads at each launch and bounce
("Ball::bounce(): off Brick at (x, y), heading (dx, dy)"), and where the paddle is after each move
("Paddle::move(): to x"). The ball moves one cell diagonally every 2 cycles of 1/30 s, and a move
into a side wall is refused (the ball stays, heading back); so the bot works out the cell where a
falling ball meets the paddle's row, and holds Left or Right until the paddle is under it, with
the ball landing on the paddle's left, middle or right by turns, to send it different ways. It
launches the ball with Space, and while the ball climbs it goes for a falling capsule
("Capsule::Capsule(): falls from (x, y)"). Once it has broken the bricks it was asked for, it
stops catching: the game ends by itself when the last life is lost.
"""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from demo_recorder import demo_arguments, record_demo  # noqa: E402

LEFT_X, RIGHT_X, PADDLE_ROW, PADDLE_WIDTH = 1, 78, 22, 9
BALL = re.compile(r"^Ball::(launch|bounce)\(\): .*\((\d+), (\d+)\), heading \((-?1), (-?1)\)")
PADDLE = re.compile(r"^Paddle::move\(\): to (\d+)")
STRUCK = re.compile(r"^Brick::strike\(\): .* (\d+) left")
CAPSULE = re.compile(r"^Capsule::Capsule\(\): falls from \((\d+), (\d+)\)")
OFFSETS = (4, 1, 7, 4, 2, 6)  # where on the paddle the ball should land, by turns
CAPSULE_TIME = 4 * 16 / 30  # seconds a capsule takes from the bricks to the paddle


def landing(x, y, dx, dy):
    """The cell of the paddle's row the ball moves into, from (x, y) heading (dx, dy) down."""
    while True:
        nx, ny = x + dx, y + dy
        if nx < LEFT_X or nx > RIGHT_X:
            dx = -dx  # refused by the wall: it stays, and heads back
            continue
        if ny == PADDLE_ROW:
            return nx
        x, y = nx, ny


class Bot:
    def __init__(self, game, bricks_to_break):
        self.game, self.index, self.to_break = game, 0, bricks_to_break
        self.paddle, self.held, self.ball, self.bricks = 35, True, None, None
        self.since_held, self.key, self.turn, self.target = time.monotonic(), None, 0, None
        self.capsule = None  # (x, when it fell) of a capsule falling

    def read(self):
        for text in self.game.texts(self.index):
            self.index += 1
            if m := BALL.match(text):
                x, y, dx, dy = (int(g) for g in m.groups()[1:])
                self.held, self.ball = False, (x, y, dx, dy)
                self.target = None
                if dy > 0:  # falling: where on the paddle it should land
                    cell = landing(x, y, dx, dy)
                    self.target = cell - OFFSETS[self.turn % len(OFFSETS)]
                    self.turn += 1
            elif m := PADDLE.match(text):
                self.paddle = int(m[1])
            elif m := STRUCK.match(text):
                self.bricks = int(m[1])
            elif m := CAPSULE.match(text):
                self.capsule = (int(m[1]), time.monotonic())
            elif text.startswith("Ball::lose()"):
                self.held, self.since_held, self.target = True, time.monotonic(), None
            elif text.startswith("Ball::step()"):
                return False  # the sign is up: the game ends by itself
        return True

    def hold(self, key):
        if key != self.key:
            if self.key:
                self.game.xdotool("keyup", self.key)
            if key:
                self.game.xdotool("keydown", key)
            self.key = key

    def play(self):
        while self.read():
            done = self.bricks is not None and 52 - self.bricks >= self.to_break
            if self.held and time.monotonic() - self.since_held > 0.7:
                self.hold(None)
                self.game.xdotool("key", "space")
                self.since_held = time.monotonic() + 5  # until the launch shows in the log
            target = None if done else self.target
            if self.capsule and time.monotonic() - self.capsule[1] > CAPSULE_TIME:
                self.capsule = None  # caught, or gone
            if target is None and self.capsule and not done and not self.held:
                target = self.capsule[0] - PADDLE_WIDTH // 2  # while the ball climbs
            if target is not None:
                target = min(max(target, LEFT_X), RIGHT_X - PADDLE_WIDTH + 1)
            if target is None or target == self.paddle:
                self.hold(None)
            else:
                self.hold("Right" if target > self.paddle else "Left")
            time.sleep(0.005)
        self.hold(None)


def main():
    parser = demo_arguments(__doc__, "bricks", 7)
    parser.add_argument("--bricks-to-break", type=int, default=16)
    args = parser.parse_args()

    def play(game):
        game.wait_for_line(r"^GameManager::run\(\): 0 cycles")
        Bot(game, args.bricks_to_break).play()
        game.wait_until("the game's end", lambda: game.process.poll() is not None, timeout=30)

    record_demo(args.bricks, args.seed, "Bricks", "bricks.log", play, "bricks")


if __name__ == "__main__":
    main()
