// Box overlap, view-relative positions and number text.
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

TEST_F(WorldToViewTest, SubtractsTheViewCornerAndToStringKeepsTheSign) {
    ks::WorldManager::getInstance().setView(box(10, 5, 80, 24));
    EXPECT_EQ(ks::worldToView(Position(10, 5)), Position(0, 0));
    EXPECT_EQ(ks::worldToView(Position(9, 5)), Position(-1, 0));
    EXPECT_EQ(ks::toString(-12), "-12");
}
