#pragma once

// The fixture of the tests of long play: it undoes their global settings and finds the map, the
// floor's ladder and the live objects that nothing holds any more.

#include "GameHelpers.h"

class LongPlayTest : public GameTest {
public:
    static int live() { return ks::Object::getLiveCount(); }
    static Map* mapInWorld() {
        return objectsInWorld<Map>().empty() ? nullptr : objectsInWorld<Map>().front();
    }
    static std::set<ks::Object*> roomObjects(const Map* p_map) {
        std::set<ks::Object*> found;
        for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++)
            for (ks::ObjectListIterator it(
                     p_map->getRoom(i % MAP_SIZE, i / MAP_SIZE)->getObjects());
                 !it.isDone(); it.next())
                found.insert(it.currentObject());
        return found;
    }
    // Touches the floor's ladder with the player, as the world reports it; false without one.
    static bool takeLadder(Map* p_map) {
        for (ks::Object* p_object : roomObjects(p_map))
            if (Ladder* p_ladder = dynamic_cast<Ladder*>(p_object)) {
                ks::EventCollision touch(p_map->getPlayer(), p_ladder, p_ladder->getPosition());
                p_map->getPlayer()->eventHandler(&touch);
                p_ladder->eventHandler(&touch);
                return true;
            }
        return false;
    }
    // Live objects minus those the world or a room of the map holds: positive when objects that
    // can never be used again are alive (a leak), negative when a held pointer outlived its object.
    static int unaccountedObjects(const Map* p_map) {
        std::set<ks::Object*> held = roomObjects(p_map);
        for (ks::Object* p_object : objectsInWorld())
            held.insert(p_object);
        return live() - static_cast<int>(held.size());
    }
    void TearDown() override {
        GameTest::TearDown();
        ks::LogManager::getInstance().startUp(); // some tests play with the log shut down
    }
};
