#pragma once

#include <climits>

namespace ks {

// One character cell: x grows to the right, y grows downward. Moves saturate at the limits of
// int, so a runaway object stops at the edge of the representable world instead of wrapping.
class Position {
public:
    Position(int init_x = 0, int init_y = 0) : x(init_x), y(init_y) {}
    Position(const Position& other) = default;
    Position& operator=(const Position& other) = default;
    virtual ~Position() = default;

    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int new_x) { x = new_x; }
    void setY(int new_y) { y = new_y; }
    void setXY(int new_x, int new_y) {
        setX(new_x);
        setY(new_y);
    }

    void moveX(int dx) { x = saturatingAdd(x, dx); }
    void moveY(int dy) { y = saturatingAdd(y, dy); }
    void moveXY(int dx, int dy) {
        moveX(dx);
        moveY(dy);
    }

    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }

    // a + b, held to INT_MIN .. INT_MAX.
    static int saturatingAdd(int a, int b) { return inRange(static_cast<long long>(a) + b); }
    // The value held to INT_MIN .. INT_MAX.
    static int inRange(long long value) {
        return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    }

private:
    int x;
    int y;
};

} // namespace ks
