#pragma once

#include <climits>

namespace ks {

/// One character cell: x grows to the right, y grows downward. Moves saturate at the limits of
/// int, so a runaway object stops at the edge of the representable world instead of wrapping.
class Position {
public:
    /// The cell at column init_x, row init_y.
    Position(int init_x = 0, int init_y = 0) : x(init_x), y(init_y) {}
    /// Copies both coordinates.
    Position(const Position& other) = default;
    /// Copies both coordinates.
    Position& operator=(const Position& other) = default;
    /// Nothing to release.
    virtual ~Position() = default;

    /// The column.
    int getX() const { return x; }
    /// The row.
    int getY() const { return y; }
    /// Sets the column.
    void setX(int new_x) { x = new_x; }
    /// Sets the row.
    void setY(int new_y) { y = new_y; }
    /// Sets the column and the row.
    void setXY(int new_x, int new_y) {
        setX(new_x);
        setY(new_y);
    }

    /// Moves dx columns (to the left when negative), held to INT_MIN .. INT_MAX.
    void moveX(int dx) { x = saturatingAdd(x, dx); }
    /// Moves dy rows (upward when negative), held to INT_MIN .. INT_MAX.
    void moveY(int dy) { y = saturatingAdd(y, dy); }
    /// Moves along both axes, each held to INT_MIN .. INT_MAX.
    void moveXY(int dx, int dy) {
        moveX(dx);
        moveY(dy);
    }

    /// Whether both coordinates are equal.
    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    /// Whether either coordinate differs.
    bool operator!=(const Position& other) const { return !(*this == other); }

    /// a + b, held to INT_MIN .. INT_MAX.
    static int saturatingAdd(int a, int b) { return inRange(static_cast<long long>(a) + b); }
    /// The value held to INT_MIN .. INT_MAX.
    static int inRange(long long value) {
        return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    }

private:
    int x;
    int y;
};

} // namespace ks
