#pragma once

#include <string>

#include "Box.h"
#include "Position.h"
#include "SpatialGrid.h"

namespace ks {

class Event;
class Sprite;

// Solidness kinds. HARD and SOFT objects collide with each other; two HARD objects also block
// each other; SPECTRAL objects never collide.
enum Solidness {
    HARD = 0,
    SOFT = 1,
    SPECTRAL = 2,
};

// Drawing layers run from 0 (drawn first) to MAX_ALTITUDE (drawn last, on top).
const int MAX_ALTITUDE = 5;

// The largest speed, in cells per step, an object may have along one axis; larger ones are held
// to it. Far beyond what a screen of cells needs, and small enough that a step stays exact.
const float MAX_SPEED = 1000.0f;

// Base of everything in the world. An object registers with the world manager at the end of its
// base constructor and unregisters in its destructor.
class Object {
public:
    Object(Position init_position = Position());
    virtual ~Object();

    // How many objects exist right now (constructed and not yet destroyed), in the world or not.
    static int getLiveCount() { return live_count; }

    // Returns 1 if the object used the event, 0 if not.
    virtual int eventHandler(const Event* p_event);

    // Draws the current sprite frame, then advances the animation.
    virtual void draw();

    int getId() const { return id; }
    void setId(int new_id) { id = new_id; }
    std::string getType() const { return type; }
    void setType(std::string new_type) { type = new_type; }
    Position getPosition() const { return position; }
    // Assigns only: no collision test and no event (see WorldManager::moveObject).
    void setPosition(Position new_position) {
        position = new_position;
        if (in_world)
            worldPlaceChanged();
    }
    int getAltitude() const { return altitude; }
    // Ignores values outside 0..MAX_ALTITUDE.
    void setAltitude(int new_altitude);

    float getXVelocity() const { return x_velocity; }
    // Stores the velocity and restarts its countdown at a whole cell. A speed above MAX_SPEED is
    // held to it (0, logged); a velocity that is not a number or infinite is refused (-1, logged)
    // and the old one stays.
    int setXVelocity(float new_x_velocity);
    float getYVelocity() const { return y_velocity; }
    int setYVelocity(float new_y_velocity);
    // Cells to move along the axis on this step; advances the axis' countdown.
    int getXVelocityStep();
    int getYVelocityStep();

    int getSolidness() const { return solidness; }
    void setSolidness(int new_solidness) {
        solidness = new_solidness;
        if (in_world)
            worldPlaceChanged();
    }
    bool isSolid() const { return solidness == HARD || solidness == SOFT; }

    Sprite* getSprite() const { return p_sprite; }
    // Stores the sprite and sets the box to its size; a null sprite changes nothing.
    void setSprite(Sprite* p_new_sprite);
    bool isCentered() const { return sprite_center; }
    void setCentered(bool centered) { sprite_center = centered; }
    int getSpriteIndex() const { return sprite_index; }
    void setSpriteIndex(int new_index) { sprite_index = new_index; }
    int getSpriteSlowdown() const { return sprite_slowdown; }
    void setSpriteSlowdown(int new_slowdown) { sprite_slowdown = new_slowdown; }
    int getSpriteSlowdownCount() const { return sprite_slowdown_count; }
    void setSpriteSlowdownCount(int new_count) { sprite_slowdown_count = new_count; }

    // Relative to the position.
    Box getBox() const { return box; }
    void setBox(Box new_box) {
        box = new_box;
        if (in_world)
            worldPlaceChanged();
    }

private:
    friend class WorldManager;
    friend class SpatialGrid;

    // Tells the world that the position, box or solidness of this object (in the world) changed.
    void worldPlaceChanged();

    static int stepOf(float velocity, float& countdown);
    // Refuses (-1) a velocity that is not finite and holds a larger speed to MAX_SPEED; logs both.
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

    // Kept by the world manager. serial orders objects by creation and is never reused, unlike
    // an address; world_order orders the objects of the world list as the list does; the flags
    // say whether the object is in the world list, in the deletion list and in the list of
    // objects the world destroys. grid_place belongs to the world's SpatialGrid.
    unsigned long long serial;
    unsigned long long world_order;
    bool in_world;
    bool marked;
    bool adopted;
    GridPlace grid_place;
};

// The object's box as it would be with the object standing at where: its corner moved by where.
inline Box getWorldBox(const Object* p_object, Position where) {
    Box box = p_object->getBox();
    Position corner = box.getCorner();
    corner.moveXY(where.getX(), where.getY());
    box.setCorner(corner);
    return box;
}

// The object's box placed in the world at the object's position.
inline Box getWorldBox(const Object* p_object) {
    return getWorldBox(p_object, p_object->getPosition());
}

} // namespace ks
