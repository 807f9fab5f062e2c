#!/usr/bin/env python3
"""Records the golden games of tests/data/games/ again, on purpose: a bot plays the real game in
its window under Xvfb with --record, pressing real keys through xdotool, and steers by the log.

    tools/play-golden.py [--game build/test/murkvault] death|ladder|stealth|all

Each game is played with a fixed seed until its recording holds what the game is for (the
player killed by enemies; a ladder taken; a stealth kill and an item picked up). The recording
and the summary line its run printed are then kept as tests/data/games/NAME.rpl and NAME.summary,
but only once two headless replays without a display print that same summary line.

How the bot plays: it knows every room of floors 1 to 3 from the seed catalogue
(tests/data/seeds/), follows the player through the log ("moving towards vector" before each
step, the collisions right after it, the enemies' step dumps, detections and health lines) and,
before each step, plans a path for the player's 3 x 3 box through the current room (Dijkstra on
cells) that never touches spikes and keeps clear of enemies, or, sneaking, of their lines of
sight. It holds the key of the next step and taps keys where overshooting would be deadly.
"""

import argparse
import collections
import difflib
import heapq
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness import MOVE, GameSession  # noqa: E402

GAMES = ROOT / "tests" / "data" / "games"
SEEDS = ROOT / "tests" / "data" / "seeds"
# The seed each game is played with: all three are in the seed catalogue.
SEED = {"death": 2, "ladder": 3, "stealth": 1}
# The room the stealth game is played in: two enemies far apart, an item between them.
ROOM = {"stealth": (3, 2)}

CENTRE = (2, 2)
# The player's box is 3 x 3; its corner stays in these bounds inside a room's walls.
X_MIN, X_MAX, Y_MIN, Y_MAX = 2, 75, 2, 19
ITEMS = ("Heart", "Moneybag", "Atkup", "Defup")
ENEMIES = ("Zombie", "Skeleton")
SOFT = ("",) + ITEMS  # the spikes' type label is empty; everything else solid blocks a step
# door: (step in the room grid, cells the player's corner reaches to go through it, and the
# coordinate it gets in the next room)
DOORS = {
    "north": ((0, 1), [(x, 1) for x in range(38, 42)], ("y", 19)),
    "south": ((0, -1), [(x, 20) for x in range(38, 42)], ("y", 2)),
    "east": ((1, 0), [(1, y) for y in (10, 11)], ("x", 75)),
    "west": ((-1, 0), [(76, y) for y in (10, 11)], ("x", 2)),
}
DOOR_ORDER = ("north", "south", "west", "east")  # the order the map tests its doorways in
TRIGGERS = {"north": (38, 0, 8, 2), "south": (40, 22, 8, 2), "west": (78, 10, 2, 6),
            "east": (0, 10, 2, 6)}
KEYS = {(0, -1): "w", (-1, 0): "a", (0, 1): "s", (1, 0): "d"}
SWING_KEYS = {(0, -1): "Up", (-1, 0): "Left", (0, 1): "Down", (1, 0): "Right"}
SIZES = {"Spikes": (2, 2), "Heart": (2, 1), "Moneybag": (2, 1), "Atkup": (2, 1), "Defup": (2, 1)}

COLLISION = re.compile(r"^WorldManager::isCollision\(\): objects with types Player and (.*) "
                       r"collided$")
HEALTH = re.compile(r"^collided with Zombie; health = (\d+)$")
BOX = re.compile(r"^(sightbox|player|Zombie|Skeleton) +\((-?\d+) (-?\d+)\) \((-?\d+) (-?\d+)\)$")
DETECTED = re.compile(r"^(Zombie|Skeleton)::player detected")
HIT = re.compile(r"^(Zombie|Skeleton) health = (-?\d+)$")
SWING = re.compile(r"^creating hitboxes (-?\d+) (-?\d+)$")
RUNNING_COLLIDE = re.compile(r"^running collide (\S*) (\S*)$")
VOLATILE = ("GameManager::run(): cycle ", "GraphicsManager::startUp(): ",
            "InputManager::startUp(): ", "SfmlPlatform::openScreen(): ")


WIDTH, HEIGHT = 80, 24  # the room in character cells


