#include "Wall.h"

#include "WorldManager.h"

Wall* Wall::spawn(ks::Box box) {
    Wall* p_wall = new Wall(box);
    ks::WorldManager::getInstance().adoptObject(p_wall);
    return p_wall;
}

Wall::Wall(ks::Box box) {
    setType("Wall");
    setBox(box);
    setSolidness(ks::HARD);
}
