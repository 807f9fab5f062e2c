#include "Moneybag.h"

#include "EventView.h"
#include "PopUp.h"
#include "WorldManager.h"

namespace {

const int MONEYBAG_SCORE = 50;

} // namespace

Moneybag::Moneybag(ks::Position pos) : Item() {
    setUp(pos, "Moneybag", "moneybag", "Moneybag");
}

void Moneybag::pickup(Player*) {
    if (!claim())
        return;
    ks::EventView score("Score:", MONEYBAG_SCORE, true);
    ks::WorldManager::getInstance().onEvent(&score);
    PopUp::spawn("money bag acquired");
}
