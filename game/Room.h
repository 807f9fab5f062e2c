#pragma once

#include "Door.h"
#include "ObjectList.h"

namespace ks {
class Object;
}

// One cell of a floor's 5 x 5 grid: its doors and the objects that live in it. The list keeps
// the objects for the life of the floor, shown or not; the room never destroys them (the map
// hands them to the world when the floor is left).
class Room {
public:
    Room(int init_x, int init_y);

    int getX() const { return x; }
    int getY() const { return y; }

    void addObject(ks::Object* p_object);
    ks::ObjectList* getObjects() { return &objects; }
    const ks::ObjectList* getObjects() const { return &objects; }

    bool hasNorth() const { return has_north; }
    bool hasSouth() const { return has_south; }
    bool hasEast() const { return has_east; }
    bool hasWest() const { return has_west; }
    // Whether the room has any door at all (rooms without one are never shown).
    bool hasDoors() const { return has_north || has_south || has_east || has_west; }

    // The linked room, or null when there is no door on that side.
    Room* getNorth() const;
    Room* getSouth() const;
    Room* getEast() const;
    Room* getWest() const;

    // A room opens the door and links it; null closes the door and leaves its link as it was.
    void setNorth(Room* p_room);
    void setSouth(Room* p_room);
    void setEast(Room* p_room);
    void setWest(Room* p_room);

    // The same by direction constant (NORTH, EAST, SOUTH, WEST); other values do nothing / null.
    Room* getNeighbour(int direction) const;
    void setNeighbour(int direction, Room* p_room);

private:
    int x;
    int y;
    bool has_north;
    bool has_south;
    bool has_east;
    bool has_west;
    Door north;
    Door south;
    Door east;
    Door west;
    ks::ObjectList objects;
};
