#pragma once

#include "Object.h"

// The way down: touched by the player it gives floor x 100 points and starts the next floor.
class Ladder : public ks::Object {
public:
    Ladder(int init_floor);

    int eventHandler(const ks::Event* p_event) override;

    int getFloor() const { return floor; }

private:
    int floor;
};
