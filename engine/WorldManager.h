#pragma once

#include <unordered_set>
#include <vector>

#include "Box.h"
#include "Manager.h"
#include "ObjectList.h"
#include "Position.h"
#include "SpatialGrid.h"

namespace ks {

class Event;
class Object;

// Holds every object in the world, moves objects with collision detection, takes marked objects
// out of the world and draws the world layer by layer.
//
// Handlers called by the world (collisions, leaving the window, broadcasts) may create, move,
// mark and destroy objects, themselves included. An object destroyed during a broadcast, an
// update or a move is not touched again: the rest of it skips the object.
class WorldManager : public Manager {
public:
    static WorldManager& getInstance();

    // Empties the lists and sets the boundary and the view to the window's size in characters.
    int startUp() override;
    // Destroys every object in the world and every object the world owns.
    void shutDown() override;

    // Adds the object to the world. -1 (logged) for a null object, for one already in the world
    // and when the world is full. An object still in the world but marked for deletion stays in
    // it: its mark is cancelled (0).
    int insertObject(Object* p_object);
    // Takes the object out of the world list (logged either way); -1 if it was not there.
    int removeObject(Object* p_object);
    ObjectList getAllObjects() const { return world_list; }
    // The object leaves the world at the next update; it is not destroyed.
    int markForDelete(Object* p_object);

    // Gives the world ownership of an object that is never used again once it has left the world
    // (a wall of a room left behind, an expired sword hitbox, a spent arrow). The world destroys
    // it at the first update that finds it out of the world list. -1 when the ownership list is
    // full (the object is then simply not destroyed).
    int adoptObject(Object* p_object);
    // Drops every reference to an object that is being destroyed from the deletion and ownership
    // lists, so that neither ever holds a dangling pointer. Called by the Object destructor.
    void forgetObject(const Object* p_object);

    // Hands the event to every object in the world, in list order, and returns the number of
    // handlers that used it. Objects created during the broadcast are not part of it.
    int broadcast(const Event* p_event);

    // Takes out the objects marked for deletion, destroys owned objects that are out of the
    // world, then moves every object by its velocity.
    void update();
    // Draws the objects in view, altitude 0 first and 5 last, then every ViewObject the same way.
    void draw();

    // The solid objects the object would overlap if it stood at where, in world-list order.
    ObjectList isCollision(Object* p_object, Position where);
    // With true, isCollision tests the object against every object of the world (the reference
    // the grid is checked against) instead of asking the grid for the objects nearby. The grid is
    // kept up to date either way.
    void setBruteForce(bool on) { brute_force = on; }
    bool isBruteForce() const { return brute_force; }
    // Keeps the grid in step with a change of the object's position, box or solidness; called by
    // the object's setters while it is in the world.
    void placeChanged(Object* p_object);
    // Moves the object to where, sending collision and out-of-window events. -1 when a HARD
    // object blocks a HARD mover (the object stays), when the mover is null and when a handler
    // destroyed the mover; 0 when it moved.
    int moveObject(Object* p_object, Position where);

    Box getBoundary() const { return boundary; }
    void setBoundary(Box new_boundary) { boundary = new_boundary; }
    Box getView() const { return view; }
    void setView(Box new_view) { view = new_view; }
    // Centres the view on the object after each of its moves; null stops following.
    int setViewFollowing(Object* p_new_view_following);
    // Centres the view on where, kept inside the boundary.
    void setViewPosition(Position where);

    WorldManager(const WorldManager&) = delete;
    WorldManager& operator=(const WorldManager&) = delete;

private:
    // Marks the time a broadcast, an update or a move runs: objects destroyed meanwhile are
    // remembered until the outermost one ends.
    class Dispatch;

    WorldManager();

    // Whether an object that existed when the creation serial stood at serial_limit has been
    // destroyed since; a newer object that took its address counts as gone too.
    bool isGone(const Object* p_object, unsigned long long serial_limit) const;
    // Takes the objects whose in-world flag was cleared out of the world list in one pass.
    void dropFromWorldList();
    // Keeps the walks over the world list on their objects when the entry at index goes.
    void entryRemoved(int index);
    // Logs a null object handed to the operation; returns -1.
    static int refuseNull(const char* operation);
    // Inserts the collisions of the mover's box, in world-list order, and logs each.
    void collectCollisions(const Object* p_object, const Box& mover_box, ObjectList& collisions);

    ObjectList world_list;
    ObjectList deletion_list;
    Box boundary;
    Box view;
    Object* p_view_following;
    ObjectList owned_list;

    int dispatch_depth;
    std::unordered_set<const Object*> destroyed;
    // The positions of the walks over the live world list under way (update's), innermost last.
    std::vector<int*> walks;

    // The solid objects of the world, by place.
    SpatialGrid grid;
    bool brute_force;
    unsigned long long next_world_order;
    // The collisions found by the grid, before they are put in order (kept to reuse its memory).
    std::vector<Object*> found;
};

} // namespace ks
