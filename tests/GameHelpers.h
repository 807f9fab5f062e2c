#pragma once

// Looking into the world from the game's tests.

#include <string>
#include <vector>

#include "Event.h"
#include "GameManager.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "WorldManager.h"

// The world's objects of class T.
template <typename T = ks::Object> std::vector<T*> worldObjectsOf() {
    std::vector<T*> out;
    ks::ObjectList all = ks::WorldManager::getInstance().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            out.push_back(p_t);
    return out;
}

inline int worldCount(const std::string& type) {
    int n = 0;
    for (ks::Object* p_object : worldObjectsOf())
        n += p_object->getType() == type ? 1 : 0;
    return n;
}

inline bool inWorld(const ks::Object* p_object) {
    return ks::WorldManager::getInstance().getAllObjects().contains(p_object);
}

inline void runCycles(int cycles) {
    for (int i = 0; i < cycles; i++)
        ks::GameManager::getInstance().cycle();
}

// Counts the "player-move" events it hears; never collides.
class MoveListener : public ks::Object {
public:
    MoveListener() { setSolidness(ks::SPECTRAL); }
    int eventHandler(const ks::Event* p_event) override {
        moves += p_event->getType() == "player-move" ? 1 : 0;
        return 0;
    }
    int moves = 0;
};
