#include "FloorGenerator.h"

#include <cstdlib>

#include "ArrowTrap.h"
#include "Atkup.h"
#include "Box.h"
#include "Defup.h"
#include "Direction.h"
#include "Heart.h"
#include "Ladder.h"
#include "LogManager.h"
#include "Moneybag.h"
#include "Object.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "Random.h"
#include "Room.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "Zombie.h"

namespace {

const ks::Position LADDER_POSITION(5, 3);

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

} // namespace

FloorGenerator::FloorGenerator(Grid& init_rooms, int init_floor)
    : rooms(init_rooms), floor(init_floor) {}

void FloorGenerator::build(Grid& rooms, int floor, unsigned int seed) {
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            rooms[x][y] = new Room(x, y);

    ks::Random::getInstance().seed(seed);

    FloorGenerator generator(rooms, floor);
    Room* p_centre = rooms[MAP_CENTRE][MAP_CENTRE];
    p_centre->setNorth(rooms[MAP_CENTRE][MAP_CENTRE + 1]);
    p_centre->setSouth(rooms[MAP_CENTRE][MAP_CENTRE - 1]);
    p_centre->setEast(rooms[MAP_CENTRE + 1][MAP_CENTRE]);
    p_centre->setWest(rooms[MAP_CENTRE - 1][MAP_CENTRE]);

    generator.branch(p_centre, ks::Position(MAP_CENTRE, MAP_CENTRE + 1), NORTH, 2, 2);
    generator.branch(p_centre, ks::Position(MAP_CENTRE + 1, MAP_CENTRE), EAST, 2, 2);
    generator.branch(p_centre, ks::Position(MAP_CENTRE, MAP_CENTRE - 1), SOUTH, 2, 2);
    generator.branch(p_centre, ks::Position(MAP_CENTRE - 1, MAP_CENTRE), WEST, 2, 2);

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
                generator.fillRoom(p_room);
        }

    Ladder* p_ladder = new Ladder(floor);
    p_ladder->setPosition(LADDER_POSITION);
    rooms[best.getX()][best.getY()]->addObject(p_ladder);
}

int FloorGenerator::branch(Room* p_from, ks::Position pos, int direction, int max_branches,
                           int min_branches) {
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

ks::Position FloorGenerator::searchPlace(Room* p_room, int horizontal, int vertical,
                                         bool keep_clear) {
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

ks::Position FloorGenerator::findFreePosition(Room* p_room, int horizontal, int vertical) {
    return searchPlace(p_room, horizontal, vertical, false);
}

ks::Position FloorGenerator::findTrapPosition(Room* p_room) {
    // Draws exactly as repeated findFreePosition(room, 3, 3) trials would, and the trap stands
    // at the first trial that passes.
    return searchPlace(p_room, 3, 3, true);
}

void FloorGenerator::logNoPlace(Room* p_room, int horizontal, int vertical) {
    // Still "Map::generateFloor()", where this line was first written: the recorded games'
    // log checksums and the tests hold its text.
    ks::LogManager::getInstance().writeLog(
        "Map::generateFloor(): Warning! no free place for a %d x %d object in room (%d,%d)",
        horizontal, vertical, p_room->getX(), p_room->getY());
}

void FloorGenerator::fillRoom(Room* p_room) {
    const int f = floor;
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
