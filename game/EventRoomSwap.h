#pragma once

#include "Event.h"

const std::string ROOM_SWAP_EVENT = "room-swap";

// Sent on every room change with the direction in which the player left the old room, or -1
// when a floor's first room is entered.
class EventRoomSwap : public ks::Event {
public:
    EventRoomSwap(int init_direction);

    int getDirection() const { return direction; }
    void setDirection(int new_direction) { direction = new_direction; }

private:
    int direction;
};
