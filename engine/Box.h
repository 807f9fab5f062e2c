#pragma once

#include <string>

#include "Position.h"

namespace ks {

class Object;

// An axis-aligned rectangle of cells: it covers corner.x .. corner.x + horizontal - 1 and
// corner.y .. corner.y + vertical - 1.
class Box {
public:
    Box(Position init_corner = Position(), int init_horizontal = 0, int init_vertical = 0);

    Position getCorner() const { return corner; }
    void setCorner(Position new_corner) { corner = new_corner; }
    int getHorizontal() const { return horizontal; }
    void setHorizontal(int new_horizontal) { horizontal = new_horizontal; }
    int getVertical() const { return vertical; }
    void setVertical(int new_vertical) { vertical = new_vertical; }

private:
    Position corner;
    int horizontal;
    int vertical;
};

// Whether the boxes share a cell. Only one box's near edge is tested against the other's range,
// so a zero-sized box counts as overlapping a box that holds its corner.
bool boxIntersectsBox(Box box1, Box box2);

// The object's box placed in the world at the object's position.
Box getWorldBox(const Object* p_object);

// The object's box as it would be with the object standing at where.
Box getWorldBox(const Object* p_object, Position where);

// A world position made relative to the corner of the world manager's view.
Position worldToView(Position world_pos);

// The decimal text of the value.
std::string toString(int value);

} // namespace ks
