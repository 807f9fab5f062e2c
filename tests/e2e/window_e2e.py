#!/usr/bin/env python3
"""End-to-end tests of the window itself: where it opens, --scale, what a pause costs and
covers, another program destroying it, and the sound it plays (or, muted, does not). (How P
pauses and resumes the world: GameLoopTest, InputManagerTest.)"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (CELL_HEIGHT, CELL_WIDTH, CYCLES, GAMES, WAIT, WHITE, YELLOW,  # noqa: E402
                     GameSession, main, tests_of)


def test_window_opens_centred_and_on_screen(args):
    for screen, corner in (("1280x1024x24", (179, 166)), ("800x600x24", (0, 0)),
                           ("2560x1440x24", (819, 374))):
        with GameSession("placed", [args.game], args.data, screen=screen) as game:
            # The window may show for a moment where it was made before it is moved.
            def placed():
                game.wait_window()
                return game.geometry == corner + (921, 691)
            try:
                game.wait_until("the window at %s" % (corner,), placed, timeout=5)
            except AssertionError:
                raise AssertionError("on %s: %s" % (screen, game.geometry))
            game.escape()


def test_a_scale_draws_larger_and_is_lowered_to_fit_the_screen(args):
    """--scale 2 on a 2000 x 1600 screen: the health display's glyphs light four to eight times
    the fully yellow pixels of scale 1 (strokes twice as thick and long, antialiased edges only
    twice as long). --scale 4 on a 1280 x 1024 screen opens at scale 1, the largest that fits,
    and one line on stderr and one in the log say so."""
    said = "scale 4 does not fit the 1280 x 1024 screen: the window opens at scale 1 (921 x 691)"
    lit = {}
    for asked, scale, screen in ((2, 2, "2000x1600x24"), (4, 1, "1280x1024x24")):
        with GameSession("scale%d" % asked, [args.game, "--scale", str(asked)], args.data,
                         screen=screen) as game:
            game.wait_window()
            assert game.geometry[2:] == (921 * scale, 691 * scale), game.geometry
            game.until_room()
            shot = game.screenshot("room")
            # "Health: 100" in cells 2..12 of row 0, in window pixels of that scale.
            lit[scale] = sum(shot.pixel(x, y) == YELLOW
                             for y in range(29 * scale) for x in range(150 * scale))
            lowered = [said] if asked != scale else []
            # (SFML may add its own complaints about the virtual display.)
            ours = [line for line in game.output().splitlines() if line.startswith("murkvault:")]
            assert ours == ["murkvault: " + line for line in lowered], game.output()
            lines = [t for t in game.texts() if "does not fit" in t]
            assert lines == ["SfmlPlatform::openScreen(): " + line for line in lowered], lines
            game.escape()
    assert lit[1] > 50 and 4.0 < lit[2] / lit[1] < 8.0, "yellow pixels by scale: %s" % lit


# While paused, the top row between the floor and the score says so and names the keys.
PAUSE_LABEL = (24, 0, 57, 0)  # cells: from column 24 to 57 of row 0


def paused_label(shot):
    return len(shot.cells_with(WHITE, *PAUSE_LABEL)) >= 20


def cpu_seconds(pid):
    """The CPU time (user and system) the process has used so far, in seconds."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def test_pausing_costs_no_more_than_standing_still_and_shows_one_frame(args):
    """Standing still in the first room, then paused there, each for the same number of game
    cycles (counted in the log): the CPU the game uses paused is at most that of standing still
    (with slack for a busy machine), no paused cycle misses its deadline by much, and two
    screenshots taken a repaint apart are the same to the pixel."""
    seconds = 4  # of game cycles, each way
    with GameSession("pause-cost", [args.game], args.data) as game:
        game.until_room()

        def measure():
            start = len(game.texts())
            first = game.wait_for_line(CYCLES.pattern, start=start)[0]
            used = cpu_seconds(game.process.pid)
            last = first
            for _ in range(seconds):
                last = game.wait_for_line(CYCLES.pattern, start=last + 1, timeout=WAIT)[0]
            late = [t for t in game.texts(first)[:last - first] if "missed deadline" in t]
            return cpu_seconds(game.process.pid) - used, late

        standing, _ = measure()
        game.xdotool("key", "p")
        first = game.wait_screen("PAUSED", paused_label)
        paused, late = measure()
        game.wait_second(len(game.texts()))  # the screen repaints the frame at least once a second
        second = game.screenshot("paused-again")
        game.escape()
    assert first.raw == second.raw, "two paused frames differ in %d bytes" % sum(
        a != b for a, b in zip(first.raw, second.raw))
    assert paused <= 1.5 * standing + 0.25, "CPU over %d s: standing %.2f s, paused %.2f s" % (
        seconds, standing, paused)
    assert len(late) <= 3, "paused cycles missed their deadline: %s" % late[:5]


