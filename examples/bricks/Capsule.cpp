#include "Capsule.h"

#include <ks/EventCollision.h>
#include <ks/EventOut.h>
#include <ks/EventView.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/Sound.h>
#include <ks/WorldManager.h>

namespace {
const float FALL_SPEED = 0.25f; // cells per cycle: a row every four cycles
} // namespace

Capsule::Capsule(ks::Position at) : ks::Object(at), gone(false) {
    setType("Capsule");
    setSolidness(ks::SOFT); // it touches the paddle, but falls through bricks and the ball
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("capsule"))
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog(
            "Capsule::Capsule(): Warning! Sprite 'capsule' not found");
    setSpriteSlowdown(4);
    setYVelocity(FALL_SPEED);
    ks::LogManager::getInstance().writeLog("Capsule::Capsule(): falls from (%d, %d)", at.getX(),
                                           at.getY());
}

int Capsule::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() == ks::OUT_EVENT) {
        retire();
        return 1;
    }
    if (p_event->getType() != ks::COLLISION_EVENT)
        return 0;
    const auto* p_collision = static_cast<const ks::EventCollision*>(p_event);
    const ks::Object* p_other = p_collision->getOtherObject(this);
    if (gone || !p_other || p_other->getType() != "Paddle")
        return 0;
    ks::LogManager::getInstance().writeLog("Capsule::eventHandler(): caught at (%d, %d)",
                                           getPosition().getX(), getPosition().getY());
    ks::EventView life("Lives:", 1, true);
    ks::WorldManager::getInstance().onEvent(&life);
    if (ks::Sound* p_sound = ks::ResourceManager::getInstance().getSound("capsule"))
        p_sound->play(false);
    retire();
    return 1;
}

void Capsule::retire() {
    gone = true;
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.markForDelete(this);
    world.adoptObject(this);
}
