#include "EventCollision.h"

namespace ks {

EventCollision::EventCollision(Object* p_o1, Object* p_o2, Position p)
    : p_obj1(p_o1), p_obj2(p_o2), pos(p) {
    setType(COLLISION_EVENT);
}

Object* EventCollision::getOtherObject(const Object* p_o) const {
    if (p_o == p_obj1)
        return p_obj2;
    if (p_o == p_obj2)
        return p_obj1;
    return nullptr;
}

} // namespace ks
