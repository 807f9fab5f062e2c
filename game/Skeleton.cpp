#include "Skeleton.h"

#include "Arrow.h"
#include "Direction.h"

Skeleton::Skeleton(ks::Position pos, int facing)
    : Enemy(pos, facing, "Skeleton", "skeleton"), arrow_countdown(0) {}

void Skeleton::step() {
    if (arrow_countdown > 0)
        arrow_countdown--;
    Enemy::step();
}

void Skeleton::onSighted() {
    ks::Position pos = getPosition();
    pos.moveXY(1, 1);
    // The arrow flies along the centre column or row, one cell beside the sight line.
    int direction = NORTH;
    switch (getFacing()) {
    case FACING_UP:
        direction = SOUTH;
        pos.moveY(-2);
        break;
    case FACING_DOWN:
        direction = NORTH;
        pos.moveY(2);
        break;
    case FACING_RIGHT:
        direction = EAST;
        pos.moveX(2);
        break;
    case FACING_LEFT:
        direction = WEST;
        pos.moveX(-2);
        break;
    default:
        return;
    }
    if (arrow_countdown == 0) {
        Arrow::spawn(pos, direction);
        arrow_countdown = SKELETON_ARROW_RELOAD;
    }
}
