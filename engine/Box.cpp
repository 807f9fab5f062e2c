#include "Box.h"

#include <sstream>

#include "Object.h"
#include "WorldManager.h"

namespace ks {

Box getWorldBox(const Object* p_object) {
    return getWorldBox(p_object, p_object->getPosition());
}

Box getWorldBox(const Object* p_object, Position where) {
    Box box = p_object->getBox();
    Position corner = box.getCorner();
    corner.moveXY(where.getX(), where.getY());
    box.setCorner(corner);
    return box;
}

Position worldToView(Position world_pos) {
    Position view_corner = WorldManager::getInstance().getView().getCorner();
    return Position(
        Position::inRange(static_cast<long long>(world_pos.getX()) - view_corner.getX()),
        Position::inRange(static_cast<long long>(world_pos.getY()) - view_corner.getY()));
}

std::string toString(int value) {
    std::stringstream ss;
    ss << value;
    return ss.str();
}

} // namespace ks
