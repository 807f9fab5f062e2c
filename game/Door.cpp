#include "Door.h"

Door::Door(Room* p_init_room, int init_direction)
    : p_room(p_init_room), direction(init_direction) {}
