#include "Position.h"

namespace ks {

Position::Position(int init_x, int init_y) : x(init_x), y(init_y) {}

Position::~Position() = default;

void Position::setXY(int new_x, int new_y) {
    setX(new_x);
    setY(new_y);
}

void Position::moveXY(int dx, int dy) {
    moveX(dx);
    moveY(dy);
}

} // namespace ks
