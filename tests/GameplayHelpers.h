#pragma once

#include <vector>

#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventPlayerMove.h"
#include "EventStep.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "Sword.h"
#include "TestSupport.h"
#include "WorldManager.h"

// Helpers for tests of the game's creatures, traps and pick-ups.

// The objects of the dynamic class T now in the world, in world order.
template <class T> std::vector<T*> objectsInWorld() {
    std::vector<T*> found;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            found.push_back(p_t);
    return found;
}

inline bool inWorld(const ks::Object* p_object) {
    return ks::WorldManager::getInstance().getAllObjects().contains(p_object);
}

inline void sendSteps(ks::Object* p_object, int count = 1) {
    ks::EventStep step;
    for (int i = 0; i < count; i++)
        p_object->eventHandler(&step);
}

// A player (sprites loaded) at pos, in the given mode, no longer invulnerable.
inline Player* newPlayerAt(ks::Position pos, int mode = WALK) {
    loadGameResources();
    Player* p_player = new Player();
    p_player->setPosition(pos);
    p_player->setInvulnerable(false);
    if (mode != WALK) {
        ks::EventKeyboard key(ks::KEY_PRESSED,
                              mode == RUN ? ks::Keyboard::LEFTSHIFT : ks::Keyboard::LEFTALT);
        p_player->eventHandler(&key);
    }
    return p_player;
}

// Puts the player at pos and tells the listener that it moved there.
inline void announceMove(Player* p_player, ks::Position pos, ks::Object* p_listener) {
    p_player->setPosition(pos);
    EventPlayerMove move(p_player);
    p_listener->eventHandler(&move);
}

// Reports a new sword hitbox (lying out of the way) as touching the target.
inline void hitWithSword(ks::Object* p_target, int damage) {
    ks::EventCollision collision(new Sword(damage, ks::Position(70, 20)), p_target);
    p_target->eventHandler(&collision);
}
