#!/usr/bin/python3
"""The game in a real browser (headless Chromium, real key events through Selenium), compared
with the desktop game: what it shows, the keys, recordings both ways, bad input, sound.

Usage: web_e2e.py --web WEB_BUILD --game MURKVAULT --cells MURKVAULT_CELLS --data SOURCE TEST"""

import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import GAMES, data_folder, golden_summary, main, run_game, tests_of  # noqa: E402
from web_harness import WebSession  # noqa: E402

SUMMARY = re.compile(r"^cycles \d+ floor \d+ score -?\d+ health -?\d+ checksum [0-9a-f]{16}$")
KEYBOARD_SENT = "InputManager::getInput(): event of type ks::keyboard sent to all objects"
COLORS = {1: (255, 0, 0), 2: (0, 255, 0), 3: (0, 0, 255), 4: (0, 255, 255), 5: (255, 0, 255),
          6: (255, 255, 0), 7: (255, 255, 255)}


def desktop(args, *options, cwd=None):
    """The desktop game without a display, in a folder with its data; the completed process."""
    with data_folder(args.data) as work:
        return run_game(args.game, *options, cwd=cwd or work, timeout=300)


def replay_on_desktop(args, path):
    """The summary line `murkvault --replay PATH --headless` prints."""
    result = desktop(args, "--replay", path, "--headless")
    assert result.returncode == 0, "the desktop refused %s: %s" % (path, result.stderr)
    return result.stdout.strip()


def moves(log, vector):
    return sum("moving towards vector <%s>" % vector in line for line in log)


def hold(web, keys, vector, cycles=30):
    """Holds the keys for the cycles once their effect shows; the player's moves by the vector a
    cycle meanwhile (0 if there are none within 10 cycles)."""
    def moved():  # the cycle count and the moves so far, read at one moment
        step, log = web.js("return [Module.ccall('ks_web_step_count', 'number'), "
                           "Module.FS.readFile('kestrel.log', {encoding: 'utf8'})]")
        return step, moves(log.split("\n"), vector)
    for key in keys:
        web.key_down(key)
    start = moved()
    web.wait("the keys' effect", lambda: moved()[1] > start[1] or moved()[0] > start[0] + 10)
    start = moved()
    web.wait("%d cycles" % cycles, lambda: moved()[0] >= start[0] + cycles)
    end = moved()
    for key in reversed(keys):
        web.key_up(key)
    return (end[1] - start[1]) / (end[0] - start[0])


def tap_until(web, key, line):
    """Taps the key until the line is logged (a sword still out takes no new swing)."""
    def tapped():
        web.tap(key)
        web.wait_cycles(5)
        return line in web.log()
    web.wait(repr(line), tapped, pause=0)


def until_room(web, query):
    """Opens the page; waits for the title, then the first room."""
    web.open(query)
    assert web.started(), "the game did not start: %r" % web.printed()
    rows = web.wait("the title", lambda: "a descent in coloured text" in web.cells() and
                    web.rows())
    assert "Health:" not in rows[0], rows[0]
    web.wait("the first room", lambda: "Health:" in web.rows()[0])


def test_title_gives_way_to_the_first_room(args):
    """The title, then the first room with the health and score, the player in its middle."""
    with WebSession("title", args.web) as web:
        until_room(web, "?seed=1")
        rows = web.rows()
        assert "Score:" in rows[0], rows[0]
        assert rows[11][39:42] == " o " and rows[12][39:42] == "/|\\", rows[11:14]
        log = web.log()
        assert "Map::Map(): seed 1" in log and "created instance of player" in log, log[:40]
        # Paced by the browser's frames at the game's rate, not faster.
        start = web.js("return [Module.ccall('ks_web_step_count', 'number'), performance.now()]")
        web.wait_cycles(60)
        end = web.js("return [Module.ccall('ks_web_step_count', 'number'), performance.now()]")
        rate = (end[0] - start[0]) * 1000.0 / (end[1] - start[1])
        assert rate < 32, "%.1f cycles a second" % rate


