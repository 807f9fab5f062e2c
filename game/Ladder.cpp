#include "Ladder.h"

#include "EventCollision.h"
#include "EventFloorSwap.h"
#include "EventView.h"
#include "Player.h"
#include "SpriteLookup.h"
#include "WorldManager.h"

Ladder::Ladder(int init_floor) : floor(init_floor) {
    setSolidness(ks::HARD);
    setType("Ladder");
    setSprite(lookUpSprite("Ladder", "ladder"));
}

int Ladder::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() != ks::COLLISION_EVENT)
        return 0;
    const ks::EventCollision* p_collision = static_cast<const ks::EventCollision*>(p_event);
    ks::Object* p_other = p_collision->getOtherObject(this);
    if (!p_other || p_other->getType() != "Player")
        return 0;
    Player* p_player = dynamic_cast<Player*>(p_other);
    if (p_player)
        p_player->setInvulnerable(true);
    ks::WorldManager& world = ks::WorldManager::getInstance();
    ks::EventView score("Score:", floor * 100, true);
    world.onEvent(&score);
    EventFloorSwap floor_swap;
    world.onEvent(&floor_swap);
    return 0;
}