def play_area_unchanged(paused, shot):
    """Whether the two screens are the same but in the pause label's place on the top row."""
    x0, _, x1, _ = PAUSE_LABEL
    # In bytes of a row (3 a pixel), with two pixels' room for glyphs reaching beyond a cell.
    left, right = 3 * (int(x0 * CELL_WIDTH) - 2), 3 * (int((x1 + 1) * CELL_WIDTH) + 2)
    row = 3 * paused.width
    for py in range(paused.height):
        a, b = paused.raw[py * row:(py + 1) * row], shot.raw[py * row:(py + 1) * row]
        if py < CELL_HEIGHT + 2:
            a, b = a[:left] + a[right:], b[:left] + b[right:]
        if a != b:
            return False
    return True


def test_the_pause_label_covers_nothing_of_the_room_or_the_game_over_screen(args):
    """Paused in the first room and on the game-over screen (the player walks up from the start
    onto the spikes of the room above), the screen differs from the same scene unpaused only in
    the label's place on the top row. The scenes animate (the hero, the skull's sparkles), so the
    game is paused and resumed in turn until a paused screenshot and an unpaused one show the
    same frame of the animation."""
    with GameSession("pause-place", [args.game, "--seed", "3"], args.data) as game:
        game.until_room()
        for scene in ("room", "game over"):
            if scene == "game over":
                game.xdotool("keydown", "w")
                over = game.wait_for_line(r"^created game over object$", timeout=60)[0]
                game.xdotool("keyup", "w")
            paused, unpaused = [], []
            for turn in range(10):
                game.xdotool("key", "p")
                paused.append(game.wait_screen("paused %s %d" % (scene, turn), paused_label))
                game.xdotool("key", "p")
                unpaused.append(game.wait_screen("%s %d" % (scene, turn),
                                                 lambda shot: not paused_label(shot)))
                if any(play_area_unchanged(a, b) for a in paused for b in unpaused):
                    assert scene == "room" or not game.find_line(
                        r"^created instance of player$", over), "the next game began meanwhile"
                    break
            else:
                raise AssertionError("paused, the %s differs from every unpaused frame beyond "
                                     "the label" % scene)
        game.escape()


def test_window_destroyed_by_another_program_ends_the_game(args):
    with GameSession("destroyed", [args.game], args.data) as game:
        game.until_room()
        game.xdotool("windowclose", game.window)
        code = game.process.wait(10)
        assert code == 0, "exit code %d: %s" % (code, game.output()[-500:])
        assert game.find_line(r"^SfmlScreen::pollEvent\(\): Error: the window was destroyed "
                              r"by another program$"), "no line in the log"


def sound_written(path):
    """How many of the 16-bit samples OpenAL Soft's wave driver wrote to the file are not
    silent; None when there is no file (the sound device was never opened)."""
    if not os.path.exists(path):
        return None
    with open(path, "rb") as wav:
        data = wav.read()
    body = data[data.find(b"data") + 8:] if b"data" in data else b""
    samples = struct.unpack("<%dh" % (len(body) // 2), body[:len(body) // 2 * 2])
    return sum(1 for sample in samples if abs(sample) > 64)


def test_sounds_play_on_the_sound_device_and_mute_opens_none(args):
    """The golden game where a zombie notices the player, watched in the window with OpenAL
    Soft's wave driver recording what the game played: the zombie's roar is in the recording.
    Watched with --mute, the sound device is never opened (no recording at all)."""
    for mute in (False, True):
        game = GameSession("sound", [args.game, "--replay", os.path.join(GAMES, "death.rpl")] +
                           ["--mute"] * mute, args.data)
        out = os.path.join(game.scratch, "out.wav")
        with open(game.alsoft_conf, "w") as config:
            config.write("[general]\ndrivers=wave\n[wave]\nfile=%s\n" % out)
        with game:
            game.wait_window()
            game.wait_for_line(r"^Zombie::player detected", timeout=60)
            game.wait_second(len(game.texts()))  # the roar plays on while the replay goes on
            game.escape()
            written = sound_written(out)
            if mute:
                assert written is None, "muted, the game opened the sound device"
            else:
                assert written and written > 1000, "the roar was not played: %s" % written


if __name__ == "__main__":
    sys.exit(main(tests_of(globals()), __doc__))
