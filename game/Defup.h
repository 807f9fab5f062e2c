#pragma once

#include "Item.h"
#include "Position.h"

class Player;

// A defense boost: every later blow the player takes costs 1 less (at least 1).
class Defup : public Item {
public:
    Defup(ks::Position pos);

    void pickup(Player* p_player) override;
};
