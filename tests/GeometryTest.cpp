// Box overlap and view-relative positions, also at the limits of int.
#include <climits>

#include "Box.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::Box;
using ks::Position;

static Box box(int x, int y, int h, int v) {
    return Box(Position(x, y), h, v);
}

TEST(BoxIntersectsBox, OverlapRulesHoldInBothArgumentOrders) {
    const struct {
        Box a, b;
        bool overlap;
    } cases[] = {
        {box(0, 0, 3, 1), box(3, 0, 3, 1), false}, // columns 0..2 and 3..5 only touch
        {box(0, 0, 4, 1), box(3, 0, 3, 1), true},  // far edges are inclusive: column 3 shared
        {box(0, 0, 1, 3), box(0, 3, 1, 3), false},   {box(0, 0, 1, 4), box(0, 3, 1, 3), true},
        {box(0, 0, 80, 24), box(10, 5, 3, 3), true}, // nested
        {box(0, 0, 5, 2), box(2, 2, 5, 2), false},   // overlap in x only
        {box(7, 3, 0, 0), box(7, 3, 1, 1), true},    // a zero-sized box at the other's corner
        {box(7, 3, 0, 0), box(7, 3, 0, 0), false},   {box(9, 3, 0, 0), box(7, 3, 2, 1), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.overlap, ks::boxIntersectsBox(c.a, c.b)) << "case " << &c - cases;
        EXPECT_EQ(c.overlap, ks::boxIntersectsBox(c.b, c.a)) << "case " << &c - cases << " swapped";
    }
}

using WorldToViewTest = EngineTest;

// Near the limits of int every sum used to overflow (undefined behaviour): moves stop at the
// limit, far corners are computed wide, and a view far away still gives an answer in range.
TEST_F(WorldToViewTest, ArithmeticAtTheLimitsOfIntSaturatesInsteadOfOverflowing) {
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
