#include "Map.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "ArrowTrap.h"
#include "Atkup.h"
#include "Defup.h"
#include "Direction.h"
#include "EventFloorSwap.h"
#include "EventPlayerMove.h"
#include "EventRoomSwap.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "Instructions.h"
#include "Ladder.h"
#include "LogManager.h"
#include "Moneybag.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "PopUp.h"
#include "Random.h"
#include "Room.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "Sprite.h"
#include "SpriteLookup.h"
#include "ViewObject.h"
#include "Wall.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

const ks::Position LADDER_POSITION(5, 3);
const ks::Position INSTRUCTIONS_POSITION(4, 2);

// One side of a room, from which all of its door's geometry comes: the doorway that swaps
// rooms, the door's picture, the walls around it, and where a player leaving through it comes
// out of the next room.
struct DoorSide {
    const char* sprite_label;
    // Where the player's box swaps rooms.
    ks::Box trigger;
    // Top-left corner of the door's picture.
    ks::Position picture;
    // The walls beside the doorway, or along the whole side when it has no door.
    ks::Box beside[2];
    ks::Box whole;
    // One coordinate of the arrival in the next room; the other, -1 here, stays as it was.
    ks::Position entry;
};

// By the door's direction: NORTH leads up the grid and is drawn at the top, EAST on the left,
// SOUTH at the bottom and WEST on the right. The doorways are x 38..43 at the top and the
// bottom and y 10..13 at the sides.
const DoorSide SIDES[] = {
    {"door-north",
     ks::Box(ks::Position(38, 0), 8, 2),
     ks::Position(37, 0),
     {ks::Box(ks::Position(0, 0), 38, 2), ks::Box(ks::Position(44, 0), 36, 2)},
     ks::Box(ks::Position(0, 0), 80, 2),
     ks::Position(-1, 19)},
    {"door-east",
     ks::Box(ks::Position(0, 10), 2, 6),
     ks::Position(0, 9),
     {ks::Box(ks::Position(0, 2), 2, 8), ks::Box(ks::Position(0, 14), 2, 8)},
     ks::Box(ks::Position(0, 2), 2, 20),
     ks::Position(75, -1)},
    {"door-south",
     ks::Box(ks::Position(40, 22), 8, 2),
     ks::Position(37, 22),
     {ks::Box(ks::Position(0, 22), 38, 2), ks::Box(ks::Position(44, 22), 36, 2)},
     ks::Box(ks::Position(0, 22), 80, 2),
     ks::Position(-1, 2)},
    {"door-west",
     ks::Box(ks::Position(78, 10), 2, 6),
     ks::Position(78, 9),
     {ks::Box(ks::Position(78, 2), 2, 8), ks::Box(ks::Position(78, 14), 2, 8)},
     ks::Box(ks::Position(78, 2), 2, 20),
     ks::Position(2, -1)},
};

// Walls are built (and door sprites looked up) side by side in this order; the order of the
// walls in the world decides the order of collision events at a corner.
const int WALL_ORDER[] = {NORTH, SOUTH, EAST, WEST};
// Doors are tested and drawn in this order.
const int DOOR_ORDER[] = {NORTH, SOUTH, WEST, EAST};

// Corners that findFreePosition draws: x 10..69, y 7..16.
const int PLACE_X_MIN = 10;
const int PLACE_X_RANGE = 60;
const int PLACE_Y_MIN = 7;
const int PLACE_Y_RANGE = 10;

// Arrow traps stay out of the area where the player arrives and crosses the room, so that a
// trap never sits in the middle of the walk from one doorway to another.
bool inTrapFreeArea(ks::Position pos) {
    return pos.getX() < 65 && pos.getY() > 7 && pos.getY() < 15;
}

int distanceFromCentre(int x, int y) {
    return abs(x - MAP_CENTRE) + abs(y - MAP_CENTRE);
}

void drawDoor(const ks::Sprite* p_sprite, ks::Position corner) {
    if (!p_sprite)
        return;
    ks::GraphicsManager::getInstance().drawFrame(corner, p_sprite->getFrame(0), false,
                                                 p_sprite->getColor());
}

} // namespace

unsigned long Map::next_seed = static_cast<unsigned long>(time(nullptr)) & Map::SEED_MASK;

