#include "Sword.h"

#include "EventStep.h"
#include "LogManager.h"
#include "SpriteLookup.h"
#include "WorldManager.h"

Sword* Sword::spawn(int damage, ks::Position pos) {
    Sword* p_sword = new Sword(damage, pos);
    ks::WorldManager::getInstance().adoptObject(p_sword);
    return p_sword;
}

Sword::Sword(int init_damage, ks::Position pos) : atk_timer(0), damage(init_damage) {
    ks::Sprite* p_sprite = lookUpSprite("Sword", "sword");
    if (p_sprite) {
        setSprite(p_sprite);
        setSpriteSlowdown(3);
    }
    setType("Sword");
    setSolidness(ks::HARD);
    setPosition(pos);
    atk_timer = 10;
    ks::LogManager::getInstance().writeLog("created sword hitbox, id is %d", getId());
}

Sword::~Sword() {
    ks::LogManager::getInstance().writeLog("calling Sword deconstructor (\?\?\?)");
    ks::WorldManager::getInstance().removeObject(this);
}

int Sword::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::STEP_EVENT) {
        ks::LogManager& log = ks::LogManager::getInstance();
        log.writeLog("atk_timer is %d", atk_timer);
        if (atk_timer <= 0) {
            log.writeLog("marking object id %d for deletion", getId());
            ks::WorldManager::getInstance().markForDelete(this);
        }
        atk_timer--;
    }
    return 0;
}
