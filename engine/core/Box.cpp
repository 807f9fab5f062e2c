#include "Box.h"

#include <sstream>

#include "WorldManager.h"

namespace ks {

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
