#include "Ladder.h"

#include "EventCollision.h"
#include "EventFloorSwap.h"
#include "EventView.h"
#include "LogManager.h"
#include "Player.h"
#include "ResourceManager.h"
#include "WorldManager.h"

Ladder::Ladder(int init_floor) : floor(init_floor) {
    setSolidness(ks::HARD);
    setType("Ladder");
    const char* label = "ladder";
    ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(label);
    if (p_sprite)
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Ladder::Ladder(): Warning! Sprite '%s' not found",
                                               label);
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
