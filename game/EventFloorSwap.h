#pragma once

#include "Event.h"

const std::string FLOOR_SWAP_EVENT = "floor-swap";

// Sent when the player takes a ladder: the map builds the next floor, the player goes to the
// centre of the screen.
class EventFloorSwap : public ks::Event {
public:
    EventFloorSwap();
};
