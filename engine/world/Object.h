#pragma once

#include <string>

#include "Box.h"
#include "GridPlace.h"
#include "Position.h"

namespace ks {

class Event;
class Sprite;

/// Solidness kinds. HARD and SOFT objects collide with each other; two HARD objects also block
/// each other; SPECTRAL objects never collide.
enum Solidness {
    HARD = 0,     ///< collides, and blocks and is blocked by other HARD objects
    SOFT = 1,     ///< collides, but never blocks nor is blocked
    SPECTRAL = 2, ///< never collides
};

/// Drawing layers run from 0 (drawn first) to MAX_ALTITUDE (drawn last, on top).
const int MAX_ALTITUDE = 5;

/// The largest speed, in cells per step, an object may have along one axis; larger ones are held
/// to it. Far beyond what a screen of cells needs, and small enough that a step stays exact.
const float MAX_SPEED = 1000.0f;

/// Base of everything in the world. An object registers with the world manager at the end of its
/// base constructor and unregisters in its destructor.
///
/// A game derives its objects from it, reacting to events in eventHandler and drawing itself in
/// draw (the sprite, by default). Objects are made with new and the world never owns them unless
/// told to. To retire one: delete it (at any time, even from its own handler), or mark it
/// (WorldManager::markForDelete: it leaves the world at the next update but lives on, to be
/// inserted again) and hand it to the world (WorldManager::adoptObject), which destroys it once
/// it is out. WorldManager::shutDown destroys those still in the world.
///
/// A new object stands at the top drawing layer, MAX_ALTITUDE, where it hides everything below;
/// an object meant to be seen behind others (a brick a capsule falls past) needs a lower one.
class Object {
public:
    /// Enters the world at the position (unless the world is full, which is logged): HARD, at
    /// altitude MAX_ALTITUDE (on top), with no sprite, an empty box and no velocity. Ids are
    /// handed out 0, 1, 2, ... in order of creation.
    Object(Position init_position = Position());
    /// Takes the object out of the world (logged) and drops every reference the world keeps to
    /// it, so destroying an object the world still holds, even from one of its own handlers, is
    /// safe.
    virtual ~Object();

    /// How many objects exist right now (constructed and not yet destroyed), in the world or not.
    static int getLiveCount() { return live_count; }

    /// Returns 1 if the object used the event, 0 if not. The base uses none. Broadcasts (step,
    /// keyboard, mouse, view events) and moves (collision and out events) call it; it may create,
    /// move, mark and destroy objects, itself included.
    virtual int eventHandler(const Event* p_event);

    /// Draws the current sprite frame, then advances the animation. Without a sprite it draws
    /// nothing. The frame goes at the position (centred on it when centred) in the sprite's
    /// colour; with a slowdown of N the next frame (after the last: the first) comes every N
    /// draws.
    virtual void draw();

    /// The object's number: unique, in order of creation, unless setId changed it. Log lines name
    /// objects by it.
    int getId() const { return id; }
    /// Replaces the id; nothing checks that it stays unique.
    void setId(int new_id) { id = new_id; }
    /// The game's name for the kind of object ("Wall"); handlers compare it to tell objects apart,
    /// and collision log lines show it. Empty unless set.
    std::string getType() const { return type; }
    /// Names the kind of object.
    void setType(std::string new_type) { type = new_type; }
    /// The world cell the object stands on; its box and its sprite are placed relative to it.
    Position getPosition() const { return position; }
    /// Assigns only: no collision test and no event (see WorldManager::moveObject). The world's
    /// collision lookup follows the change. Called from the object's EventOut handler, it wins
    /// over the move that took the object out (a wrap-around).
    void setPosition(Position new_position) {
        position = new_position;
        placements++;
        if (in_world)
            worldPlaceChanged();
    }
    /// The drawing layer, 0 (drawn first) to MAX_ALTITUDE (drawn last, on top).
    int getAltitude() const { return altitude; }
    /// Ignores values outside 0..MAX_ALTITUDE.
    void setAltitude(int new_altitude);

    /// Horizontal cells per step, negative to the left; a fraction moves one cell every few steps.
    float getXVelocity() const { return x_velocity; }
    /// Stores the velocity and restarts its countdown at a whole cell. A speed above MAX_SPEED is
    /// held to it (0, logged); a velocity that is not a number or infinite is refused (-1, logged)
    /// and the old one stays.
    int setXVelocity(float new_x_velocity);
    /// Vertical cells per step, negative upward.
    float getYVelocity() const { return y_velocity; }
    /// The same as setXVelocity, for the vertical axis.
    int setYVelocity(float new_y_velocity);
    /// Cells to move along the axis on this step; advances the axis' countdown. The world's update
    /// calls it once a step: a velocity of 0.5 gives 0, 1, 0, 1, ... and 2.5 gives 2, 3, 2, 3, ...
    int getXVelocityStep();
    /// The same as getXVelocityStep, for the vertical axis.
    int getYVelocityStep();

