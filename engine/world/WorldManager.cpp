#include "WorldManager.h"

#include <algorithm>

#include "EventCollision.h"
#include "EventOut.h"
#include "GraphicsManager.h"
#include "LogLines.h"
#include "LogManager.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "ResourceManager.h"
#include "SpatialGrid.h"
#include "ViewObject.h"

namespace ks {

class WorldManager::Dispatch {
public:
    explicit Dispatch(WorldManager& w) : world(w) { world.dispatch_depth++; }
    ~Dispatch() {
        if (--world.dispatch_depth == 0)
            world.destroyed.clear();
    }
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

private:
    WorldManager& world;
};

WorldManager::WorldManager()
    : world_list(), deletion_list(), boundary(), view(), p_view_following(nullptr), owned_list(),
      dispatch_depth(0), destroyed(), walks(), grid(std::make_unique<SpatialGrid>()),
      brute_force(false), next_world_order(0), found() {
    setType("WorldManager");
    // The layers below the world cannot name it: they are told how to reach it.
    Manager::setBroadcast([](const Event* p_event) { return getInstance().broadcast(p_event); });
    ResourceManager::getInstance().setSpritesInUse([] { return Object::getLiveCount() > 0; });
}

WorldManager::~WorldManager() {
    Manager::setBroadcast(nullptr);
}

WorldManager& WorldManager::getInstance() {
    static WorldManager instance;
    return instance;
}

int WorldManager::startUp() {
    for (ObjectListIterator it(&world_list); !it.isDone(); it.next())
        it.currentObject()->in_world = false;
    for (ObjectListIterator it(&deletion_list); !it.isDone(); it.next())
        it.currentObject()->marked = false;
    for (ObjectListIterator it(&owned_list); !it.isDone(); it.next())
        it.currentObject()->adopted = false;
    world_list.clear();
    deletion_list.clear();
    owned_list.clear();
    grid->clear();
    p_view_following = nullptr;
    GraphicsManager& gm = GraphicsManager::getInstance();
    boundary = Box(Position(0, 0), gm.getHorizontal(), gm.getVertical());
    setView(boundary);
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
        delete ObjectListIterator(&next).currentObject();
    }
    deletion_list.clear();
    p_view_following = nullptr;
    Manager::shutDown();
}

int WorldManager::refuseNull(const char* operation) {
    LogManager::getInstance().writeLog("WorldManager::%s(): Error: null object", operation);
    return -1;
}

int WorldManager::insertObject(Object* p_object) {
    if (!p_object)
        return refuseNull("insertObject");
    // A new object may have the address of one destroyed during this dispatch.
    if (!destroyed.empty())
        destroyed.erase(p_object);
    LogManager& log = LogManager::getInstance();
    if (p_object->in_world) {
        if (p_object->marked) {
            deletion_list.remove(p_object);
            p_object->marked = false;
            return 0;
        }
        log.writeLog("WorldManager::insertObject(): Error: object with id %i is already in the "
                     "world",
                     p_object->getId());
        return -1;
    }
    if (world_list.insert(p_object) == 0) {
        p_object->in_world = true;
        p_object->world_order = next_world_order++;
        placeChanged(p_object);
        return 0;
    }
    log.writeLog(LOG_OBJECT_NOT_ADDED, p_object->getId());
    return -1;
}

int WorldManager::removeObject(Object* p_object) {
    if (!p_object)
        return refuseNull("removeObject");
    LogManager& log = LogManager::getInstance();
    if (p_object->in_world) {
        const int index = world_list.indexOf(p_object);
        world_list.removeAt(index);
        p_object->in_world = false;
        grid->remove(p_object);
        entryRemoved(index);
        log.writeLog(LOG_OBJECT_REMOVED, p_object->getId());
        return 0;
    }
    log.writeLog(LOG_OBJECT_NOT_REMOVED, p_object->getId());
    return -1;
}

void WorldManager::entryRemoved(int index) {
    for (int* p_walk : walks)
        if (index <= *p_walk)
            (*p_walk)--;
}

