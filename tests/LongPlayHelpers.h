#pragma once

// Finding the game's objects in the world and checking that every object is accounted for, for
// the tests of long play (disposal, soak, deep floors).

#include <set>

#include "Ladder.h"
#include "Map.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "Player.h"
#include "Room.h"
#include "WorldManager.h"

// The first object of the dynamic class T in the world, or null.
template <typename T> T* findInWorld() {
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            return p_t;
    return nullptr;
}

// The ladder of the map's current floor, or null.
inline Ladder* findLadder(const Map* p_map) {
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++)
            for (ks::ObjectListIterator it(p_map->getRoom(x, y)->getObjects()); !it.isDone();
                 it.next())
                if (Ladder* p_ladder = dynamic_cast<Ladder*>(it.currentObject()))
                    return p_ladder;
    return nullptr;
}

// Objects that can still be reached: those in the world and those in the map's rooms.
inline std::set<const ks::Object*> reachableObjects(const Map* p_map) {
    std::set<const ks::Object*> reachable;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        reachable.insert(it.currentObject());
    if (p_map)
        for (int x = 0; x < MAP_SIZE; x++)
            for (int y = 0; y < MAP_SIZE; y++)
                for (ks::ObjectListIterator it(p_map->getRoom(x, y)->getObjects()); !it.isDone();
                     it.next())
                    reachable.insert(it.currentObject());
    return reachable;
}

// Live objects minus reachable ones: positive when objects that can never be used again are
// still alive (a leak), negative when a reachable pointer outlived its object.
inline int unaccountedObjects(const Map* p_map) {
    return ks::Object::getLiveCount() - static_cast<int>(reachableObjects(p_map).size());
}
