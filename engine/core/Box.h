#pragma once

#include <string>

#include "Position.h"

namespace ks {

/// An axis-aligned rectangle of cells: it covers the columns from corner.x to
/// corner.x + horizontal - 1 and the rows from corner.y to corner.y + vertical - 1.
class Box {
public:
    /// The box of horizontal x vertical cells from the corner; by default an empty box at (0,0).
    Box(Position init_corner = Position(), int init_horizontal = 0, int init_vertical = 0)
        : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

    /// The top-left cell.
    Position getCorner() const { return corner; }
    /// Moves the box, keeping its size.
    void setCorner(Position new_corner) { corner = new_corner; }
    /// The width in cells.
    int getHorizontal() const { return horizontal; }
    /// Sets the width in cells; nothing checks it is positive.
    void setHorizontal(int new_horizontal) { horizontal = new_horizontal; }
    /// The height in cells.
    int getVertical() const { return vertical; }
    /// Sets the height in cells; nothing checks it is positive.
    void setVertical(int new_vertical) { vertical = new_vertical; }

private:
    Position corner;
    int horizontal;
    int vertical;
};

/// Whether the ranges from a1 to a1 + a_extent - 1 and from b1 to b1 + b_extent - 1 overlap,
/// tested from their near ends only: a range of extent 0 or less stands for its first cell when
/// the other range holds it. Computed wide, so no extent or corner can overflow.
inline bool rangesOverlap(int a1, int a_extent, int b1, int b_extent) {
    const long long a2 = static_cast<long long>(a1) + a_extent - 1;
    const long long b2 = static_cast<long long>(b1) + b_extent - 1;
    return (b1 <= a1 && a1 <= b2) || (a1 <= b1 && b1 <= a2);
}

/// Whether the boxes share a cell. Only one box's near edge is tested against the other's range,
/// so a zero-sized box counts as overlapping a box that holds its corner.
inline bool boxIntersectsBox(const Box& box1, const Box& box2) {
    const Position a = box1.getCorner();
    const Position b = box2.getCorner();
    return rangesOverlap(a.getX(), box1.getHorizontal(), b.getX(), box2.getHorizontal()) &&
           rangesOverlap(a.getY(), box1.getVertical(), b.getY(), box2.getVertical());
}

// getWorldBox, which places an object's box in the world, is with Object (Object.h).

// worldToView, which finds the screen cell of a world position, is with the graphics manager
// (GraphicsManager.h), which keeps the view's corner.

/// The decimal text of the value.
std::string toString(int value);

} // namespace ks
