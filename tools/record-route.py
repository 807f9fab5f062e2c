#!/usr/bin/env python3
"""Records tests/data/routes/seed-3-floor-2.rpl again: a game of seed 3 played in the real window
under Xvfb with --record by the bot of tools/play-golden.py. It sneaks along the route of the
golden ladder game (up, right, right, up) to the ladder and takes it; on floor 2 it sneaks from
the centre room through the right-hand doorway and stands just inside the next room, at its left
edge, for three seconds. That room's enemies were made with the floor, while the player landed
in the centre room; EnemyTest replays the route to check that none of them notices a player
whose position it was never told.

    tools/record-route.py [--game build/test/murkvault]

The recording is kept only when two headless replays print the summary line its run printed.
"""

import argparse
import importlib.util
import os
import shutil
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import GameSession  # noqa: E402

# The bot of play-golden.py, whose file name is no module name.
where = importlib.util.spec_from_file_location("play_golden", ROOT / "tools" / "play-golden.py")
golden = importlib.util.module_from_spec(where)
where.loader.exec_module(golden)

SEED = 3
ROOM = (1, 2)  # floor 2: through the right-hand doorway of the centre room
OUT = ROOT / "tests" / "data" / "routes" / "seed-3-floor-2.rpl"


def play(bot):
    game = bot.game
    if not golden.play_ladder(bot) or game.floor != 2:
        return False
    bot.modifier("Alt_L", True)
    costs = lambda game: golden.enemy_costs(game) + golden.sight_costs(game)  # noqa: E731
    if not bot.travel(ROOM, enemy_margin=1, costs=costs) or game.room != ROOM:
        return False
    bot.wait(3.0)
    bot.modifier("Alt_L", False)
    return not game.dead


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--game", default=str(ROOT / "build" / "test" / "murkvault"))
    parser.add_argument("--data", default=str(ROOT))
    parser.add_argument("--tries", type=int, default=3)
    args = parser.parse_args()
    data = os.path.abspath(args.data)
    for attempt in range(1, args.tries + 1):
        golden.say("route: attempt %d with seed %d" % (attempt, SEED))
        scratch = Path(tempfile.mkdtemp(prefix="murkvault-route-"))
        replay, stdout = scratch / "route.rpl", scratch / "stdout.txt"
        command = ["/bin/sh", "-c", 'exec "$0" "$@" >"%s"' % stdout, os.path.abspath(args.game),
                   "--seed", str(SEED), "--record", str(replay)]
        with GameSession("route", command, data) as session:
            session.until_room()
            bot = golden.Bot(session, golden.Game(golden.read_catalogue(SEED)))
            bot.pump()
            started = time.monotonic()
            try:
                done = play(bot)
            finally:
                bot.release_all()
            golden.say("route: %s after %.0f s" % ("played" if done else "gave up",
                                                   time.monotonic() - started))
            session.escape()
        line = stdout.read_text().strip()
        replays = [golden.replay_headless(args.game, data, replay) for _ in range(2)]
        if done and all(code == 0 and out.strip() == line for code, out, _ in replays):
            OUT.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(replay, OUT)
            golden.say("route: kept %s (%s)" % (OUT.relative_to(ROOT), line))
            shutil.rmtree(scratch, ignore_errors=True)
            return 0
        golden.say("route: not kept (recording in %s)" % scratch)
    return 1


if __name__ == "__main__":
    sys.exit(main())
