#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "Box.h"
#include "Manager.h"
#include "ObjectList.h"
#include "Position.h"

namespace ks {

class Event;
class Object;
class SpatialGrid;

/// Holds every object in the world, moves objects with collision detection, takes marked objects
/// out of the world and draws the world layer by layer.
///
/// Handlers called by the world (collisions, leaving the window, broadcasts) may create, move,
/// mark and destroy objects, themselves included. An object destroyed during a broadcast, an
/// update or a move is not touched again: the rest of it skips the object.
class WorldManager : public Manager {
public:
    /// The one world manager, created on first use.
    static WorldManager& getInstance();

    /// Empties the lists and sets the boundary and the view to the window's size in characters.
    /// The objects listed are forgotten, not destroyed. Always 0.
    int startUp() override;
    /// Destroys every object in the world and every object the world owns.
    void shutDown() override;

    /// Adds the object to the world. -1 (logged) for a null object, for one already in the world
    /// and when the world is full. An object still in the world but marked for deletion stays in
    /// it: its mark is cancelled (0).
    int insertObject(Object* p_object);
    /// Takes the object out of the world list (logged either way); -1 if it was not there.
    int removeObject(Object* p_object);
    /// A copy of the world list, in list order: it stays as it is while objects come and go.
    ObjectList getAllObjects() const { return world_list; }
    /// The object leaves the world at the next update; it is not destroyed (getLiveCount() still
    /// counts it), so that it can come back with insertObject. To be rid of it, also hand it to
    /// the world (adoptObject), or delete it yourself. Marking it again does nothing (0). -1 for
    /// a null object (logged) and when the deletion list is full.
    int markForDelete(Object* p_object);

    /// Gives the world ownership of an object that is never used again once it has left the world
    /// (a wall of a room left behind, an expired sword hitbox, a spent arrow). The world destroys
    /// it at the first update that finds it out of the world list. -1 when the ownership list is
    /// full (the object is then simply not destroyed); both -1 cases are logged.
    int adoptObject(Object* p_object);
    /// Drops every reference to an object that is being destroyed from the deletion and ownership
    /// lists, so that neither ever holds a dangling pointer. Called by the Object destructor.
    void forgetObject(const Object* p_object);

    /// Hands the event to every object in the world, in list order, and returns the number of
    /// handlers that used it. Objects created during the broadcast are not part of it.
    int broadcast(const Event* p_event);

    /// Takes out the objects marked for deletion, destroys owned objects that are out of the
    /// world, then moves every object by its velocity (with moveObject, so with collisions).
    void update();
    /// Draws the objects in view, altitude 0 first and 5 last, then every ViewObject the same way.
    void draw();

    /// The solid objects the object would overlap if it stood at where, in world-list order. Each
    /// is logged; an empty list for a null object (logged).
    ObjectList isCollision(Object* p_object, Position where);
    /// With true, isCollision tests the object against every object of the world (the reference
    /// the grid is checked against) instead of asking the grid for the objects nearby. The grid is
    /// kept up to date either way.
    void setBruteForce(bool on) { brute_force = on; }
    /// Whether isCollision tests against every object rather than asking the grid.
    bool isBruteForce() const { return brute_force; }
    /// Keeps the grid in step with a change of the object's position, box or solidness; called by
    /// the object's setters while it is in the world.
    void placeChanged(Object* p_object);
    /// Moves the object to where, sending collision and out-of-window events. -1 when a HARD
    /// object blocks a HARD mover (the object stays), when the mover is null and when a handler
    /// destroyed the mover; 0 when it moved.
    ///
    /// Only a solid mover collides: for each solid object it would overlap, in world-list order,
    /// the mover and then the other get an EventCollision, until a HARD object blocks a HARD
    /// mover. A mover going from inside the window's extent in world cells (x 0 to 80, y 0 to 24,
    /// both ends included) to outside it gets an EventOut (logged) and still moves, unless its
    /// handler placed it itself: that place wins (see EventOut). A followed object takes the view
    /// along.
    int moveObject(Object* p_object, Position where);

    /// The world's extent: setViewPosition keeps the view's corner within 0 and the boundary's
    /// size less the view's (the boundary's own corner is not looked at).
    Box getBoundary() const { return boundary; }
    /// Sets the world's extent; the view is not moved until the next setViewPosition.
    void setBoundary(Box new_boundary) { boundary = new_boundary; }
    /// The part of the world on the screen: its corner is the world cell drawn in the top-left
    /// screen cell.
    Box getView() const { return view; }
    /// Sets the view as it is, not kept inside the boundary (setViewPosition does that).
    void setView(Box new_view);
    /// Centres the view on the object after each of its moves; null stops following. -1 for an
    /// object not in the world (the view is unchanged).
    int setViewFollowing(Object* p_new_view_following);
    /// Centres the view on where, kept inside the boundary.
    void setViewPosition(Position where);

    /// Lets go of the events' route to the world.
    ~WorldManager() override;

    WorldManager(const WorldManager&) = delete;
    WorldManager& operator=(const WorldManager&) = delete;

private:
    /// Marks the time a broadcast, an update or a move runs: objects destroyed meanwhile are
    /// remembered until the outermost one ends.
    class Dispatch;

    WorldManager();

    /// Whether an object that existed when the creation serial stood at serial_limit has been
    /// destroyed since; a newer object that took its address counts as gone too.
    bool isGone(const Object* p_object, unsigned long long serial_limit) const;
    /// Takes the objects whose in-world flag was cleared out of the world list in one pass.
    void dropFromWorldList();
    /// Keeps the walks over the world list on their objects when the entry at index goes.
    void entryRemoved(int index);
    /// Logs a null object handed to the operation; returns -1.
    static int refuseNull(const char* operation);
    /// Inserts the collisions of the mover's box, in world-list order, and logs each.
    void collectCollisions(const Object* p_object, const Box& mover_box, ObjectList& collisions);

    ObjectList world_list;
    ObjectList deletion_list;
    Box boundary;
    Box view;
    Object* p_view_following;
    ObjectList owned_list;

    int dispatch_depth;
    std::unordered_set<const Object*> destroyed;
    /// The positions of the walks over the live world list under way (update's), innermost last.
    std::vector<int*> walks;

    /// The solid objects of the world, by place.
    std::unique_ptr<SpatialGrid> grid;
    bool brute_force;
    unsigned long long next_world_order;
    /// The collisions found by the grid, before they are put in order (kept to reuse its memory).
    std::vector<Object*> found;
};

} // namespace ks
