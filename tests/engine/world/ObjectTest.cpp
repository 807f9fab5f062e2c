// Objects' velocities and positions at their limits. (Fractional velocities are seen in the
// arrows' flight.)
#include <climits>
#include <cmath>

#include "TestSupport.h"
#include "WorldManager.h"

using ks::Object;
using Ints = std::vector<int>;
using ObjectTest = EngineTest;

// A velocity that is not a number or infinite made the step's float-to-int conversion undefined;
// a huge one overflowed the step and then the position. The first are refused, the last held to
// 1000 cells a step, and a position carried past INT_MAX by its velocity stays at INT_MAX.
TEST_F(ObjectTest, VelocitiesThatAreNotFiniteAreRefusedHugeOnesHeldAndPositionsKeptInRange) {
    Object object;
    object.setXVelocity(0.5f);
    for (float bad : {std::nanf(""), INFINITY, -INFINITY}) {
        EXPECT_EQ(object.setXVelocity(bad), -1);
        EXPECT_EQ(object.setYVelocity(bad), -1);
    }
    EXPECT_EQ(object.getXVelocity(), 0.5f);
    EXPECT_EQ(object.getYVelocity(), 0.0f);
    EXPECT_TRUE(logHas("Object::setXVelocity(): Error: velocity inf refused"));
    EXPECT_TRUE(logHas("Object::setYVelocity(): Error: velocity -inf refused"));
    EXPECT_EQ(object.setXVelocity(3e30f), 0);
    EXPECT_EQ(object.setYVelocity(-1e9f), 0);
    EXPECT_EQ(object.getXVelocity(), 1000.0f);
    EXPECT_EQ(object.getYVelocity(), -1000.0f);
    EXPECT_TRUE(
        logHas("Object::setYVelocity(): Warning! velocity -1000000000.000000 held to 1000"));
    object.setPosition(ks::Position(INT_MAX - 1500, INT_MIN + 1500));
    object.setSolidness(ks::SPECTRAL);
    ks::WorldManager::getInstance().update();
    EXPECT_EQ(object.getPosition(), ks::Position(INT_MAX - 500, INT_MIN + 500));
    ks::WorldManager::getInstance().update();
    EXPECT_EQ(object.getPosition(), ks::Position(INT_MAX, INT_MIN));
}
