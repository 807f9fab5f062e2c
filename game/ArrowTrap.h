#pragma once

#include "Box.h"
#include "Object.h"
#include "Position.h"

namespace ks {
class Event;
}

// Steps a new trap waits before it may first fire, and after each shot.
const int ARROW_TRAP_FIRST_COOLDOWN = 3;
const int ARROW_TRAP_COOLDOWN = 15;
// How far the trigger line reaches along each axis.
const int ARROW_TRAP_REACH_X = 20;
const int ARROW_TRAP_REACH_Y = 8;

// A fixed 3 x 3 launcher that shoots an arrow when the player moves inside the line in front of
// it, then cools down. Its picture has a gap on the side it shoots from.
class ArrowTrap : public ks::Object {
public:
    // direction is a direction code (NORTH shoots down the screen, EAST right, ...).
    ArrowTrap(ks::Position pos, int init_direction);

    int eventHandler(const ks::Event* p_event) override;
    // The sprite, then a blank muzzle cell next to the centre on the firing side.
    void draw() override;

    int getDirection() const { return direction; }
    ks::Box getTriggerBox() const { return trigger_box; }
    int getCooldown() const { return cooldown; }

private:
    // The centre cell of the 3 x 3 block.
    ks::Position centre() const;

    int direction;
    ks::Box trigger_box;
    int cooldown;
};
