#include "Food.h"

#include <ks/EventCollision.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/WorldManager.h>

namespace {
// Random cells tried before the field counts as full.
const int MAX_TRIES = 10000;
} // namespace

Food::Food(unsigned long seed) : random(static_cast<std::mt19937::result_type>(seed)) {
    setType("Food");
    setSolidness(ks::SOFT); // the snake runs into it, not against it
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("food"))
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Food::Food(): Warning! Sprite 'food' not found");
    setSpriteSlowdown(8); // blinks about twice a second
    place();
}

int Food::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() != ks::COLLISION_EVENT)
        return 0;
    const auto* p_collision = static_cast<const ks::EventCollision*>(p_event);
    const ks::Object* p_other = p_collision->getOtherObject(this);
    if (!p_other || p_other->getType() != "Snake")
        return 0;
    // Gone before the world's next update could report the same collision again.
    place();
    return 1;
}

int Food::place() {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    for (int tries = 0; tries < MAX_TRIES; tries++) {
        // The generator's own numbers, not a distribution: the same with every library.
        int x = LEFT + static_cast<int>(random() % (RIGHT - LEFT + 1));
        int y = TOP + static_cast<int>(random() % (BOTTOM - TOP + 1));
        ks::Position where(x, y);
        if (where == getPosition() || !world.isCollision(this, where).isEmpty())
            continue;
        setPosition(where);
        ks::LogManager::getInstance().writeLog("Food::place(): food at (%d, %d)", x, y);
        return 0;
    }
    ks::LogManager::getInstance().writeLog("Food::place(): no free cell left");
    world.markForDelete(this);
    return -1;
}
