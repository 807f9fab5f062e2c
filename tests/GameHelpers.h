#pragma once

// The game's tests include this alone: the classes they drive, a fixture and helpers.

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Arrow.h"
#include "ArrowTrap.h"
#include "Atkup.h"
#include "Defup.h"
#include "Direction.h"
#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventPlayerMove.h"
#include "EventStep.h"
#include "EventView.h"
#include "GameManager.h"
#include "Gameover.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "Ladder.h"
#include "LogManager.h"
#include "Map.h"
#include "Moneybag.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "PopUp.h"
#include "ResourceManager.h"
#include "Room.h"
#include "Setup.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "Sprite.h"
#include "Sword.h"
#include "TestSupport.h"
#include "TitleScreen.h"
#include "ViewObject.h"
#include "Wall.h"
#include "WorldManager.h"
#include "Zombie.h"

// A clean engine with the game's resources; with srand(1) a new enemy stays on its first step.
class GameTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
        srand(1);
    }
};

// The objects of the dynamic class T now in the world, in world order.
template <typename T = ks::Object> std::vector<T*> objectsInWorld() {
    std::vector<T*> found;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            found.push_back(p_t);
    return found;
}

// The first of the room's objects of class T, or null.
template <typename T> T* firstIn(Room* p_room) {
    for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            return p_t;
    return nullptr;
}

inline bool inWorld(const ks::Object* p_object) {
    return ks::WorldManager::getInstance().getAllObjects().contains(p_object);
}

inline void updateWorld(int times = 1) {
    for (int i = 0; i < times; i++)
        ks::WorldManager::getInstance().update();
}

inline void runCycles(int cycles) {
    for (int i = 0; i < cycles; i++)
        ks::GameManager::getInstance().cycle();
}

inline void sendSteps(ks::Object* p_object, int count = 1) {
    ks::EventStep step;
    for (int i = 0; i < count; i++)
        p_object->eventHandler(&step);
}

inline void key(Player* p_player, int key_code, int action = ks::KEY_PRESSED) {
    ks::EventKeyboard event(action, key_code);
    p_player->eventHandler(&event);
}

// Steps the player until it may move again.
inline void ready(Player* p_player) {
    while (p_player->getMoveCountdown() > 0)
        p_player->step();
}

// A new game whose floors are all built from the seed.
inline Map* newMap(long seed) {
    Map::setSeedOverride(seed);
    return new Map();
}

// Walks the map's player from start until the room changes (at most 10 moves), then updates.
inline void walkOut(Map* p_map, ks::Position start, int dx, int dy) {
    Room* p_before = p_map->getCurrentRoom();
    p_map->getPlayer()->setPosition(start);
    for (int i = 0; i < 10 && p_map->getCurrentRoom() == p_before; i++) {
        ready(p_map->getPlayer());
        p_map->getPlayer()->move(dx, dy);
    }
    updateWorld();
}

// A player at pos, in the given mode, no longer invulnerable.
inline Player* newPlayerAt(ks::Position pos, int mode = WALK) {
    Player* p_player = new Player();
    p_player->setPosition(pos);
    p_player->setInvulnerable(false);
    if (mode != WALK)
        key(p_player, mode == RUN ? ks::Keyboard::LEFTSHIFT : ks::Keyboard::LEFTALT);
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