void WorldManager::dropFromWorldList() {
    // Each walk stands on the entry it is working on: it moves back by the entries dropped up to
    // and including that one, so that its next step reaches the first entry it has not seen.
    std::vector<int> dropped_by_walk(walks.size(), 0);
    int dropped = 0;
    for (int i = 0; i < world_list.count; i++) {
        Object* p_object = world_list.list[i];
        if (p_object->in_world)
            world_list.list[i - dropped] = p_object;
        else
            dropped++;
        for (size_t w = 0; w < walks.size(); w++)
            if (*walks[w] == i)
                dropped_by_walk[w] = dropped;
    }
    for (size_t w = 0; w < walks.size(); w++)
        *walks[w] -= *walks[w] < world_list.count ? dropped_by_walk[w] : dropped;
    world_list.count -= dropped;
}

int WorldManager::markForDelete(Object* p_object) {
    if (!p_object)
        return refuseNull("markForDelete");
    if (p_object->marked)
        return 0;
    if (deletion_list.insert(p_object) != 0)
        return -1;
    p_object->marked = true;
    return 0;
}

int WorldManager::adoptObject(Object* p_object) {
    if (!p_object)
        return refuseNull("adoptObject");
    if (p_object->adopted)
        return 0;
    if (owned_list.insert(p_object) == 0) {
        p_object->adopted = true;
        return 0;
    }
    LogManager::getInstance().writeLog(
        "WorldManager::adoptObject(): Warning! Object with id %i not adopted: too many objects",
        p_object->getId());
    return -1;
}

void WorldManager::forgetObject(const Object* p_object) {
    if (!p_object)
        return;
    if (p_object->marked)
        deletion_list.remove(p_object);
    if (p_object->adopted)
        owned_list.remove(p_object);
    if (p_view_following == p_object)
        p_view_following = nullptr;
    if (dispatch_depth > 0)
        destroyed.insert(p_object);
}

void WorldManager::placeChanged(Object* p_object) {
    if (p_object->in_world && p_object->isSolid())
        grid->place(p_object);
    else
        grid->remove(p_object);
}

bool WorldManager::isGone(const Object* p_object, unsigned long long serial_limit) const {
    if (!destroyed.empty() && destroyed.count(p_object))
        return true;
    return p_object->serial >= serial_limit;
}

int WorldManager::broadcast(const Event* p_event) {
    Dispatch dispatch(*this);
    const unsigned long long listed = Object::next_serial;
    // A copy, so that objects created or taken out by a handler do not disturb this dispatch.
    ObjectList all = world_list;
    int handled = 0;
    for (ObjectListIterator it(&all); !it.isDone(); it.next())
        if (!isGone(it.currentObject(), listed))
            handled += it.currentObject()->eventHandler(p_event);
    return handled;
}

void WorldManager::update() {
    Dispatch dispatch(*this);

    if (!deletion_list.isEmpty()) {
        for (ObjectListIterator it(&deletion_list); !it.isDone(); it.next()) {
            Object* p_object = it.currentObject();
            p_object->marked = false;
            p_object->in_world = false;
            grid->remove(p_object);
        }
        deletion_list.clear();
        dropFromWorldList();
    }

    // Destroy what the world owns and what has left it. A destructor may destroy or hand over
    // further objects; those handed over wait for the next update.
    ObjectList doomed;
    int kept = 0;
    for (int i = 0; i < owned_list.count; i++) {
        Object* p_object = owned_list.list[i];
        if (p_object->in_world) {
            owned_list.list[kept++] = p_object;
        } else {
            p_object->adopted = false;
            doomed.insert(p_object);
        }
    }
    owned_list.count = kept;
    const unsigned long long listed = Object::next_serial;
    for (ObjectListIterator it(&doomed); !it.isDone(); it.next()) {
        Object* p_object = it.currentObject();
        if (isGone(p_object, listed))
            continue;
        if (p_object->in_world) // brought back by an earlier destructor
            adoptObject(p_object);
        else
            delete p_object;
    }

    // The live list: objects created by handlers during the walk are moved later in the walk,
    // and the walk keeps its place when handlers take objects out.
    int index = 0;
    walks.push_back(&index);
    for (; index < world_list.count; index++) {
        Object* p_object = world_list.list[index];
        Position where = p_object->getPosition();
        int dx = p_object->getXVelocityStep();
        int dy = p_object->getYVelocityStep();
        where.moveXY(dx, dy);
        moveObject(p_object, where);
    }
    walks.pop_back();
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
    if (!p_object) {
        refuseNull("isCollision");
        return collisions;
    }
    // The box offset is kept: a wall standing at (0,0) with its box at the bottom row must be
    // tested at the bottom row, not at the top where its corner would otherwise be put.
    collectCollisions(p_object, getWorldBox(p_object, where), collisions);
    return collisions;
}

