#!/usr/bin/env python3
"""End-to-end tests: the real game without a display, without its data, and installed and
packaged."""

import gzip
import os
import re
import shutil
import sys
import tempfile
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (GAMES, WAIT, GameSession, assert_lintian_clean, data_folder,  # noqa: E402
                     golden_summary, main, run, run_game, tests_of)

def test_without_display_says_so_and_fails(args):
    with data_folder(args.data) as work:
        for env in ({}, {"DISPLAY": ":9971"}):  # none set, and one that nobody serves
            result = run_game(args.game, cwd=work, env=env, timeout=WAIT)
            lines = result.stderr.splitlines()
            assert result.returncode > 0 and len(lines) == 1 and "display" in lines[0], result
            assert not [f for f in os.listdir(work) if f.startswith("core")], "a core was left"


def test_bare_binary_says_where_it_looked(args):
    """Started in a folder without its data, the game runs as ever (a black window that ends
    on Escape) and says on stderr, in one line, where it looked and how to start it."""
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-bare-") as work:
        with GameSession("bare", [args.game], cwd=work) as game:
            game.wait_window()
            game.wait_for_line(r"GameManager::run\(\): 30 cycles")
            # SFML adds its own complaints (no font, no sounds) after the game's one line.
            lines = [line for line in game.output().splitlines() if "murkvault" in line]
            assert len(lines) == 1 and game.output().startswith(lines[0]), lines
            for part in ("sprites/", "sounds/", "ks-font.ttf", " %s," % os.path.realpath(work),
                         "./play.sh", "installed murkvault"):
                assert part in lines[0], "%r not in %r" % (part, lines[0])
            game.escape()


def desktop_exec(path):
    return [line for line in Path(path).read_text().splitlines() if line.startswith("Exec=")]


def test_installed_game_runs_and_packages(args):
    assert args.build, "--build is needed to install"
    with tempfile.TemporaryDirectory(prefix="murkvault-e2e-install-") as root:
        prefix, home, elsewhere, out, stage = (os.path.join(root, d)
                                               for d in ("usr", "h", "e", "deb", "stage"))
        os.makedirs(elsewhere)
        run("cmake", "--install", args.build, "--prefix", prefix)
        # A desktop session may not have the prefix's games/ on its PATH: the entry names it.
        launcher = os.path.join(prefix, "games", "murkvault")
        assert desktop_exec(prefix + "/share/applications/murkvault.desktop") == [
            "Exec=" + launcher]
        # The manual page names no data folder of one prefix: this one is not /usr.
        with gzip.open(prefix + "/share/man/man6/murkvault.6.gz", "rt") as page:
            manual = page.read()
        assert "/usr/share/murkvault" not in manual and "share/murkvault" in manual, manual
        # The launcher runs the game in a per-user folder, where the log goes.
        log = os.path.join(home, ".local", "state", "murkvault", "kestrel.log")
        with GameSession("installed", [launcher], cwd=elsewhere, log_path=log,
                         env={"HOME": home, "XDG_STATE_HOME": ""}) as game:
            game.until_room()
            problems = [t for t in game.texts() if "Warning!" in t or "Error" in t]
            assert not problems, "the installed game misses its data: %s" % problems[:3]
            game.escape()
        assert os.listdir(elsewhere) == [], "the game wrote into the folder it started from"
        # A recording named from where the player is, as a bug report would be replayed.
        shutil.copy(os.path.join(GAMES, "death.rpl"), os.path.join(elsewhere, "bug.rpl"))
        for options in (["--replay", "bug.rpl"], ["--replay=bug.rpl"]):
            result = run_game(launcher, *options, "--headless", cwd=elsewhere,
                              env={"HOME": home, "XDG_STATE_HOME": ""})
            assert (result.returncode, result.stdout.strip()) == (0, golden_summary("death")), (
                options, result)

        # The package is staged as cpack stages it: under DESTDIR, with the prefix /usr.
        run("cmake", "--install", args.build, "--prefix", "/usr", "--strip", "--component",
            "game", env=dict(os.environ, DESTDIR=stage))
        # Packaged from the installed tree: plain cpack would build every target first.
        run("cpack", "-G", "DEB", "-B", out, "--config", args.build + "/CPackConfig.cmake",
            "-D", "CPACK_INSTALL_CMAKE_PROJECTS=", "-D",
            "CPACK_INSTALLED_DIRECTORIES=%s/usr;usr" % stage, cwd=root)
        deb = [os.path.join(out, f) for f in os.listdir(out) if f.endswith(".deb")]
        assert len(deb) == 1, "cpack made %s" % deb
        info = run("dpkg-deb", "-f", deb[0], "Depends", "Maintainer", "Description").stdout
        for part in ("graphics", "window", "audio", "system"):
            assert re.search(r"^Depends:.*\blibsfml-%s2\.5\b" % part, info, re.M), info
        assert re.search(r"^Maintainer: .+<.+@.+>$", info, re.M) and re.search(
            r"^Description: \S", info, re.M), info
        files = run("dpkg-deb", "-c", deb[0]).stdout
        data = ("ks-font.ttf", "ks-font-LICENSE.txt", "sounds/arrow.wav",
                "sprites/player-sprite.txt")
        for path in ("games/murkvault", "libexec/murkvault/murkvault", "share/applications/"
                     "murkvault.desktop", "share/icons/hicolor/128x128/apps/murkvault.png",
                     "share/man/man6/murkvault.6.gz", "share/doc/murkvault/copyright",
                     "share/doc/murkvault/changelog.gz",
                     *("share/murkvault/" + f for f in data)):
            assert " ./usr/" + path in files, "%s missing from the package" % path
        unpacked = os.path.join(root, "unpacked")
        run("dpkg-deb", "-x", deb[0], unpacked)
        assert desktop_exec(unpacked + "/usr/share/applications/murkvault.desktop") == [
            "Exec=/usr/games/murkvault"]
        assert_lintian_clean(deb[0])


if __name__ == "__main__":
    sys.exit(main(tests_of(globals()), __doc__))
