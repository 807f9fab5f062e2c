"""Records an example game's demo: the game runs in its real window under Xvfb with --record
while a bot plays it through xdotool, steering by the game's log; the recording and the line the
game printed are kept in the example's games/ folder as demo.rpl and demo.score, but only once a
headless replay prints that same line. Used by tools/record-snake-demo.py and
tools/record-bricks-demo.py."""

import argparse
import os
import shutil
import subprocess
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import GameSession  # noqa: E402


def demo_arguments(doc, example, seed):
    """A parser of the recorders' common options: --<example>, the game's executable, and
    --seed; a recorder adds its own."""
    parser = argparse.ArgumentParser(description=doc,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--" + example, required=True,
                        help="the example's executable, in its build")
    parser.add_argument("--seed", type=int, default=seed)
    return parser


def record_demo(executable, seed, title, log_name, play, example):
    """Runs the game built as executable (its build folder holds its data) with --seed and
    --record, finds its window by title, lets play(game) play it (the game's log is log_name),
    and stores the demo in examples/<example>/games when its headless replay agrees."""
    executable = os.path.abspath(executable)
    build = os.path.dirname(executable)
    record = os.path.join(build, "demo.rpl")
    with GameSession(example + "-demo", [executable, "--seed", str(seed), "--record", record],
                     data_dir=build) as game:
        game.log_path = os.path.join(game.cwd, log_name)
        game.wait_window(title)
        game.xdotool("windowfocus", "--sync", game.window)
        play(game)
        if game.process.poll() is None:
            game.escape()
        code = game.process.wait(30)
        assert code == 0, "exit code %s: %s" % (code, game.output())
        played = game.output("stdout").strip().splitlines()[-1]
    replayed = subprocess.run([executable, "--replay", record, "--headless"], cwd=build,
                              check=True, capture_output=True, text=True).stdout.strip()
    assert played == replayed, "the replay printed %r, the game %r" % (replayed, played)
    demo = ROOT / "examples" / example / "games"
    demo.mkdir(exist_ok=True)
    shutil.copy(record, demo / "demo.rpl")
    (demo / "demo.score").write_text(played + "\n")
    print("kept %s: %s" % (demo / "demo.rpl", played))
