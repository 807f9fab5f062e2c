#pragma once

#include "Box.h"
#include "FloorGenerator.h"
#include "Object.h"
#include "Position.h"

class Player;
class Room;

namespace ks {
class Sprite;
}

// The dungeon: the current floor of 5 x 5 rooms, the room shown, and the player. It has a floor
// built (by FloorGenerator) at construction and on every "floor-swap", swaps rooms when the
// player walks into a doorway, and draws the room background with its doors.
//
// Ownership: the map owns its rooms; the rooms keep their objects for the life of the floor.
// When a floor is left (or the map is destroyed) every object of its rooms is handed to the
// world, which destroys each once it is out of the world. The world owns the map itself.
class Map : public ks::Object {
public:
    // A new game in the world, which owns the map and destroys it once it has left: it takes
    // the next seed (and counts it up) and logs it, then builds floor 1 with its centre room
    // shown, the player at its start and the instructions sign.
    static Map* spawn();
    ~Map() override;

    // "player-move": the door test; "floor-swap": builds the next floor.
    int eventHandler(const ks::Event* p_event) override;
    // The room picture, then the doors of the current room.
    void draw() override;

    // Builds the floor numbered by `floor` from the engine's generator (ks::Random) seeded with
    // floorSeed(seed, floor), makes its centre room current, then counts `floor` up and tells the
    // floor display. The previous floor's rooms and objects are handed to the world.
    void generateFloor();
    // Swaps rooms when the player's box (corner set to pos) lies in a doorway. Always 0.
    int checkDoors(ks::Position pos, ks::Box box);
    // Takes the shown room's objects out of the world, brings the room's in, builds its walls
    // and puts the player at the doorway opposite to `direction` (-1: the player stays).
    void swapRoom(Room* p_room, int direction);

    int getFloor() const { return floor; }
    // Null outside 0..4.
    Room* getRoom(int x, int y) const;
    Room* getCurrentRoom() const { return current_room; }
    Player* getPlayer() const { return player; }

    // The game's seed: every floor of the game follows from it and the floor number.
    unsigned long getSeed() const { return seed; }
    // The seed the next game takes. The games of one run take the seeds N, N + 1, N + 2, ...; N is
    // the calendar time when the program started unless set.
    static void setNextSeed(unsigned long new_seed) { next_seed = new_seed & SEED_MASK; }
    static unsigned long getNextSeed() { return next_seed; }
    // What ks::Random is seeded with for floor f of a game with the seed.
    static unsigned int floorSeed(unsigned long game_seed, int f);
    // Seeds are 32-bit numbers.
    static constexpr unsigned long SEED_MASK = 0xFFFFFFFFUL;

private:
    // The map alone: spawn builds the floor and the player once the world owns it.
    Map();

    // Hands every object of the rooms to the world and deletes the rooms.
    static void disposeRooms(Room* old_rooms[MAP_SIZE][MAP_SIZE]);

    static unsigned long next_seed;

    unsigned long seed;
    int floor;
    Room* rooms[MAP_SIZE][MAP_SIZE];
    Room* current_room;
    Player* player;
    // By the door's direction (NORTH, EAST, SOUTH, WEST); null when not found.
    ks::Sprite* door_sprites[4];
};
