#include "Paddle.h"

#include <ks/EventKeyboard.h>
#include <ks/LogManager.h>
#include <ks/ResourceManager.h>
#include <ks/WorldManager.h>

Paddle::Paddle(ks::Position start) : ks::Object(start) {
    setType("Paddle");
    if (ks::Sprite* p_sprite = ks::ResourceManager::getInstance().getSprite("paddle"))
        setSprite(p_sprite);
    else
        ks::LogManager::getInstance().writeLog(
            "Paddle::Paddle(): Warning! Sprite 'paddle' not found");
}

int Paddle::eventHandler(const ks::Event* p_event) {
    if (p_event->getType() != ks::KEYBOARD_EVENT)
        return 0;
    // KEY_DOWN comes once a cycle for the first held key in the engine's fixed order (A to Z
    // before the arrows): a steady speed of one cell a cycle, whatever the keyboard's repeat.
    const auto* p_key = static_cast<const ks::EventKeyboard*>(p_event);
    if (p_key->getKeyboardAction() != ks::KEY_DOWN)
        return 0;
    switch (p_key->getKey()) {
    case ks::Keyboard::LEFTARROW:
    case ks::Keyboard::A:
        return move(-1);
    case ks::Keyboard::RIGHTARROW:
    case ks::Keyboard::D:
        return move(1);
    default:
        return 0;
    }
}

int Paddle::move(int dx) {
    ks::Position to = getPosition();
    to.moveX(dx);
    // Both HARD: a wall refuses the move, and the paddle stays.
    if (ks::WorldManager::getInstance().moveObject(this, to) != 0)
        return 1;
    ks::LogManager::getInstance().writeLog("Paddle::move(): to %d", to.getX());
    return 1;
}
