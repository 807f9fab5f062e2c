#pragma once

// The game's tests include this alone: the classes they drive, a fixture and helpers.

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Arrow.h"
#include "ArrowTrap.h"
#include "Atkup.h"
#include "Defup.h"
#include "Direction.h"
#include "DoorSide.h"
#include "EventCollision.h"
#include "EventFloorSwap.h"
#include "EventKeyboard.h"
#include "EventPlayerMove.h"
#include "EventRoomSwap.h"
#include "EventStep.h"
#include "EventView.h"
#include "FloorGenerator.h"
#include "GameManager.h"
#include "Gameover.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "InputManager.h"
#include "Ladder.h"
#include "LogManager.h"
#include "Map.h"
#include "Moneybag.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "PopUp.h"
#include "Random.h"
#include "Replay.h"
#include "ResourceManager.h"
#include "Room.h"
#include "Setup.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "Sprite.h"
#include "Sword.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "Wall.h"
#include "WorldManager.h"
#include "Zombie.h"

// A clean engine with the game's resources (loaded once: the registry is kept between tests);
// with the generator seeded with 1 a new enemy stays on its first step. The seed of the next map
// is put back when a test ends.
class GameTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        next_seed = Map::getNextSeed();
        static const bool loaded = (loadResources(), true);
        (void)loaded;
        ks::Random::getInstance().seed(1);
    }
    void TearDown() override {
        Map::setNextSeed(next_seed);
        EngineTest::TearDown();
    }

private:
    unsigned long next_seed = 0;

public: // the helpers serve code outside the tests' bodies too
    // The objects of the dynamic class T in the list, in its order.
    template <typename T = ks::Object>
    static std::vector<T*> objectsIn(const ks::ObjectList* p_list) {
        std::vector<T*> found;
        for (ks::ObjectListIterator it(p_list); !it.isDone(); it.next())
            if (T* p_t = dynamic_cast<T*>(it.currentObject()))
                found.push_back(p_t);
        return found;
    }
    template <typename T = ks::Object> static std::vector<T*> objectsInWorld() {
        const ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
        return objectsIn<T>(&all);
    }
    static bool inWorld(const ks::Object* p_object) {
        return ks::WorldManager::getInstance().getAllObjects().contains(p_object);
    }

    static void updateWorld(int n = 1) {
        while (n-- > 0)
            ks::WorldManager::getInstance().update();
    }
    static void runCycles(int n) {
        while (n-- > 0)
            ks::GameManager::getInstance().cycle();
    }
    static void sendSteps(ks::Object* p_object, int n = 1) {
        for (ks::EventStep step; n-- > 0;)
            p_object->eventHandler(&step);
    }

    static void key(Player* p_player, int key_code, int action = ks::KEY_PRESSED) {
        ks::EventKeyboard event(action, key_code);
        p_player->eventHandler(&event);
    }
    // Steps the player until it may move again.
    static void ready(Player* p_player) {
        while (p_player->getMoveCountdown() > 0)
            p_player->step();
    }
    // A player at pos, in the given mode, no longer invulnerable.
    static Player* newPlayerAt(ks::Position pos, int mode = WALK) {
        Player* p_player = new Player();
        p_player->setPosition(pos);
        p_player->setInvulnerable(false);
        if (mode != WALK)
            key(p_player, mode == RUN ? ks::Keyboard::LEFTSHIFT : ks::Keyboard::LEFTALT);
        return p_player;
    }
    // Puts the player at pos and tells the listener that it moved there.
    static void announceMove(Player* p_player, ks::Position pos, ks::Object* p_listener) {
        p_player->setPosition(pos);
        EventPlayerMove move(p_player);
        p_listener->eventHandler(&move);
    }
    // Tells the target that the other object touches it.
    static void touch(ks::Object* p_other, ks::Object* p_target) {
        ks::EventCollision collision(p_other, p_target, p_target->getPosition());
        p_target->eventHandler(&collision);
    }

    // A new game whose floors are all built from the seed.
    static Map* newMap(long seed) {
        Map::setNextSeed(static_cast<unsigned long>(seed));
        return Map::spawn();
    }
    // Walks the map's player from start until the room changes (at most 10 moves), then updates.
    static void walkOut(Map* p_map, ks::Position start, int dx, int dy) {
        Room* p_before = p_map->getCurrentRoom();
        Player* p_player = p_map->getPlayer();
        p_player->setPosition(start);
        for (int i = 0; i < 10 && p_map->getCurrentRoom() == p_before; i++) {
            ready(p_player);
            p_player->move(dx, dy);
        }
        updateWorld();
    }

    // Objects alive now; the map in the world, if any.
    static int live() { return ks::Object::getLiveCount(); }
    static Map* mapInWorld() {
        std::vector<Map*> maps = objectsInWorld<Map>();
        return maps.empty() ? nullptr : maps.front();
    }
    // Live objects minus those the world or a room of the map holds: positive when objects that
    // can never be used again are alive (a leak), negative when a held pointer outlived its object.
    static int unaccountedObjects(const Map* p_map) {
        std::set<ks::Object*> held;
        for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++)
            for (ks::Object* p_object : objectsIn(p_map->getRoom(i % 5, i / 5)->getObjects()))
                held.insert(p_object);
        for (ks::Object* p_object : objectsInWorld())
            held.insert(p_object);
        return live() - static_cast<int>(held.size());
    }
};
