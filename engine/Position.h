#pragma once

namespace ks {

// One character cell: x grows to the right, y grows downward.
class Position {
public:
    Position(int init_x = 0, int init_y = 0);
    Position(const Position& other) = default;
    Position& operator=(const Position& other) = default;
    virtual ~Position();

    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int new_x) { x = new_x; }
    void setY(int new_y) { y = new_y; }
    void setXY(int new_x, int new_y);

    void moveX(int dx) { x += dx; }
    void moveY(int dy) { y += dy; }
    void moveXY(int dx, int dy);

    bool operator==(const Position& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Position& other) const { return !(*this == other); }

private:
    int x;
    int y;
};

} // namespace ks
