#include "Brick.h"

#include <ks/EventCollision.h>
#include <ks/EventView.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/Sound.h>
#include <ks/WorldManager.h>

#include "Capsule.h"

int Brick::left = 0;

Brick::Brick(ks::Position at, const std::string& color, bool init_with_capsule)
    : ks::Object(at), with_capsule(init_with_capsule), struck(false) {
    setType("Brick");
    // Every object starts on the top layer; bricks go below it, so that a capsule falling past
    // one is seen in front of it.
    setAltitude(1);
    const std::string label = "brick-" + color;
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite(label))
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog("Brick::Brick(): Warning! Sprite '%s' not found",
                                               label.c_str());
    left++;
}

int Brick::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() != ks::COLLISION_EVENT)
        return 0;
    const auto* p_collision = static_cast<const ks::EventCollision*>(p_event);
    const ks::Object* p_other = p_collision->getOtherObject(this);
    if (!p_other || p_other->getType() != "Ball")
        return 0;
    strike();
    return 1;
}

void Brick::strike() {
    if (struck)
        return; // marked already; it leaves the world at the next update
    struck = true;
    left--;
    ks::LogManager::getInstance().writeLog("Brick::strike(): at (%d, %d), %d left",
                                           getPosition().getX(), getPosition().getY(), left);
    ks::EventView score("Score:", POINTS, true);
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.onEvent(&score);
    if (ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound("brick"))
        p_sound->play(false);
    if (with_capsule)
        new Capsule(ks::Position(getPosition().getX() + WIDTH / 2, getPosition().getY() + 1));
    // Out of the world at the next update, and destroyed by the world once out: the brick is
    // never used again.
    world.markForDelete(this);
    world.adoptObject(this);
}