def test_keys_move_run_sneak_pause_and_swing(args):
    """Held D walks right (a cell every 2 cycles) and stops when let go; with left Shift held the
    player runs (every cycle), with left Alt it sneaks (every 3); P pauses and resumes; an arrow
    key swings the sword."""
    with WebSession("keys", args.web) as web:
        until_room(web, "?seed=1")
        walk = hold(web, ["d"], "1, 0")
        assert 0.4 <= walk <= 0.6, "walking: %.2f moves a cycle" % walk
        web.wait_cycles(3)
        still = moves(web.log(), "1, 0")
        web.wait_cycles(15)
        assert moves(web.log(), "1, 0") == still, "the player went on after D was let go"

        run = hold(web, ["shift", "a"], "-1, 0")
        assert 0.85 <= run <= 1.1, "running: %.2f moves a cycle" % run
        sneak = hold(web, ["alt", "d"], "1, 0")
        assert 0.25 <= sneak <= 0.42, "sneaking: %.2f moves a cycle" % sneak

        web.tap("p")
        # The label on the top row, as on the desktop, over the wall and not the room.
        web.wait("PAUSED", lambda: "PAUSED: P resumes, Esc quits" in web.rows()[0])
        assert hold(web, ["s"], "0, 1", cycles=15) == 0, "the player moved while paused"
        web.tap("p")
        web.wait("the pause's end", lambda: "PAUSED" not in web.rows()[0])
        assert hold(web, ["s"], "0, 1", cycles=10) > 0, "the player does not move after the pause"

        tap_until(web, "up", "creating hitboxes 0 -1")


def test_losing_the_focus_releases_a_held_key(args):
    """D held, then the canvas loses the focus (another element of the page, then another tab):
    the game gets D's release and the player stops, as when a desktop window loses it."""
    with WebSession("focus", args.web) as web:
        until_room(web, "?seed=1")
        for leave, key, vector in (("blur", "d", "1, 0"), ("tab", "a", "-1, 0")):
            web.key_down(key)
            web.wait("three moves <%s>" % vector, lambda: moves(web.log(), vector) >= 3)
            sent = web.count(KEYBOARD_SENT)
            if leave == "blur":
                web.js("document.getElementById('download').focus()")
            else:
                game = web.driver.current_window_handle
                web.driver.switch_to.new_window("tab")
                web.driver.switch_to.window(game)
            web.wait("the release", lambda: web.count(KEYBOARD_SENT) == sent + 1)
            stopped = moves(web.log(), vector)
            web.wait_cycles(20)
            assert moves(web.log(), vector) == stopped, "the player went on after " + leave
            web.key_up(key)
            web.wait_cycles(3)
            assert web.count(KEYBOARD_SENT) == sent + 1, "a second release of the same key"


def check_pixels(screen, cells, label):
    """The canvas's pixels agree with its cells: each coloured glyph cell shows its colour, and
    no colour shows where no cell of it (or a neighbour, into which glyphs reach) was drawn."""
    chars, colors = cells.split("\n")[:24], cells.split("\n")[24:48]
    shown = {colour: screen.cells_with(rgb, 0, 0, 79, 23) for colour, rgb in COLORS.items()}
    glyphs = missing = 0
    for y in range(24):
        for x in range(80):
            ch, colour = chars[y][x], colors[y][x]
            if ch != " " and colour.isdigit() and int(colour) in COLORS:
                glyphs += 1
                missing += shown[int(colour)][x, y] == 0 and ch.isalnum()
    assert glyphs > 0 and missing == 0, "%s: %d of %d letters not shown" % (label, missing, glyphs)
    for colour, cells in shown.items():
        for (x, y), count in cells.items():
            near = [colors[yy][xx] for yy in range(max(0, y - 1), min(24, y + 2))
                    for xx in range(max(0, x - 1), min(80, x + 2))]
            assert str(colour) in near, "%s: colour %d at cell (%d, %d), where none was drawn" % (
                label, colour, x, y)


def test_cells_and_pixels_are_the_desktops(args):
    """The title at cycle 60 and the first room at cycle 200 of seed 1, replayed in the page and
    on the desktop: the same cells, and pixels that show them."""
    with WebSession("cells", args.web) as web:
        for label, cycle in (("title", 60), ("room", 200)):
            name = "%s.rpl" % label
            path = web.add_file(name, "ks-replay 1\nseed 1\n%d end\n" % cycle)
            web.open("?replay=" + name)
            web.wait_end()
            page = web.cells()
            with data_folder(args.data) as work:
                result = subprocess.run([args.cells, path], cwd=work, capture_output=True,
                                        text=True, timeout=120)
            assert result.returncode == 0, result.stderr
            assert page == result.stdout, "%s: the page shows\n%s\nthe desktop\n%s" % (
                label, page, result.stdout)
            check_pixels(web.canvas_screenshot(label), page, label)