unsigned int Map::floorSeed(unsigned long game_seed, int f) {
    // A fixed mix (splitmix64's finaliser) of both, so that neighbouring seeds and floors give
    // unrelated floors, the same on every machine.
    uint64_t z = static_cast<uint64_t>(game_seed) * 0x9E3779B97F4A7C15ULL +
                 static_cast<uint64_t>(static_cast<uint32_t>(f));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<unsigned int>(z >> 32);
}

Map::Map()
    : seed(next_seed), floor(1), rooms(), current_room(nullptr), player(nullptr), door_sprites() {
    next_seed = (next_seed + 1) & SEED_MASK;
    ks::LogManager::getInstance().writeLog("Map::Map(): seed %lu", seed);
    setPosition(ks::Position(0, 0));
    setCentered(false);
    setSolidness(ks::SPECTRAL);
    setSprite(lookUpSprite("Map", "room"));
    for (int direction : WALL_ORDER)
        door_sprites[direction] = lookUpSprite("Map", SIDES[direction].sprite_label);
    setAltitude(0);
    setType("Map");
}

Map* Map::spawn() {
    Map* p_map = new Map();
    // Handed over before its first room's walls and sign: the world destroys what it owns in
    // the order it was given, so the map goes first (and its destruction's log lines with it).
    ks::WorldManager::getInstance().adoptObject(p_map);
    p_map->generateFloor();
    p_map->player = new Player();
    Instructions::spawn(INSTRUCTIONS_POSITION);
    return p_map;
}

Map::~Map() {
    disposeRooms(rooms);
    if (player)
        ks::WorldManager::getInstance().adoptObject(player);
}

Room* Map::getRoom(int x, int y) const {
    if (x < 0 || x >= MAP_SIZE || y < 0 || y >= MAP_SIZE)
        return nullptr;
    return rooms[x][y];
}

int Map::eventHandler(const ks::Event* p_event) {
    const std::string type = p_event->getType();
    if (type == PLAYER_MOVE_EVENT) {
        const Player* p_player = static_cast<const EventPlayerMove*>(p_event)->getPlayer();
        if (p_player)
            checkDoors(p_player->getPosition(), p_player->getBox());
        return 1;
    }
    if (type == FLOOR_SWAP_EVENT) {
        generateFloor();
        return 0;
    }
    return 0;
}

void Map::draw() {
    ks::Object::draw();
    if (!current_room)
        return;
    for (int direction : DOOR_ORDER)
        if (current_room->getNeighbour(direction))
            drawDoor(door_sprites[direction], SIDES[direction].picture);
}

void Map::generateFloor() {
    const int f = floor;

    Room* old_rooms[MAP_SIZE][MAP_SIZE];
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++) {
            old_rooms[x][y] = rooms[x][y];
            rooms[x][y] = new Room(x, y);
        }

    ks::Random::getInstance().seed(floorSeed(seed, f));

    Room* p_centre = rooms[MAP_CENTRE][MAP_CENTRE];
    p_centre->setNorth(rooms[MAP_CENTRE][MAP_CENTRE + 1]);
    p_centre->setSouth(rooms[MAP_CENTRE][MAP_CENTRE - 1]);
    p_centre->setEast(rooms[MAP_CENTRE + 1][MAP_CENTRE]);
    p_centre->setWest(rooms[MAP_CENTRE - 1][MAP_CENTRE]);

    branch(p_centre, ks::Position(MAP_CENTRE, MAP_CENTRE + 1), NORTH, 2, 2);
    branch(p_centre, ks::Position(MAP_CENTRE + 1, MAP_CENTRE), EAST, 2, 2);
    branch(p_centre, ks::Position(MAP_CENTRE, MAP_CENTRE - 1), SOUTH, 2, 2);
    branch(p_centre, ks::Position(MAP_CENTRE - 1, MAP_CENTRE), WEST, 2, 2);

    // The furthest room with a door gets the ladder (ties keep the earlier room); every other
    // room with a door but the centre is filled in the same visit.
    ks::Position best(MAP_CENTRE, MAP_CENTRE);
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++) {
            Room* p_room = rooms[x][y];
            if (!p_room->hasDoors())
                continue;
            if (distanceFromCentre(x, y) > distanceFromCentre(best.getX(), best.getY()))
                best = ks::Position(x, y);
            if (p_room != p_centre)
                fillRoom(p_room, f);
        }

    Ladder* p_ladder = new Ladder(f);
    p_ladder->setPosition(LADDER_POSITION);
    rooms[best.getX()][best.getY()]->addObject(p_ladder);

    swapRoom(p_centre, NO_DIRECTION);
    floor = f + 1;

    // The old floor's objects are out of the world now or leave it at the next update.
    disposeRooms(old_rooms);
}

