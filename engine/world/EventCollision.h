#pragma once

#include "Event.h"
#include "Position.h"

namespace ks {

class Object;

/// The type label of EventCollision.
const std::string COLLISION_EVENT = "ks::collision";

/// Sent to both objects of a collision: object 1 moved (towards the position) into object 2.
class EventCollision : public Event {
public:
    /// A collision of the mover p_o1 with p_o2, p_o1 heading for p.
    EventCollision(Object* p_o1 = nullptr, Object* p_o2 = nullptr, Position p = Position());

    /// The object that moved.
    Object* getObject1() const { return p_obj1; }
    /// Sets the object that moved.
    void setObject1(Object* p_new_o1) { p_obj1 = p_new_o1; }
    /// The object moved into.
    Object* getObject2() const { return p_obj2; }
    /// Sets the object moved into.
    void setObject2(Object* p_new_o2) { p_obj2 = p_new_o2; }
    /// Where object 1 was moving to; it is not there yet, and stays put if object 2 blocks it.
    Position getPosition() const { return pos; }
    /// Sets where object 1 was moving to.
    void setPosition(Position new_pos) { pos = new_pos; }

    /// The other object of the pair, or null when p_o is neither of them.
    Object* getOtherObject(const Object* p_o) const;

private:
    Object* p_obj1;
    Object* p_obj2;
    Position pos;
};

} // namespace ks
