#include "Map.h"

#include <cstdint>
#include <ctime>
#include <string>

#include "Direction.h"
#include "DoorSide.h"
#include "EventFloorSwap.h"
#include "EventPlayerMove.h"
#include "EventRoomSwap.h"
#include "EventView.h"
#include "GraphicsManager.h"
#include "Instructions.h"
#include "LogManager.h"
#include "ObjectList.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "PopUp.h"
#include "Room.h"
#include "Sprite.h"
#include "SpriteLookup.h"
#include "ViewObject.h"
#include "Wall.h"
#include "WorldManager.h"

namespace {

const ks::Position INSTRUCTIONS_POSITION(4, 2);

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
    for (int direction : DoorSide::WALL_ORDER)
        door_sprites[direction] = lookUpSprite("Map", DoorSide::of(direction).sprite_label);
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
    for (int direction : DoorSide::DOOR_ORDER)
        if (current_room->getNeighbour(direction))
            drawDoor(door_sprites[direction], DoorSide::of(direction).picture);
}

void Map::generateFloor() {
    const int f = floor;

    Room* old_rooms[MAP_SIZE][MAP_SIZE];
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            old_rooms[x][y] = rooms[x][y];

    FloorGenerator::build(rooms, f, floorSeed(seed, f));

    swapRoom(rooms[MAP_CENTRE][MAP_CENTRE], NO_DIRECTION);
    floor = f + 1;
    ks::EventView shown(FLOOR_VIEW_TAG, f, false);
    ks::WorldManager::getInstance().onEvent(&shown);

    // The old floor's objects are out of the world now or leave it at the next update.
    disposeRooms(old_rooms);
}

int Map::checkDoors(ks::Position pos, ks::Box box) {
    if (!current_room)
        return 0;
    box.setCorner(pos);
    // Each test reads the room current at that moment: after a swap, the rest look at the new
    // room's doors.
    for (int direction : DoorSide::DOOR_ORDER) {
        Room* p_next = current_room->getNeighbour(direction);
        if (p_next && boxIntersectsBox(box, DoorSide::of(direction).trigger))
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
    for (int direction : DoorSide::WALL_ORDER) {
        const DoorSide& side = DoorSide::of(direction);
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
            const ks::Position entry = DoorSide::of(direction).entry;
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
