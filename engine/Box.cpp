#include "Box.h"

#include <sstream>

#include "Object.h"
#include "WorldManager.h"

namespace ks {

Box::Box(Position init_corner, int init_horizontal, int init_vertical)
    : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

namespace {

// Whether the ranges [a1, a2] and [b1, b2] overlap, tested from their near ends.
bool rangesOverlap(int a1, int a2, int b1, int b2) {
    return (b1 <= a1 && a1 <= b2) || (a1 <= b1 && b1 <= a2);
}

} // namespace

bool boxIntersectsBox(Box box1, Box box2) {
    Position a1 = box1.getCorner();
    Position b1 = box2.getCorner();
    Position a2 = a1;
    a2.moveXY(box1.getHorizontal() - 1, box1.getVertical() - 1);
    Position b2 = b1;
    b2.moveXY(box2.getHorizontal() - 1, box2.getVertical() - 1);
    return rangesOverlap(a1.getX(), a2.getX(), b1.getX(), b2.getX()) &&
           rangesOverlap(a1.getY(), a2.getY(), b1.getY(), b2.getY());
}

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
    return Position(world_pos.getX() - view_corner.getX(), world_pos.getY() - view_corner.getY());
}

std::string toString(int value) {
    std::stringstream ss;
    ss << value;
    return ss.str();
}

} // namespace ks
