#pragma once

#include "Position.h"

class Room;

// A floor is a grid of MAP_SIZE x MAP_SIZE rooms; a game enters each floor in the centre one.
const int MAP_SIZE = 5;
const int MAP_CENTRE = 2;

// Builds the rooms of one floor from the engine's generator (ks::Random): paths of doors that
// branch out from the centre room, then the item, arrow traps, spikes and enemies of every room
// with a door but the centre, and the ladder in the room furthest from the centre. A seed and a
// floor number always give the same rooms, object by object, as long as the random draws are
// made in the same order.
class FloorGenerator {
public:
    using Grid = Room* [MAP_SIZE][MAP_SIZE];

    // How many random places findFreePosition tries before it gives up.
    static constexpr int MAX_PLACEMENT_TRIES = 1000;

    // Puts new rooms for the floor numbered `floor` into every cell of `rooms`, the caller's
    // from then on (the pointers there before are overwritten, not deleted), seeds ks::Random
    // with `seed` and builds the floor.
    static void build(Grid& rooms, int floor, unsigned int seed);

    // A random corner (x 10..69, y 7..16) where a box of the size overlaps none of the room's
    // objects. Gives up after MAX_PLACEMENT_TRIES draws and returns a position with x == -1
    // (see isPlaced), so a crowded room cannot hang the generator.
    static ks::Position findFreePosition(Room* p_room, int horizontal, int vertical);
    // Whether a position from findFreePosition is a real place.
    static bool isPlaced(ks::Position pos) { return pos.getX() >= 0; }

private:
    FloorGenerator(Grid& init_rooms, int init_floor);

    // Carves a path into the room at pos, entered going `direction` from `p_from`, and links it
    // back. -1 (no link to be made) outside the grid or when the branch budget is spent.
    int branch(Room* p_from, ks::Position pos, int direction, int max_branches, int min_branches);
    // The item, arrow traps, spikes and enemies of one room.
    void fillRoom(Room* p_room);
    // A free place for an arrow trap outside the area where the player arrives and walks.
    static ks::Position findTrapPosition(Room* p_room);
    // The shared bounded search; keep_clear also rejects places in the central area.
    static ks::Position searchPlace(Room* p_room, int horizontal, int vertical, bool keep_clear);
    static void logNoPlace(Room* p_room, int horizontal, int vertical);

    Grid& rooms;
    const int floor;
};
