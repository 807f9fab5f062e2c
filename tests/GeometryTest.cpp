#include <gtest/gtest.h>

#include "Box.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::Box;
using ks::Position;

namespace {

Box box(int x, int y, int h, int v) {
    return Box(Position(x, y), h, v);
}

bool overlapBothWays(Box a, Box b) {
    bool ab = ks::boxIntersectsBox(a, b);
    EXPECT_EQ(ab, ks::boxIntersectsBox(b, a)) << "overlap is not symmetric";
    return ab;
}

} // namespace

TEST(BoxIntersectsBox, IdenticalCellsOverlapAndNeighboursDoNot) {
    EXPECT_TRUE(overlapBothWays(box(4, 4, 1, 1), box(4, 4, 1, 1)));
    EXPECT_FALSE(overlapBothWays(box(4, 4, 1, 1), box(5, 4, 1, 1)));
    EXPECT_FALSE(overlapBothWays(box(4, 4, 1, 1), box(4, 5, 1, 1)));
}

TEST(BoxIntersectsBox, FarEdgesAreInclusive) {
    // Columns 0..2 and 3..5 are apart; 0..3 and 3..5 share column 3.
    EXPECT_FALSE(overlapBothWays(box(0, 0, 3, 1), box(3, 0, 3, 1)));
    EXPECT_TRUE(overlapBothWays(box(0, 0, 4, 1), box(3, 0, 3, 1)));
    EXPECT_FALSE(overlapBothWays(box(0, 0, 1, 3), box(0, 3, 1, 3)));
    EXPECT_TRUE(overlapBothWays(box(0, 0, 1, 4), box(0, 3, 1, 3)));
}

TEST(BoxIntersectsBox, NestedBoxesOverlap) {
    EXPECT_TRUE(overlapBothWays(box(0, 0, 80, 24), box(10, 5, 3, 3)));
}

TEST(BoxIntersectsBox, OverlapInXOnlyIsNoOverlap) {
    EXPECT_FALSE(overlapBothWays(box(0, 0, 5, 2), box(2, 2, 5, 2)));
}

TEST(BoxIntersectsBox, ZeroSizedBoxOverlapsTheBoxHoldingItsCorner) {
    EXPECT_TRUE(overlapBothWays(box(7, 3, 0, 0), box(7, 3, 1, 1)));
    EXPECT_TRUE(overlapBothWays(box(8, 4, 0, 0), box(5, 2, 10, 10)));
    EXPECT_FALSE(overlapBothWays(box(7, 3, 0, 0), box(7, 3, 0, 0)));
    EXPECT_FALSE(overlapBothWays(box(9, 3, 0, 0), box(7, 3, 2, 1)));
}

class GeometryWorldTest : public EngineTest {};

TEST_F(GeometryWorldTest, WorldToViewSubtractsTheViewCorner) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    EXPECT_EQ(ks::worldToView(Position(12, 7)), Position(12, 7));

    world.setView(box(10, 5, 80, 24));
    EXPECT_EQ(ks::worldToView(Position(10, 5)), Position(0, 0));
    EXPECT_EQ(ks::worldToView(Position(9, 5)), Position(-1, 0));
}

TEST_F(GeometryWorldTest, WorldBoxFollowsThePositionAndTheBoxOffset) {
    Recorder object(Position(10, 4));
    object.setBox(box(1, 2, 3, 4));
    Box world_box = ks::getWorldBox(&object);
    EXPECT_EQ(world_box.getCorner(), Position(11, 6));
    EXPECT_EQ(world_box.getHorizontal(), 3);
    EXPECT_EQ(world_box.getVertical(), 4);
    EXPECT_EQ(ks::getWorldBox(&object, Position(0, 0)).getCorner(), Position(1, 2));
}

TEST(ToString, WritesDecimalWithSign) {
    EXPECT_EQ(ks::toString(0), "0");
    EXPECT_EQ(ks::toString(-12), "-12");
    EXPECT_EQ(ks::toString(1250), "1250");
}
