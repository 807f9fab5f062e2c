#pragma once

class Room;

// One side of a room: the room behind it (not owned; null until linked) and its direction.
class Door {
public:
    Door(Room* p_init_room, int init_direction);

    Room* getRoom() const { return p_room; }
    void setRoom(Room* p_new_room) { p_room = p_new_room; }
    int getDirection() const { return direction; }

private:
    Room* p_room;
    int direction;
};
