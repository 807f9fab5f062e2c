#pragma once

#include "Object.h"

class Player;

// Base of the pick-ups lying in a room: low, SOFT (walked over, not bumped into).
class Item : public ks::Object {
public:
    Item();

    void draw() override;
    // Applies the item's effect to the player once; later calls do nothing.
    virtual void pickup(Player* p_player) = 0;
};
