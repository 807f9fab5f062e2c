#include "Atkup.h"

#include "Player.h"
#include "PopUp.h"

namespace {

const int ATKUP_ATTACK = 5;

} // namespace

Atkup::Atkup(ks::Position pos) : Item() {
    setUp(pos, "Atkup", "atkup", "Atkup");
}

void Atkup::pickup(Player* p_player) {
    if (!claim())
        return;
    p_player->setAttack(p_player->getAttack() + ATKUP_ATTACK);
    PopUp::spawn("attack increased");
}