def paint(grid, box, value, add=False):
    """Sets (or adds) value at every player corner whose 3 x 3 box meets the box."""
    x, y, w, h = box
    for cy in range(max(y - 2, 0), min(y + h, HEIGHT)):
        row = cy * WIDTH
        for cx in range(max(x - 2, 0), min(x + w, WIDTH)):
            if add:
                grid[row + cx] += value
            else:
                grid[row + cx] = value


def dijkstra(start, targets, never, blocked, extra):
    """Cell indices of the cheapest path from start to a target (start excluded), or None.
    A cell is open when never is 0 and it is inside the room and not solid (blocked 2), or when
    it is a target (a doorway, or the ladder that a step bumps into)."""
    dist, before, queue = {start: 0}, {}, [(0, start)]
    while queue:
        d, cell = heapq.heappop(queue)
        if d > dist[cell]:
            continue
        if cell in targets and cell != start:
            path = [cell]
            while before[path[-1]] != start:
                path.append(before[path[-1]])
            return path[::-1]
        x = cell % WIDTH
        for step, ok in ((-WIDTH, True), (WIDTH, True), (-1, x > 0), (1, x < WIDTH - 1)):
            nxt = cell + step
            if not ok or not 0 <= nxt < WIDTH * HEIGHT or never[nxt]:
                continue
            if blocked[nxt] != 2 and nxt not in targets:
                continue
            cost = d + 1 + extra[nxt]
            if cost < dist.get(nxt, 1e18):
                dist[nxt], before[nxt] = cost, cell
                heapq.heappush(queue, (cost, nxt))
    return None


def say(*words):
    print("play-golden:", *words, file=sys.stderr, flush=True)


def overlap(ax, ay, aw, ah, bx, by, bw, bh):
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


def player_meets(pos, box):
    return overlap(pos[0], pos[1], 3, 3, *box)


def read_catalogue(seed):
    """{floor: {(x, y): {"doors": [...], "objects": [(kind, x, y, facing)]}}}"""
    floors, room = {}, None
    for line in (SEEDS / ("seed-%d.txt" % seed)).read_text().splitlines():
        if m := re.match(r"^floor (\d+)$", line):
            rooms = floors.setdefault(int(m[1]), {})
        elif m := re.match(r"^  room \((\d),(\d)\) doors:(.*)$", line):
            room = rooms[int(m[1]), int(m[2])] = {"doors": m[3].split(), "objects": []}
        elif m := re.match(r"^    (\w+) at \((\d+),(\d+)\)(?: facing (\d))?", line):
            room["objects"].append((m[1], int(m[2]), int(m[3]), int(m[4] or -1)))
    return floors


class Enemy:
    """What the log told of one enemy of the current room."""

    def __init__(self, kind, pos, facing=-1):
        self.kind, self.pos, self.facing = kind, pos, facing
        self.alerted = self.dead = False
        self.seen = 0  # the dump count when it was last seen

    def box(self):
        return self.pos + (3, 3)

    def sight(self):
        """Its line of sight as a box, from its facing."""
        x, y = self.pos
        return {0: (x, y - 15, 1, 15), 1: (x, y, 1, 15), 2: (x, y, 30, 1),
                3: (x - 30, y, 30, 1)}.get(self.facing, (0, 0, 0, 0))

    def cross(self):
        """Where a turn could put its line of sight: its row and its column, both ways."""
        x, y = self.pos
        return [(x - 31, y, 62, 1), (x, y - 16, 1, 32)]


