#include "DoorSide.h"

namespace {

static_assert(NORTH == 0 && EAST == 1 && SOUTH == 2 && WEST == 3,
              "SIDES is indexed by the direction");

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

} // namespace

const DoorSide& DoorSide::of(int direction) {
    return SIDES[direction];
}
