#include "WorldManager.h"

#include "EventCollision.h"
#include "EventOut.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "ViewObject.h"

namespace ks {

WorldManager::WorldManager()
    : world_list(), deletion_list(), boundary(), view(), p_view_following(nullptr), owned_list() {
    setType("WorldManager");
}

WorldManager& WorldManager::getInstance() {
    static WorldManager instance;
    return instance;
}

int WorldManager::startUp() {
    world_list.clear();
    deletion_list.clear();
    owned_list.clear();
    p_view_following = nullptr;
    GraphicsManager& gm = GraphicsManager::getInstance();
    boundary = Box(Position(0, 0), gm.getHorizontal(), gm.getVertical());
    view = boundary;
    Manager::startUp();
    LogManager::getInstance().writeLog("WorldManager::startUp(): WorldManager started");
    return 0;
}

void WorldManager::shutDown() {
    // Owners go before the rest of the world: a map hands over its rooms' objects and its player,
    // a player its displays, and those are destroyed in turn. Destroying an owned object first
    // means no owner is left holding (and later handing over) an object already destroyed. Each
    // destructor takes its object out of both lists, so the loop ends with both empty.
    while (!owned_list.isEmpty() || !world_list.isEmpty()) {
        ObjectList& next = owned_list.isEmpty() ? world_list : owned_list;
        Object* p_object = ObjectListIterator(&next).currentObject();
        delete p_object;
        // An object inserted twice is still listed once more; never destroy it again.
        while (world_list.remove(p_object) == 0) {
        }
    }
    world_list.clear();
    deletion_list.clear();
    owned_list.clear();
    p_view_following = nullptr;
    Manager::shutDown();
}

int WorldManager::insertObject(Object* p_object) {
    if (world_list.insert(p_object) == 0)
        return 0;
    LogManager::getInstance().writeLog(
        "WorldManager::insertObject(Object * object): Object with id %i not successfully added",
        p_object->getId());
    return -1;
}

int WorldManager::removeObject(Object* p_object) {
    LogManager& log = LogManager::getInstance();
    if (world_list.remove(p_object) == 0) {
        log.writeLog("WorldManager::insertObject(Object * object): Object with id %i successfully "
                     "removed",
                     p_object->getId());
        return 0;
    }
    log.writeLog("WorldManager::insertObject(Object * object): Object with id %i not successfully "
                 "removed",
                 p_object->getId());
    return -1;
}

int WorldManager::markForDelete(Object* p_object) {
    if (deletion_list.contains(p_object))
        return 0;
    return deletion_list.insert(p_object);
}

int WorldManager::adoptObject(Object* p_object) {
    if (owned_list.contains(p_object))
        return 0;
    if (owned_list.insert(p_object) == 0)
        return 0;
    LogManager::getInstance().writeLog(
        "WorldManager::adoptObject(): Warning! Object with id %i not adopted: too many objects",
        p_object->getId());
    return -1;
}

void WorldManager::forgetObject(const Object* p_object) {
    while (deletion_list.remove(p_object) == 0) {
    }
    while (owned_list.remove(p_object) == 0) {
    }
    if (p_view_following == p_object)
        p_view_following = nullptr;
}

void WorldManager::update() {
    for (ObjectListIterator it(&deletion_list); !it.isDone(); it.next())
        world_list.remove(it.currentObject());
    deletion_list.clear();

    // Destroy what the world owns and what has left it. Nothing walks the world list here, so
    // destroying is safe; a destructor that hands further objects over leaves them for the next
    // update.
    ObjectList owned = owned_list;
    for (ObjectListIterator it(&owned); !it.isDone(); it.next()) {
        Object* p_object = it.currentObject();
        if (!world_list.contains(p_object)) {
            owned_list.remove(p_object);
            delete p_object;
        }
    }

    // The live list: objects created by handlers during the walk are moved later in the walk.
    for (ObjectListIterator it(&world_list); !it.isDone(); it.next()) {
        Object* p_object = it.currentObject();
        Position where = p_object->getPosition();
        int dx = p_object->getXVelocityStep();
        int dy = p_object->getYVelocityStep();
        where.moveXY(dx, dy);
        moveObject(p_object, where);
    }
}

void WorldManager::draw() {
    // The world by altitude, then the value displays by altitude: a world object at the
    // displays' own altitude (most are, by default) must not draw over a health or score.
    for (int displays = 0; displays <= 1; displays++) {
        for (int altitude = 0; altitude <= MAX_ALTITUDE; altitude++) {
            for (ObjectListIterator it(&world_list); !it.isDone(); it.next()) {
                Object* p_object = it.currentObject();
                if (p_object->getAltitude() != altitude)
                    continue;
                const bool is_display = dynamic_cast<ViewObject*>(p_object) != nullptr;
                if (is_display != (displays == 1))
                    continue;
                if (is_display || boxIntersectsBox(getWorldBox(p_object), view))
                    p_object->draw();
            }
        }
    }
}

ObjectList WorldManager::isCollision(Object* p_object, Position where) {
    ObjectList collisions;
    // The box offset is kept: a wall standing at (0,0) with its box at the bottom row must be
    // tested at the bottom row, not at the top where its corner would otherwise be put.
    Box mover_box = getWorldBox(p_object, where);
    for (ObjectListIterator it(&world_list); !it.isDone(); it.next()) {
        Object* p_other = it.currentObject();
        if (p_other == p_object || !p_other->isSolid())
            continue;
        if (boxIntersectsBox(mover_box, getWorldBox(p_other))) {
            collisions.insert(p_other);
            LogManager::getInstance().writeLog(
                "WorldManager::isCollision(): objects with types %s and %s collided",
                p_object->getType().c_str(), p_other->getType().c_str());
        }
    }
    return collisions;
}

int WorldManager::moveObject(Object* p_object, Position where) {
    if (p_object->isSolid()) {
        ObjectList collisions = isCollision(p_object, where);
        for (ObjectListIterator it(&collisions); !it.isDone(); it.next()) {
            Object* p_other = it.currentObject();
            EventCollision collision(p_object, p_other, where);
            p_object->eventHandler(&collision);
            p_other->eventHandler(&collision);
            if (p_object->getSolidness() == HARD && p_other->getSolidness() == HARD)
                return -1;
        }
    }

    GraphicsManager& gm = GraphicsManager::getInstance();
    const int width = gm.getHorizontal();
    const int height = gm.getVertical();
    Position from = p_object->getPosition();
    bool inside =
        from.getX() >= 0 && from.getX() <= width && from.getY() >= 0 && from.getY() <= height;
    bool outside =
        where.getX() < 0 || where.getX() > width || where.getY() < 0 || where.getY() > height;
    if (inside && outside) {
        EventOut out;
        p_object->eventHandler(&out);
        LogManager::getInstance().writeLog(
            "GraphicsManager::moveObject(): Object with id %i went out of bounds",
            p_object->getId());
    }

    p_object->setPosition(where);
    if (p_object == p_view_following)
        setViewPosition(where);
    return 0;
}

int WorldManager::setViewFollowing(Object* p_new_view_following) {
    if (!p_new_view_following) {
        p_view_following = nullptr;
        return 0;
    }
    if (!world_list.contains(p_new_view_following))
        return -1;
    p_view_following = p_new_view_following;
    setViewPosition(p_new_view_following->getPosition());
    return 0;
}

void WorldManager::setViewPosition(Position where) {
    where.moveXY(-(view.getHorizontal() / 2), -(view.getVertical() / 2));
    if (where.getX() + view.getHorizontal() > boundary.getHorizontal())
        where.setX(boundary.getHorizontal() - view.getHorizontal());
    else if (where.getX() < 0)
        where.setX(0);
    if (where.getY() + view.getVertical() > boundary.getVertical())
        where.setY(boundary.getVertical() - view.getVertical());
    else if (where.getY() < 0)
        where.setY(0);
    view.setCorner(where);
}

} // namespace ks
