#pragma once

#include "Item.h"
#include "Position.h"

class Player;

// A money bag: +50 score.
class Moneybag : public Item {
public:
    Moneybag(ks::Position pos);

    void pickup(Player* p_player) override;
};
