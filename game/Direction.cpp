#include "Direction.h"

int oppositeDirection(int direction) {
    switch (direction) {
    case NORTH:
        return SOUTH;
    case SOUTH:
        return NORTH;
    case EAST:
        return WEST;
    case WEST:
        return EAST;
    default:
        return 0;
    }
}

ks::Position adjacentPosition(ks::Position pos, int direction) {
    switch (direction) {
    case NORTH:
        pos.moveY(1);
        break;
    case EAST:
        pos.moveX(1);
        break;
    case SOUTH:
        pos.moveY(-1);
        break;
    case WEST:
        pos.moveX(-1);
        break;
    default:
        break;
    }
    return pos;
}
