// Positions, boxes and the view at the limits of int. (How boxes overlap decides every collision
// of every golden game.)
#include <climits>

#include "Box.h"
#include "GraphicsManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::Box;
using ks::Position;

static Box box(int x, int y, int h, int v) {
    return Box(Position(x, y), h, v);
}

using GeometryTest = EngineTest;

// Near the limits of int every sum used to overflow (undefined behaviour): moves stop at the
// limit, far corners are computed wide, and a view far away still gives an answer in range.
TEST_F(GeometryTest, ArithmeticAtTheLimitsOfIntSaturatesInsteadOfOverflowing) {
    Position p(INT_MAX - 1, INT_MIN + 1);
    p.moveXY(5, -5);
    EXPECT_EQ(p, Position(INT_MAX, INT_MIN));
    p.moveXY(-3, 3);
    EXPECT_EQ(p, Position(INT_MAX - 3, INT_MIN + 3));
    EXPECT_TRUE(ks::boxIntersectsBox(box(INT_MAX, 0, INT_MAX, 1), box(INT_MAX, 0, 1, 1)));
    EXPECT_FALSE(ks::boxIntersectsBox(box(INT_MIN, 0, INT_MIN, 1), box(INT_MAX, 0, INT_MAX, 1)));
    EXPECT_TRUE(ks::boxIntersectsBox(box(INT_MIN, 0, INT_MAX, 1), box(-2, 0, 1, 1)));
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.setView(box(INT_MIN, INT_MAX, 80, 24));
    EXPECT_EQ(ks::worldToView(Position(INT_MAX, INT_MIN)), Position(INT_MAX, INT_MIN));
    world.setView(box(0, 0, 80, 24));
    world.setBoundary(box(0, 0, INT_MIN, INT_MAX));
    world.setViewPosition(Position(INT_MAX, INT_MIN));
    EXPECT_EQ(world.getView().getCorner(), Position(INT_MIN, 0));
}
