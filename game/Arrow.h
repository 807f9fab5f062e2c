#pragma once

#include "Object.h"
#include "Position.h"

namespace ks {
class Event;
}

const float ARROW_X_SPEED = 1.5f;
// Half the horizontal speed: a character cell is about twice as tall as it is wide.
const float ARROW_Y_SPEED = 0.75f;
const int ARROW_DAMAGE = 20;

// A flying arrow, shot by arrow traps and skeletons. It flies straight on until it meets a HARD
// object (hurting the player if that is what it met) or leaves the window. The world owns it and
// destroys it once it has left the world.
class Arrow : public ks::Object {
public:
    // A new arrow in the world, which owns it: the world destroys it once it has left.
    // direction is a direction code (NORTH flies down the screen, EAST right, ...).
    static Arrow* spawn(ks::Position pos, int direction);

    int eventHandler(const ks::Event* p_event) override;
    // One character pointing the way it flies; no sprite.
    void draw() override;

    int getDirection() const { return direction; }

private:
    Arrow(ks::Position pos, int init_direction);

    int direction;
    float x_speed;
    float y_speed;
};
