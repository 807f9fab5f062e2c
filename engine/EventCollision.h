#pragma once

#include "Event.h"
#include "Position.h"

namespace ks {

class Object;

const std::string COLLISION_EVENT = "ks::collision";

// Sent to both objects of a collision: object 1 moved (towards the position) into object 2.
class EventCollision : public Event {
public:
    EventCollision(Object* p_o1 = nullptr, Object* p_o2 = nullptr, Position p = Position());

    Object* getObject1() const { return p_obj1; }
    void setObject1(Object* p_new_o1) { p_obj1 = p_new_o1; }
    Object* getObject2() const { return p_obj2; }
    void setObject2(Object* p_new_o2) { p_obj2 = p_new_o2; }
    Position getPosition() const { return pos; }
    void setPosition(Position new_pos) { pos = new_pos; }

    // The other object of the pair, or null when p_o is neither of them.
    Object* getOtherObject(const Object* p_o) const;

private:
    Object* p_obj1;
    Object* p_obj2;
    Position pos;
};

} // namespace ks
