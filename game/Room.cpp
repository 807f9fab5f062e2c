#include "Room.h"

#include "Direction.h"

Room::Room(int init_x, int init_y)
    : x(init_x), y(init_y), has_north(false), has_south(false), has_east(false), has_west(false),
      north(nullptr, NORTH), south(nullptr, SOUTH), east(nullptr, EAST), west(nullptr, WEST),
      objects() {}

void Room::addObject(ks::Object* p_object) {
    objects.insert(p_object);
}

Room* Room::getNorth() const {
    return has_north ? north.getRoom() : nullptr;
}

Room* Room::getSouth() const {
    return has_south ? south.getRoom() : nullptr;
}

Room* Room::getEast() const {
    return has_east ? east.getRoom() : nullptr;
}

Room* Room::getWest() const {
    return has_west ? west.getRoom() : nullptr;
}

void Room::setNorth(Room* p_room) {
    has_north = p_room != nullptr;
    if (p_room)
        north.setRoom(p_room);
}

void Room::setSouth(Room* p_room) {
    has_south = p_room != nullptr;
    if (p_room)
        south.setRoom(p_room);
}

void Room::setEast(Room* p_room) {
    has_east = p_room != nullptr;
    if (p_room)
        east.setRoom(p_room);
}

void Room::setWest(Room* p_room) {
    has_west = p_room != nullptr;
    if (p_room)
        west.setRoom(p_room);
}

Room* Room::getNeighbour(int direction) const {
    switch (direction) {
    case NORTH:
        return getNorth();
    case SOUTH:
        return getSouth();
    case EAST:
        return getEast();
    case WEST:
        return getWest();
    default:
        return nullptr;
    }
}

void Room::setNeighbour(int direction, Room* p_room) {
    switch (direction) {
    case NORTH:
        setNorth(p_room);
        break;
    case SOUTH:
        setSouth(p_room);
        break;
    case EAST:
        setEast(p_room);
        break;
    case WEST:
        setWest(p_room);
        break;
    default:
        break;
    }
}