    /// HARD, SOFT or SPECTRAL (Solidness).
    int getSolidness() const { return solidness; }
    /// Changes how the object collides; the world's collision lookup follows the change.
    void setSolidness(int new_solidness) {
        solidness = new_solidness;
        if (in_world)
            worldPlaceChanged();
    }
    /// Whether the object collides at all (HARD or SOFT).
    bool isSolid() const { return solidness == HARD || solidness == SOFT; }

    /// The sprite shown, owned by the resource manager; null for none.
    Sprite* getSprite() const { return p_sprite; }
    /// Stores the sprite and sets the box to its size, with its corner on the position (also for
    /// a centred sprite); a null sprite changes nothing.
    void setSprite(Sprite* p_new_sprite);
    /// Whether the sprite is drawn centred on the position rather than from its top-left corner.
    bool isCentered() const { return sprite_center; }
    /// Draws the sprite centred on the position (true) or from its top-left corner (false, the
    /// default).
    void setCentered(bool centered) { sprite_center = centered; }
    /// The sprite frame the next draw shows.
    int getSpriteIndex() const { return sprite_index; }
    /// Chooses the frame the next draw shows; one outside the sprite draws nothing.
    void setSpriteIndex(int new_index) { sprite_index = new_index; }
    /// Draws per animation frame; 0 (the default) holds the current frame.
    int getSpriteSlowdown() const { return sprite_slowdown; }
    /// Moves to the next frame every N draws (1: every draw); 0 stops the animation.
    void setSpriteSlowdown(int new_slowdown) { sprite_slowdown = new_slowdown; }
    /// Draws since the frame last changed; the frame changes when it reaches the slowdown.
    int getSpriteSlowdownCount() const { return sprite_slowdown_count; }
    /// Sets how many draws the current frame has had (0 restarts its time).
    void setSpriteSlowdownCount(int new_count) { sprite_slowdown_count = new_count; }

    /// The cells the object takes up, for collisions and for being in view: relative to the
    /// position, so a corner of (0,0) is the position itself.
    Box getBox() const { return box; }
    /// Sets the box, relative to the position; the world's collision lookup follows the change.
    void setBox(Box new_box) {
        box = new_box;
        if (in_world)
            worldPlaceChanged();
    }

private:
    friend class WorldManager;
    friend class SpatialGrid;

    /// Tells the world that the position, box or solidness of this object (in the world) changed.
    void worldPlaceChanged();

    static int stepOf(float velocity, float& countdown);
    /// Refuses (-1) a velocity that is not finite and holds a larger speed to MAX_SPEED; logs both.
    static int checkVelocity(const char* setter, float& velocity);

    static int next_id;
    static int live_count;
    static unsigned long long next_serial;

    int id;
    std::string type;
    Position position;
    int altitude;
    float x_velocity;
    float x_velocity_countdown;
    float y_velocity;
    float y_velocity_countdown;
    int solidness;
    Sprite* p_sprite;
    bool sprite_center;
    int sprite_index;
    int sprite_slowdown;
    int sprite_slowdown_count;
    Box box;

    /// Kept by the world manager. serial orders objects by creation and is never reused, unlike
    /// an address; world_order orders the objects of the world list as the list does; the flags
    /// say whether the object is in the world list, in the deletion list and in the list of
    /// objects the world destroys. grid_place belongs to the world's SpatialGrid.
    unsigned long long serial;
    unsigned long long world_order;
    /// How many times the position was set: the world sees whether a handler placed the object.
    unsigned long placements;
    bool in_world;
    bool marked;
    bool adopted;
    GridPlace grid_place;
};

/// The object's box as it would be with the object standing at where: its corner moved by where.
inline Box getWorldBox(const Object* p_object, Position where) {
    Box box = p_object->getBox();
    Position corner = box.getCorner();
    corner.moveXY(where.getX(), where.getY());
    box.setCorner(corner);
    return box;
}

/// The object's box placed in the world at the object's position.
inline Box getWorldBox(const Object* p_object) {
    return getWorldBox(p_object, p_object->getPosition());
}

} // namespace ks
