#pragma once

#include "Box.h"
#include "Direction.h"
#include "Position.h"

// One side of a room, from which all of its door's geometry comes: the doorway that swaps
// rooms, the door's picture, the walls around it, and where a player leaving through it comes
// out of the next room. There are four, one per direction; the generator, room swapping and
// drawing all read the same table.
struct DoorSide {
    // Walls are built (and door sprites looked up) side by side in this order; the order of the
    // walls in the world decides the order of collision events at a corner.
    static constexpr int WALL_ORDER[] = {NORTH, SOUTH, EAST, WEST};
    // Doors are tested and drawn in this order.
    static constexpr int DOOR_ORDER[] = {NORTH, SOUTH, WEST, EAST};

    // The side of a door's direction, which must be NORTH, EAST, SOUTH or WEST.
    static const DoorSide& of(int direction);

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
