#pragma once

#include "Position.h"

// Directions of doors in the room grid, and of arrows and arrow traps on the screen. On the
// screen NORTH moves one cell down (y + 1), EAST right, SOUTH up and WEST left.
const int NO_DIRECTION = -1;
const int NORTH = 0;
const int EAST = 1;
const int SOUTH = 2;
const int WEST = 3;

// NORTH <-> SOUTH, EAST <-> WEST; 0 for any other value.
int oppositeDirection(int direction);

// The position one step away in the direction; unchanged for any other value.
ks::Position adjacentPosition(ks::Position pos, int direction);
