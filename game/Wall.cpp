#include "Wall.h"

#include "WorldManager.h"

Wall::Wall(ks::Box box) {
    setType("Wall");
    setBox(box);
    setSolidness(ks::HARD);
    ks::WorldManager::getInstance().adoptObject(this);
}