class Game:
    """The state of the game as the log tells it, line by line."""

    def __init__(self, catalogue):
        self.catalogue = catalogue
        self.floor, self.room, self.pos, self.health = 0, CENTRE, (39, 11), 100
        self.dead, self.moves, self.dumps = False, 0, 0
        self.enemies, self.kept = [], {}  # kept: enemies of rooms left, by (floor, room)
        self.pending = None  # the last step: (dx, dy, types it collided with, time read)
        self.events = []  # (what, detail) worth knowing afterwards
        self.sight = self.last_enemy = self.swing_at = None
        self.version = 0  # counts changes of the player's or an enemy's place

    # -- the current room, from the catalogue
    def room_data(self):
        return self.catalogue.get(self.floor, {}).get(self.room, {"doors": [], "objects": []})

    def statics(self):
        return [o for o in self.room_data()["objects"] if o[0] not in ENEMIES]

    def enter(self, room):
        self.kept[self.floor, self.room] = self.enemies
        self.room = room
        if (self.floor, room) in self.kept:
            self.enemies = self.kept[self.floor, room]
        else:
            self.enemies = [Enemy(kind, (x, y), facing)
                            for kind, x, y, facing in self.room_data()["objects"]
                            if kind in ENEMIES]
        for enemy in self.enemies:
            enemy.seen = self.dumps
        self.version += 1

    # -- reading the log
    def feed(self, line, now):
        if self.pending and (m := COLLISION.match(line)):
            self.pending[2].append(m[1])
            return
        self.settle()
        if m := MOVE.search(line):
            self.pos = (int(m[3]), int(m[4]))
            self.pending = (int(m[1]), int(m[2]), [], now)
            self.moves += 1
        elif line.startswith("Map::Map(): seed "):
            self.floor, self.room, self.kept = 1, CENTRE, {}
            self.enter(CENTRE)
        elif line == "created instance of player":
            self.dead, self.pos, self.health = False, (39, 11), 100
        elif line == "created game over object":
            self.dead = True
            self.events.append(("game over", self.health))
        elif m := HEALTH.match(line):
            self.health = int(m[1])
        elif m := BOX.match(line):
            self.dump_line(m[1], int(m[2]), int(m[3]), int(m[4]), int(m[5]))
        elif m := DETECTED.match(line):
            if self.last_enemy and not self.last_enemy.alerted:
                self.last_enemy.alerted = True
                self.events.append(("detected", self.last_enemy.pos))
        elif m := SWING.match(line):
            self.swing_at = (self.pos, (int(m[1]), int(m[2])))
        elif m := HIT.match(line):
            self.hit()
        elif m := RUNNING_COLLIDE.match(line):
            for kind in (m[1], m[2]):
                if kind in ITEMS:
                    self.events.append(("item", kind))
                elif kind in ENEMIES:
                    self.events.append(("blow", kind))
                elif kind == "Arrow":
                    self.events.append(("arrow", kind))

    def settle(self, now=None):
        """Ends the last step once its collision lines are read (or after 10 ms without)."""
        if not self.pending or (now is not None and now - self.pending[3] < 0.01):
            return
        dx, dy, types, _ = self.pending
        self.pending = None
        if "Ladder" in types:
            self.floor += 1
            self.events.append(("floor", self.floor))
            self.pos, self.kept = (39, 11), {}
            self.enter(CENTRE)
            return
        if "" in types:
            self.events.append(("spikes", self.pos))
        if not [t for t in types if t not in SOFT]:
            self.pos = (self.pos[0] + dx, self.pos[1] + dy)
        self.version += 1
        doors = self.room_data()["doors"]
        for door in DOOR_ORDER:
            if door in doors and player_meets(self.pos, TRIGGERS[door]):
                (gx, gy), _, (axis, value) = DOORS[door]
                self.pos = (value, self.pos[1]) if axis == "x" else (self.pos[0], value)
                self.enter((self.room[0] + gx, self.room[1] + gy))
                self.events.append(("room", self.room))
                break

    def dump_line(self, what, x, y, x2, y2):
        if what == "sightbox":
            self.sight = (x, y, x2, y2)
            return
        if what == "player":
            return
        self.dumps += 1
        near = [e for e in self.enemies if abs(e.pos[0] - x) + abs(e.pos[1] - y) <= 1]
        enemy = min(near, key=lambda e: abs(e.pos[0] - x) + abs(e.pos[1] - y)) if near else None
        if not enemy:
            enemy = Enemy(what, (x, y))
            self.enemies.append(enemy)
        if enemy.pos != (x, y):
            self.version += 1
        enemy.pos, enemy.seen, self.last_enemy = (x, y), self.dumps, enemy
        if self.sight:
            sx, sy, sx2, sy2 = self.sight
            enemy.facing = (0 if sy < y else 1) if sx2 - sx == 1 else (3 if sx < x else 2)
        # An enemy that has not stepped while the others did several times is out of the world.
        stale = self.dumps - 3 * len(self.enemies) - 3
        self.enemies = [e for e in self.enemies if e.seen >= stale]

    def hit(self):
        """An enemy took a sword blow: the one that the last swing's hitboxes meet."""
        if not self.swing_at:
            return
        (px, py), (dx, dy) = self.swing_at
        cells = [(px + r * dx + 1, py + r * dy + 1) for r in (2, 3, 4)]
        for enemy in self.enemies:
            if not enemy.dead and any(overlap(cx, cy, 1, 1, *enemy.box()) for cx, cy in cells):
                # One that never noticed the player dies of any blow; the others leave the
                # world unseen (their dumps stop).
                enemy.dead = not enemy.alerted
                self.events.append(("stealth kill" if enemy.dead else "hit", enemy.pos))
                return

    def living(self):
        return [e for e in self.enemies if not e.dead]