int Map::branch(Room* p_from, ks::Position pos, int direction, int max_branches, int min_branches) {
    const int x = pos.getX();
    const int y = pos.getY();
    if (x < 0 || x >= MAP_SIZE || y < 0 || y >= MAP_SIZE)
        return -1;
    if (max_branches <= 0)
        return -1;

    Room* p_room = rooms[x][y];
    p_room->setNeighbour(oppositeDirection(direction), p_from);

    int k;
    do {
        k = ks::Random::getInstance().next() % (max_branches + 1);
    } while (k < min_branches);

    for (int i = 0; i < k; i++) {
        int d;
        do {
            d = ks::Random::getInstance().next() % 4;
        } while (d == direction);
        ks::Position next = adjacentPosition(pos, d);
        int s = ks::Random::getInstance().next() % 2 == 0 ? 0 : 1;
        if (branch(p_room, next, d, max_branches - s, min_branches - 1) == 0)
            p_room->setNeighbour(d, rooms[next.getX()][next.getY()]);
    }
    return 0;
}

ks::Position Map::searchPlace(Room* p_room, int horizontal, int vertical, bool keep_clear) {
    const ks::ObjectList* p_objects = p_room->getObjects();
    for (int tries = 0; tries < MAX_PLACEMENT_TRIES; tries++) {
        // y is drawn before x.
        int y = ks::Random::getInstance().next() % PLACE_Y_RANGE + PLACE_Y_MIN;
        int x = ks::Random::getInstance().next() % PLACE_X_RANGE + PLACE_X_MIN;
        ks::Position pos(x, y);
        ks::Box wanted(pos, horizontal, vertical);
        bool taken = false;
        for (ks::ObjectListIterator it(p_objects); !it.isDone() && !taken; it.next()) {
            ks::Box object_box = it.currentObject()->getBox();
            object_box.setCorner(it.currentObject()->getPosition());
            taken = boxIntersectsBox(object_box, wanted);
        }
        if (!taken && !(keep_clear && inTrapFreeArea(pos)))
            return pos;
    }
    return ks::Position(-1, -1);
}

ks::Position Map::findFreePosition(Room* p_room, int horizontal, int vertical) {
    return searchPlace(p_room, horizontal, vertical, false);
}

ks::Position Map::findTrapPosition(Room* p_room) {
    // Draws exactly as repeated findFreePosition(room, 3, 3) trials would, and the trap stands
    // at the first trial that passes.
    return searchPlace(p_room, 3, 3, true);
}

void Map::logNoPlace(Room* p_room, int horizontal, int vertical) {
    ks::LogManager::getInstance().writeLog(
        "Map::generateFloor(): Warning! no free place for a %d x %d object in room (%d,%d)",
        horizontal, vertical, p_room->getX(), p_room->getY());
}

