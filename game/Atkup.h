#pragma once

#include "Item.h"
#include "Position.h"

class Player;

// An attack boost: +5 to every later sword hit.
class Atkup : public Item {
public:
    Atkup(ks::Position pos);

    void pickup(Player* p_player) override;
};
