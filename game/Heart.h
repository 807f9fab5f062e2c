#pragma once

#include "Item.h"
#include "Position.h"

class Player;

// A heart: +20 health, beyond any earlier value.
class Heart : public Item {
public:
    Heart(ks::Position pos);

    void pickup(Player* p_player) override;
};