void Map::fillRoom(Room* p_room, int f) {
    // The random draws below are made in this exact order; a room's layout depends on it.
    const int trap_count = ks::Random::getInstance().next() % 2 + f - 1;
    const int spike_count = ks::Random::getInstance().next() % 3 + f + 2;
    const int enemy_count = ks::Random::getInstance().next() % (f / 3 + 2) + f + 1;

    // A search that failed once fails again: the room only fills up. Later objects of that
    // kind are then skipped (each logged) instead of searching in vain.
    bool traps_blocked = false;
    bool spikes_blocked = false;
    bool enemies_blocked = false;

    if (ks::Random::getInstance().next() % 2 == 0) {
        switch (ks::Random::getInstance().next() % 4) {
        case 0:
            p_room->addObject(new Heart(ks::Position(40, 12)));
            break;
        case 1:
            p_room->addObject(new Moneybag(ks::Position(40, 12)));
            break;
        case 2:
            p_room->addObject(new Atkup(ks::Position(38, 10)));
            break;
        default:
            p_room->addObject(new Defup(ks::Position(38, 10)));
            break;
        }
    }

    if (f > 1)
        for (int i = 0; i < trap_count; i++) {
            const int direction = ks::Random::getInstance().next() % 4;
            ks::Position pos = traps_blocked ? ks::Position(-1, -1) : findTrapPosition(p_room);
            if (!isPlaced(pos)) {
                traps_blocked = true;
                logNoPlace(p_room, 3, 3);
                continue;
            }
            p_room->addObject(new ArrowTrap(pos, direction));
        }

    for (int i = 0; i < spike_count; i++) {
        ks::Position pos = spikes_blocked ? ks::Position(-1, -1) : findFreePosition(p_room, 2, 2);
        if (!isPlaced(pos)) {
            spikes_blocked = true;
            logNoPlace(p_room, 2, 2);
            continue;
        }
        p_room->addObject(new Spikes(pos));
    }

    for (int i = 0; i < enemy_count; i++) {
        const int facing = ks::Random::getInstance().next() % 4;
        const bool skeleton = f > 2 && ks::Random::getInstance().next() % 3 == 0;
        ks::Position pos = enemies_blocked ? ks::Position(-1, -1) : findFreePosition(p_room, 3, 3);
        if (!isPlaced(pos)) {
            enemies_blocked = true;
            logNoPlace(p_room, 3, 3);
            continue;
        }
        if (skeleton)
            p_room->addObject(new Skeleton(pos, facing));
        else
            p_room->addObject(new Zombie(pos, facing));
    }
}

int Map::checkDoors(ks::Position pos, ks::Box box) {
    if (!current_room)
        return 0;
    box.setCorner(pos);
    // Each test reads the room current at that moment: after a swap, the rest look at the new
    // room's doors.
    for (int direction : DOOR_ORDER) {
        Room* p_next = current_room->getNeighbour(direction);
        if (p_next && boxIntersectsBox(box, SIDES[direction].trigger))
            swapRoom(p_next, direction);
    }
    return 0;
}

void Map::swapRoom(Room* p_room, int direction) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    ks::Position player_pos = player ? player->getPosition() : ks::Position(0, 0);

    // Everything of the room being left goes, but the player, the map, pop-ups and displays.
    // A pop-up made in this very cycle has no type label yet, hence the class test too.
    ks::ObjectList all = world.getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        ks::Object* p_object = it.currentObject();
        const std::string type = p_object->getType();
        if (type == "Player" || type == "Map" || type == "PopUp")
            continue;
        if (dynamic_cast<ks::ViewObject*>(p_object) || dynamic_cast<PopUp*>(p_object))
            continue;
        world.markForDelete(p_object);
    }

    const ks::ObjectList* p_objects = p_room->getObjects();
    for (ks::ObjectListIterator it(p_objects); !it.isDone(); it.next())
        world.insertObject(it.currentObject());

    // Walls along the edges, open where the room has a door.
    for (int direction : WALL_ORDER) {
        const DoorSide& side = SIDES[direction];
        if (p_room->getNeighbour(direction)) {
            Wall::spawn(side.beside[0]);
            Wall::spawn(side.beside[1]);
        } else {
            Wall::spawn(side.whole);
        }
    }

    EventRoomSwap swapped(direction);
    world.onEvent(&swapped);

    current_room = p_room;

    if (player) {
        // The player comes out of the doorway opposite to the one it left by; NO_DIRECTION (a
        // floor's first room) leaves it where it is.
        if (direction >= NORTH && direction <= WEST) {
            const ks::Position entry = SIDES[direction].entry;
            if (entry.getX() >= 0)
                player_pos.setX(entry.getX());
            if (entry.getY() >= 0)
                player_pos.setY(entry.getY());
        }
        player->setPosition(player_pos);
    }
}

void Map::disposeRooms(Room* old_rooms[MAP_SIZE][MAP_SIZE]) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++) {
            Room* p_room = old_rooms[x][y];
            if (!p_room)
                continue;
            const ks::ObjectList* p_objects = p_room->getObjects();
            for (ks::ObjectListIterator it(p_objects); !it.isDone(); it.next())
                world.adoptObject(it.currentObject());
            delete p_room;
            old_rooms[x][y] = nullptr;
        }
}