class LogReader:
    """The lines of a growing log file, read from where the last call stopped."""

    def __init__(self, path):
        self.path, self.file, self.rest = path, None, b""

    def lines(self):
        if not self.file:
            if not os.path.exists(self.path):
                return []
            self.file = open(self.path, "rb")
        data = self.rest + self.file.read()
        cut = data.rfind(b"\n") + 1
        self.rest = data[cut:]
        return data[:cut].decode("utf-8", "replace").splitlines()


class Bot:
    def __init__(self, session, game):
        self.session, self.game = session, game
        self.log = LogReader(session.log_path)
        self.held = None
        self.modifiers = set()

    # -- keys
    def key(self, *args):
        self.session.xdotool(*args)

    def hold(self, key):
        if key == self.held:
            return
        if self.held:
            self.key("keyup", self.held)
        if key:
            self.key("keydown", key)
        self.held = key

    def modifier(self, key, down):
        if down != (key in self.modifiers):
            self.key("keydown" if down else "keyup", key)
            (self.modifiers.add if down else self.modifiers.discard)(key)

    def release_all(self):
        self.hold(None)
        for key in list(self.modifiers):
            self.modifier(key, False)

    # -- the log
    def pump(self):
        now = time.monotonic()
        for line in self.log.lines():
            self.game.feed(line, now)
        self.game.settle(now)
        code = self.session.process.poll()
        assert code is None, "the game ended (exit code %s)" % code

    def wait(self, seconds, until=lambda: False):
        end = time.monotonic() + seconds
        while time.monotonic() < end and not until():
            self.pump()
            time.sleep(0.005)

    # -- planning
    def plan(self, goals, costs=None, spike_margin=1, enemy_margin=1):
        """The cheapest path of player corners from the player's place to a goal, or None.
        goals: a set of corners, which may lie outside the room (a doorway) or on a solid object
        (the ladder); costs(game) gives (box, extra) pairs, each adding to the corners whose box
        meets it."""
        game = self.game
        spikes = [(x, y, 2, 2) for kind, x, y, _ in game.statics() if kind == "Spikes"]
        solid = [(x, y, 3, 3) for kind, x, y, _ in game.statics()
                 if kind != "Spikes" and kind not in ITEMS]
        never, blocked, extra = bytearray(WIDTH * HEIGHT), bytearray(WIDTH * HEIGHT), \
            [0] * (WIDTH * HEIGHT)
        for box in spikes:
            paint(never, box, 1)
        m = enemy_margin
        for e in game.living():
            paint(never, (e.pos[0] - m, e.pos[1] - m, 3 + 2 * m, 3 + 2 * m), 1)
        for box in solid:
            paint(blocked, box, 1)
        for box, value in costs(game) if costs else ():
            paint(extra, box, value, add=True)
        for x in range(X_MIN, X_MAX + 1):
            for y in range(Y_MIN, Y_MAX + 1):
                blocked[y * WIDTH + x] |= 2  # 2: inside the room
        start = game.pos[1] * WIDTH + game.pos[0]
        targets = {y * WIDTH + x for x, y in goals if 0 <= x < WIDTH and 0 <= y < HEIGHT}
        for margin in sorted({spike_margin, 0}, reverse=True):
            near = bytearray(never)
            for x, y, w, h in spikes if margin else ():
                paint(near, (x - margin, y - margin, w + 2 * margin, h + 2 * margin), 1)
            path = dijkstra(start, targets, near, blocked, extra)
            if path:
                return [(i % WIDTH, i // WIDTH) for i in path]
        return None

    def solid(self, pos):
        return any(player_meets(pos, (x, y, 3, 3)) for kind, x, y, _ in self.game.statics()
                   if kind != "Spikes" and kind not in ITEMS)

    def deadly(self, pos):
        return any(player_meets(pos, (x, y, 2, 2))
                   for kind, x, y, _ in self.game.statics() if kind == "Spikes")

    def step_along(self, path):
        """Holds the key of the path's first step, or taps it where running on is deadly."""
        game = self.game
        first = path[0]
        d = (first[0] - game.pos[0], first[1] - game.pos[1])
        beyond = (first[0] + d[0], first[1] + d[1])
        turning = len(path) == 1 or (path[1][0] - first[0], path[1][1] - first[1]) != d
        # Into a doorway or onto the ladder: one step only, the next room is planned anew.
        leaving = len(path) == 1 and not (X_MIN <= first[0] <= X_MAX and Y_MIN <= first[1] <= Y_MAX
                                          and not self.solid(first))
        if not leaving and not (turning and self.deadly(beyond)):
            self.hold(KEYS[d])
            return
        self.hold(None)
        self.tap(KEYS[d])

    def tap(self, key):
        """Taps the key until the player steps: a tap while the step countdown runs is lost."""
        game = self.game
        moves, end = game.moves, time.monotonic() + 1.0
        while game.moves == moves and time.monotonic() < end and not game.dead:
            self.key("key", key)
            self.wait(0.035, lambda: game.moves != moves)

    def swing_at_enemy(self, alerted_only=False):
        """Swings the sword at an enemy within its reach; whether there was one."""
        game = self.game
        enemies = [e for e in game.living() if e.alerted or not alerted_only]
        px, py = game.pos
        for (dx, dy), key in SWING_KEYS.items():
            cells = [(px + r * dx + 1, py + r * dy + 1) for r in (2, 3, 4)]
            if any(overlap(cx, cy, 1, 1, *e.box()) for e in enemies for cx, cy in cells):
                self.hold(None)
                self.key("key", key)
                return True
        return False

    def go(self, goals, until, timeout=60, fight=True, defend=False, **plan_options):
        """Steps towards the goals until until() holds; False when it timed out. With no way
        through the enemies it fights one within its sword's reach (defend: an enemy that
        noticed the player, whenever one is within reach)."""
        game = self.game
        deadline = time.monotonic() + timeout
        seen, again = None, 0
        while not until():
            if time.monotonic() > deadline or game.dead:
                self.hold(None)
                return False
            self.pump()
            if until():
                break
            if game.pending:
                time.sleep(0.002)
                continue
            state = (game.version, game.pos, game.room, game.floor)
            if state != seen or time.monotonic() > again:
                seen, again = state, time.monotonic() + 0.1
                if defend and self.swing_at_enemy(alerted_only=True):
                    again = time.monotonic() + 0.5  # one swing lasts 15 cycles
                    continue
                wanted = goals() if callable(goals) else goals
                path = self.plan(wanted, **plan_options)
                if not path and plan_options.get("enemy_margin", 1):
                    path = self.plan(wanted, **dict(plan_options, enemy_margin=0))
                if path:
                    self.step_along(path)
                else:
                    self.hold(None)
                    if fight and self.swing_at_enemy():
                        again = time.monotonic() + 0.5  # one swing lasts 15 cycles
            time.sleep(0.003)
        self.hold(None)
        return True

    # -- travelling between rooms
    def route(self, target):
        """The doors to take from the current room to the target room, by breadth-first search."""
        rooms = self.game.catalogue[self.game.floor]
        before, queue = {self.game.room: None}, [self.game.room]
        for room in queue:
            for door in rooms[room]["doors"]:
                (gx, gy), _, _ = DOORS[door]
                nxt = (room[0] + gx, room[1] + gy)
                if nxt in rooms and nxt not in before:
                    before[nxt] = (room, door)
                    queue.append(nxt)
        doors, room = [], target
        while before[room]:
            room, door = before[room]
            doors.append(door)
        return doors[::-1]

    def travel(self, target, **plan_options):
        game = self.game
        for door in self.route(target):
            room = game.room
            say("floor %d room %s: through the %s door" % (game.floor, room, door))
            if not self.go(set(DOORS[door][1]), lambda: game.room != room,
                           **plan_options):
                return False
        return True


def enemy_costs(game, reach=4, weight=6):
    """Keeps the player's path away from enemies: the nearer, the dearer."""
    return [((e.pos[0] - g, e.pos[1] - g, 3 + 2 * g, 3 + 2 * g), weight)
            for e in game.living() for g in range(1, reach + 1)]


def sight_costs(game):
    """Keeps a sneaking player out of the rows and columns that the enemies which have not
    noticed it look along, and far out of the line they look along now."""
    costs = []
    for e in game.living():
        if e.alerted:
            continue
        costs.append((e.sight(), 400))
        for x, y, w, h in e.cross():
            costs += [((x - 1, y - 1, w + 2, h + 2), 5), ((x, y, w, h), 40)]
    return costs


# -- the three games

def nearest_room_with(game, wanted):
    """The nearest room (in doors from the current one) whose catalogue entry satisfies wanted."""
    rooms = game.catalogue[game.floor]
    before, queue = {game.room}, [game.room]
    for room in queue:
        if wanted(rooms[room]):
            return room
        for door in rooms[room]["doors"]:
            (gx, gy), _, _ = DOORS[door]
            nxt = (room[0] + gx, room[1] + gy)
            if nxt in rooms and nxt not in before:
                before.add(nxt)
                queue.append(nxt)
    return None


def play_death(bot):
    """Walks into the nearest room with enemies and lets them beat the player to death."""
    game = bot.game
    target = nearest_room_with(game, lambda r: any(o[0] in ENEMIES for o in r["objects"]))
    if not bot.travel(target, enemy_margin=1, costs=enemy_costs):
        return False

    def beside():
        # Every cell from which one more step would bump into an enemy.
        goals = set()
        for e in game.living():
            x, y = e.pos
            goals |= {(x - 3, y + k) for k in range(-2, 3)} | {(x + 3, y + k) for k in range(-2, 3)}
            goals |= {(x + k, y - 3) for k in range(-2, 3)} | {(x + k, y + 3) for k in range(-2, 3)}
        return goals

    deadline = time.monotonic() + 120
    while not game.dead and time.monotonic() < deadline:
        bot.pump()
        if game.pos in beside():
            # Stand still: an enemy that noticed the player keeps stepping into it.
            health = game.health
            bot.wait(2.5, lambda: game.dead or game.health != health or game.pos not in beside())
            continue
        bot.go(beside, lambda: game.dead or game.pos in beside(), timeout=5, enemy_margin=0)
    if not game.dead:
        return False
    bot.wait(3.0)  # the game-over screen shows for four seconds; end before the next game
    return True


def play_ladder(bot):
    """Sneaks from room to room to the room with the ladder and takes it."""
    game = bot.game
    rooms = game.catalogue[1]
    target = next(r for r, data in rooms.items() if any(o[0] == "Ladder" for o in data["objects"]))
    bot.modifier("Alt_L", True)  # sneaking: fewer enemies give chase
    costs = lambda game: enemy_costs(game) + sight_costs(game)  # noqa: E731
    if not bot.travel(target, enemy_margin=1, costs=costs):
        return False
    say("floor 1 room %s: to the ladder" % (target,))
    ladder = {(x, y) for x in range(3, 8) for y in range(1, 6)}  # corners whose box meets it
    if not bot.go(ladder, lambda: game.floor > 1, enemy_margin=1, costs=costs):
        return False
    bot.modifier("Alt_L", False)
    bot.wait(1.5)
    return not game.dead


def strike_places(enemy):
    """Where the player's sword reaches the enemy from outside its row and column: corner ->
    direction of the swing."""
    x, y = enemy.pos
    places = {}
    for k in range(3, 6):
        places[x - k, y + 1] = (1, 0)
        places[x + k, y + 1] = (-1, 0)
        places[x + 1, y + k] = (0, -1)
        places[x + 1, y - k] = (0, 1)
    return places


def play_stealth(bot):
    """Sneaks into a room with an item and enemies, kills an enemy that has not noticed the
    player with one blow, then takes the item."""
    game = bot.game
    target = ROOM.get("stealth") or nearest_room_with(
        game, lambda r: any(o[0] in ITEMS for o in r["objects"]) and
        any(o[0] in ENEMIES for o in r["objects"]))
    bot.modifier("Alt_L", True)  # sneaking: only a line of sight notices the player
    if not bot.travel(target, enemy_margin=1, costs=sight_costs):
        return False

    def places():
        found = {}
        for e in game.living():
            if not e.alerted:
                for corner, swing in strike_places(e).items():
                    if not any(player_meets(corner, o.box()) for o in game.living()) and \
                            not any(player_meets(corner, s) for o in game.living()
                                    if not o.alerted for s in o.cross()):
                        found[corner] = swing
        return found

    blows = lambda: len([e for e in game.events if e[0] in ("stealth kill", "hit")])  # noqa
    killed = lambda: any(e[0] == "stealth kill" for e in game.events)  # noqa: E731
    say("room %s: to an enemy that has not noticed the player" % (game.room,))
    deadline = time.monotonic() + 60
    while not killed() and not game.dead and time.monotonic() < deadline:
        bot.pump()
        spots = places()
        if game.pos in spots:
            before = blows()
            bot.hold(None)
            bot.key("key", SWING_KEYS[spots[game.pos]])
            bot.wait(0.6, lambda: blows() != before)
            continue
        if not [e for e in game.living() if not e.alerted]:
            return False
        bot.go(places, lambda: game.dead or killed() or game.pos in places(), defend=True,
               enemy_margin=0, costs=sight_costs, timeout=5)
    if not killed():
        return False

    items = [o for o in game.statics() if o[0] in ITEMS]
    if not items:
        return False
    kind, x, y, _ = items[0]
    w, h = SIZES[kind]
    reach = {(cx, cy) for cx in range(x - 2, x + w) for cy in range(y - 2, y + h)}
    taken = lambda: any(e[0] == "item" for e in game.events)  # noqa: E731
    say("room %s: to the %s at %s" % (game.room, kind, (x, y)))
    if not bot.go(reach, lambda: taken() or game.dead, defend=True, enemy_margin=1,
                  costs=sight_costs, timeout=40) or not taken():
        return False
    bot.modifier("Alt_L", False)
    bot.wait(1.5)
    return not game.dead


PLAYS = {"death": play_death, "ladder": play_ladder, "stealth": play_stealth}


def enough(name, events, log, summary):
    """Why the recording run does not show what the game is for, or None when it does."""
    kinds = [e[0] for e in events]
    if name == "death":
        if "created game over object" not in log:
            return "no game over"
        if "collided with Zombie; health = 0" not in log:
            return "health never reached 0"
        last = log[:log.index("collided with Zombie; health = 0")]
        blows = [line for line in last if line.startswith("running collide")]
        killer = blows[-1] if blows else ""
        if not re.search(r"\b(Zombie|Skeleton)\b", killer) or "spikes" in kinds or "arrow" in kinds:
            return "not killed by an enemy (%r)" % killer
    elif name == "ladder":
        if "floor" not in kinds:
            return "no floor change"
    elif name == "stealth":
        if "stealth kill" not in kinds or "item" not in kinds:
            return "no stealth kill and item (%s)" % sorted(set(kinds))
        # Told by the score too: 10 a kill (50 a money bag), and a noticed enemy takes at least
        # three blows (45 health, 15 damage or 20 after one attack boost).
        score = int(re.search(r" score (\d+) ", summary)[1])
        kills = (score - 50 * (("item", "Moneybag") in events)) // 10
        if not kills or sum(1 for line in log if HIT.match(line)) >= 3 * kills:
            return "no kill with one blow in the log"
    if name != "death" and ("created game over object" in log or " health 0 " in summary):
        return "the player died"
    return None


def record(name, game_path, data):
    """Plays one game with --record: (replay file, summary line, scratch folder) when the game
    shows what it is for, else None (the scratch folder keeps the recording and its log)."""
    seed = SEED[name]
    scratch = Path(tempfile.mkdtemp(prefix="murkvault-golden-%s-" % name))
    replay, summary = scratch / (name + ".rpl"), scratch / "stdout.txt"
    # The game's stdout carries the summary line; the harness drops it, so a shell keeps it.
    command = ["/bin/sh", "-c", 'exec "$0" "$@" >"%s"' % summary, os.path.abspath(game_path),
               "--seed", str(seed), "--record", str(replay)]
    catalogue = read_catalogue(seed)
    started = time.monotonic()
    with GameSession("golden-" + name, command, data) as session:
        session.until_room()
        bot = Bot(session, Game(catalogue))
        bot.pump()  # up to the player's creation
        try:
            done = PLAYS[name](bot)
        finally:
            bot.release_all()
        counts = collections.Counter(e[0] for e in bot.game.events)
        say("%s: %s after %.0f s; %s" % (name, "played" if done else "gave up",
                                         time.monotonic() - started,
                                         ", ".join("%s %d" % c for c in sorted(counts.items()))))
        code, _ = session.escape()
        assert code == 0, "the game did not end with code 0 after Escape"
        log = Path(session.log_path).read_text().splitlines()
        events = bot.game.events
        keep = scratch / "kept"
        keep.mkdir()
        shutil.copy(session.log_path, keep / "kestrel.log")
    lines = summary.read_text().splitlines()
    why = None if done else "the bot gave up"
    why = why or (len(lines) != 1 and "no summary line") or enough(name, events, log, lines[0])
    if why:
        say("%s: not kept: %s (recording in %s)" % (name, why, scratch))
        return None
    return replay, lines[0], scratch


def steady(log):
    """The log's lines without those on frame timing and the display, which differ by run."""
    return [line for line in log.splitlines(True) if not line.startswith(VOLATILE)]


def replay_headless(game_path, data, replay):
    """The summary line of a headless replay without a display, and its log."""
    with tempfile.TemporaryDirectory(prefix="murkvault-golden-replay-") as work:
        for item in ("sprites", "sounds", "ks-font.ttf"):
            os.symlink(os.path.join(data, item), os.path.join(work, item))
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "XAUTHORITY")}
        result = subprocess.run([os.path.abspath(game_path), "--replay", str(replay),
                                 "--headless"], cwd=work, env=env, capture_output=True,
                                text=True, timeout=600)
        log = Path(work, "kestrel.log").read_text()
    return result.returncode, result.stdout, log


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--game", default=str(ROOT / "build" / "test" / "murkvault"))
    parser.add_argument("--data", default=str(ROOT))
    parser.add_argument("--tries", type=int, default=4)
    parser.add_argument("--out", default=str(GAMES), help="where the games go")
    parser.add_argument("name", choices=sorted(PLAYS) + ["all"])
    args = parser.parse_args()
    data = os.path.abspath(args.data)
    failed = []
    for name in sorted(PLAYS) if args.name == "all" else [args.name]:
        for attempt in range(1, args.tries + 1):
            say("%s: attempt %d with seed %d" % (name, attempt, SEED[name]))
            kept = record(name, args.game, data)
            if not kept:
                continue
            replay, line, scratch = kept
            replays = [replay_headless(args.game, data, replay) for _ in range(2)]
            if any(code != 0 or out != line + "\n" for code, out, _ in replays):
                recorded = (scratch / "kept" / "kestrel.log").read_text()
                for i, (code, out, log) in enumerate(replays, 1):
                    (scratch / ("replay-%d.log" % i)).write_text(log)
                    (scratch / ("replay-%d.diff" % i)).write_text("".join(difflib.unified_diff(
                        steady(recorded), steady(log), "recording", "replay %d" % i)))
                say("%s: the replays do not repeat the recording: recorded %r, replayed %s "
                    "(logs in %s)" % (name, line, [(c, o) for c, o, _ in replays], scratch))
                failed.append(name)
                break
            out = Path(args.out)
            out.mkdir(parents=True, exist_ok=True)
            shutil.copy(replay, out / (name + ".rpl"))
            (out / (name + ".summary")).write_text(line + "\n")
            say("%s: kept: %s" % (name, line))
            shutil.rmtree(scratch, ignore_errors=True)
            break
        else:
            failed.append(name)
    if failed:
        say("not recorded: " + ", ".join(failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