def test_a_game_played_in_the_page_replays_on_the_desktop(args):
    """A game of seed 7 played with real key presses: its recording downloaded mid-game and at
    its end replays headless on the desktop to the lines the page showed."""
    with WebSession("record", args.web) as web:
        until_room(web, "?seed=7")
        for keys, vector in ((["d"], "1, 0"), (["s"], "0, 1"), (["shift", "w"], "0, -1")):
            assert hold(web, keys, vector, cycles=6) > 0, "no moves <%s>" % vector
        for key, swing in (("left", "-1 0"), ("up", "0 -1")):
            tap_until(web, key, "creating hitboxes " + swing)

        middle = web.download()
        line = web.wait("the line of the download", lambda: web.js(
            "return document.getElementById('recording').textContent"))
        text = open(middle).read()
        assert text.startswith("ks-replay 2\nseed 7\n") and "key pressed D" in text, text[:300]
        assert line.startswith("It replays to: "), line
        assert replay_on_desktop(args, middle) == line[len("It replays to: "):]

        web.tap("d")
        web.tap("escape")
        summary = web.wait_end()
        assert SUMMARY.match(summary), summary
        final = web.download()
        text = open(final).read()
        assert re.search(r"\n\d+ quit\n(.*\n)*\d+ end [0-9a-f]{16}\n$", text), text[-200:]
        assert replay_on_desktop(args, final) == summary


def golden(args, name):
    """The golden game replays in the page to its stored summary."""
    with WebSession("golden-" + name, args.web) as web:
        web.add_file(name + ".rpl", open(os.path.join(GAMES, name + ".rpl")).read())
        web.open("?replay=%s.rpl&fast=1" % name)
        assert web.started(), web.printed()
        assert web.wait_end(timeout=240) == golden_summary(name), web.printed()


def test_bad_recordings_and_missing_data_are_one_line(args):
    """A file that is not a recording, or of another version, chosen with the page's file
    picker, and a recording that is not there: the desktop's one line, and nothing played. Without
    its data file the page says what the desktop says without its data."""
    bad = {"notes.rpl": "my notes\n", "future.rpl": "ks-replay 2\nseed 1\n10 end\n"}
    with WebSession("bad", args.web) as web:
        with tempfile.TemporaryDirectory(prefix="murkvault-web-bad-") as folder:
            for name, text in bad.items():
                path = os.path.join(folder, name)
                with open(path, "w") as file:
                    file.write(text)
                expected = desktop(args, "--replay", name, "--headless", cwd=folder)
                assert expected.returncode == 2, expected
                web.open("?seed=3")
                web.driver.find_element("id", "picker").send_keys(path)
                web.wait("the message about " + name,
                         lambda: "picked=" in web.driver.current_url and web.printed())
                assert web.message() == expected.stderr.strip(), (web.message(), expected.stderr)
                assert not web.started() and web.js("return Module.ksFramesPainted || 0") == 0
        missing = desktop(args, "--replay", "missing.rpl", "--headless")
        web.open("?replay=missing.rpl")
        web.wait("the message", web.printed)
        assert web.message() == missing.stderr.strip(), (web.message(), missing.stderr)
    with WebSession("nodata", args.web, leave_out=("murkvault.data",)) as web:
        web.open("?seed=3")
        line = web.wait("the message", lambda: web.printed() and web.printed()[0])
        assert line.startswith("murkvault: sprites/, sounds/, ks-font.ttf not found in /, the "
                               "folder the game reads its data from"), line
        overlay = web.driver.find_element("id", "overlay")
        assert overlay.is_displayed() and line in overlay.text, overlay.text


def test_sound_starts_with_the_first_key(args):
    """No sound device before the page is used; the first key press starts it, and the game's
    sounds play (a golden game where zombies notice the player, watched)."""
    with WebSession("sound", args.web) as web:
        web.add_file("death.rpl", open(os.path.join(GAMES, "death.rpl")).read())
        web.open("?replay=death.rpl")
        assert web.started(), web.printed()
        web.wait_cycles(5)
        assert web.js("return Module.ksAudioContext === undefined"), "sound before a key"
        web.tap("d")  # watching, the game takes no key: this one only wakes the page's sound
        web.wait("the sound device running", lambda: web.js(
            "return Module.ksAudioContext && Module.ksAudioContext.state === 'running'"))
        web.wait("a sound played", lambda: web.js("return Module.ksSoundsPlayed || 0") > 0, 120)


if __name__ == "__main__":
    sys.exit(main(tests_of(globals(), golden), __doc__,
                  required=("--web", "--game", "--cells", "--data"), optional=()))
