#include "Defup.h"

#include "Player.h"
#include "PopUp.h"

namespace {

const int DEFUP_DEFENSE = 1;

} // namespace

// The warning of this item is logged in lower case.
Defup::Defup(ks::Position pos) : Item() {
    setUp(pos, "Defup", "defup", "defup");
}

void Defup::pickup(Player* p_player) {
    if (!claim())
        return;
    p_player->setDefense(p_player->getDefense() + DEFUP_DEFENSE);
    PopUp::spawn("defense increased");
}