void WorldManager::collectCollisions(const Object* p_object, const Box& mover_box,
                                     ObjectList& collisions) {
    found.clear();
    CellSpan span;
    if (brute_force || !SpatialGrid::spanOf(mover_box, span)) {
        for (ObjectListIterator it(&world_list); !it.isDone(); it.next()) {
            Object* p_other = it.currentObject();
            if (p_other != p_object && p_other->isSolid() &&
                boxIntersectsBox(mover_box, getWorldBox(p_other)))
                found.push_back(p_other);
        }
    } else {
        // The grid holds the solid objects of the world only.
        grid->forEachOverlapping(mover_box, span, p_object,
                                 [this](Object* p_other) { found.push_back(p_other); });
        std::sort(found.begin(), found.end(), [](const Object* p_a, const Object* p_b) {
            return p_a->world_order < p_b->world_order;
        });
    }
    for (Object* p_other : found) {
        collisions.insert(p_other);
        LogManager::getInstance().writeLog(
            "WorldManager::isCollision(): objects with types %s and %s collided",
            p_object->getType().c_str(), p_other->getType().c_str());
    }
}

int WorldManager::moveObject(Object* p_object, Position where) {
    if (!p_object)
        return refuseNull("moveObject");
    Dispatch dispatch(*this);
    const unsigned long long listed = Object::next_serial;

    if (p_object->isSolid()) {
        ObjectList collisions = isCollision(p_object, where);
        for (ObjectListIterator it(&collisions); !it.isDone(); it.next()) {
            Object* p_other = it.currentObject();
            if (isGone(p_other, listed))
                continue;
            EventCollision collision(p_object, p_other, where);
            p_object->eventHandler(&collision);
            if (isGone(p_object, listed))
                return -1;
            if (isGone(p_other, listed))
                continue;
            p_other->eventHandler(&collision);
            if (isGone(p_object, listed))
                return -1;
            if (isGone(p_other, listed))
                continue;
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
        const int id = p_object->getId();
        const unsigned long placed = p_object->placements;
        EventOut out;
        p_object->eventHandler(&out);
        LogManager::getInstance().writeLog(LOG_WENT_OUT_OF_BOUNDS, id);
        if (isGone(p_object, listed))
            return -1;
        // The handler put the object somewhere itself (wrapped it around, say): that place wins.
        if (p_object->placements != placed) {
            if (p_object == p_view_following)
                setViewPosition(p_object->getPosition());
            return 0;
        }
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
    if (!p_new_view_following->in_world)
        return -1;
    p_view_following = p_new_view_following;
    setViewPosition(p_new_view_following->getPosition());
    return 0;
}

void WorldManager::setViewPosition(Position where) {
    where.moveXY(-(view.getHorizontal() / 2), -(view.getVertical() / 2));
    // Wide sums: a corner near the limits of int must not overflow.
    const long long right = static_cast<long long>(boundary.getHorizontal()) - view.getHorizontal();
    const long long bottom = static_cast<long long>(boundary.getVertical()) - view.getVertical();
    if (where.getX() > right)
        where.setX(Position::inRange(right));
    else if (where.getX() < 0)
        where.setX(0);
    if (where.getY() > bottom)
        where.setY(Position::inRange(bottom));
    else if (where.getY() < 0)
        where.setY(0);
    view.setCorner(where);
    GraphicsManager::getInstance().setViewCorner(where);
}

void WorldManager::setView(Box new_view) {
    view = new_view;
    GraphicsManager::getInstance().setViewCorner(view.getCorner());
}

} // namespace ks
