#include "Heart.h"

#include "Player.h"
#include "PopUp.h"

namespace {

const int HEART_HEALTH = 20;

} // namespace

Heart::Heart(ks::Position pos) : Item() {
    setUp(pos, "Heart", "heart", "Heart");
}

void Heart::pickup(Player* p_player) {
    if (!claim())
        return;
    p_player->setHealth(HEART_HEALTH, true);
    PopUp::spawn("health acquired");
}
