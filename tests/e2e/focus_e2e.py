#!/usr/bin/env python3
"""End-to-end test of input focus: a second game window on the same display takes the focus, as
another program would (SfmlScreenTest checks the held keys alone)."""

import os
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import CYCLES, GameSession, link_data, main, tests_of  # noqa: E402


class OtherWindow:
    """Another program's window on the session's display: a second game in a folder of its own."""

    def __init__(self, session, args):
        self.session, work = session, os.path.join(session.scratch, "other")
        os.makedirs(work)
        link_data(args.data, work)
        known = set(session.windows())
        self.process = subprocess.Popen([args.game], cwd=work, env=session.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = session.wait_until("a second window", lambda: [
            w for w in session.windows() if w not in known])[0]

    def focus(self):
        self.session.xdotool("windowfocus", "--sync", self.window)

    def __enter__(self):
        return self

    def __exit__(self, *failure):
        self.process.terminate()
        self.process.wait(5)


def test_keys_for_another_window_are_not_the_games(args):
    """Keys held and typed while the other window has the focus move nothing and swing nothing;
    back in the game, they play again. Left Alt pressed in the game starts sneaking (a move every
    3 cycles); let go in the other window, it is released: back in the game, D walks (every 2)."""
    with GameSession("focus", [args.game], args.data) as game:
        game.until_room()
        with OtherWindow(game, args) as other:
            other.focus()
            start = len(game.texts())
            game.xdotool("keydown", "d")
            game.wait_second(start)  # with D held for the other window
            game.xdotool("keyup", "d")
            game.xdotool("type", "--delay", "60", "wasd was sad")
            game.xdotool("key", "Left")
            game.wait_for_line(CYCLES.pattern, start=len(game.texts()))
            assert not game.moves(start), "moved for keys typed elsewhere: %s" % game.moves(start)
            assert not game.find_line(r"^creating hitboxes", start), "a swing for another window"
            game.xdotool("windowfocus", "--sync", game.window)
            game.press_until("d", r"moving towards vector <1, 0>", start)

            start = len(game.texts())
            game.xdotool("keydown", "Alt_L")
            game.wait_for_line(r"^player recognized keyboard event of key 20$", start=start)
            other.focus()
            game.xdotool("keyup", "Alt_L")
            game.xdotool("windowfocus", "--sync", game.window)
            game.xdotool("keydown", "d")
            first, second = game.wait_second(len(game.texts()))
            game.xdotool("keyup", "d")
            walked = len(game.moves(first, second - first))
            assert walked >= 14, "%d moves in 30 cycles: still sneaking (10), not walking (15)" % (
                walked)
        game.escape()


if __name__ == "__main__":
    sys.exit(main(tests_of(globals()), __doc__))
