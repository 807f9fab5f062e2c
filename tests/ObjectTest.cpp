// Object velocity steps, altitude, sprite and animation.
#include <climits>
#include <cmath>

#include "Color.h"
#include "Frame.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::Object;
using Ints = std::vector<int>;
using ObjectTest = EngineTest;

// The cells moved in n successive steps along x, or along y.
static Ints steps(Object& object, size_t n, bool y = false) {
    Ints out;
    while (out.size() < n)
        out.push_back(y ? object.getYVelocityStep() : object.getXVelocityStep());
    return out;
}

TEST_F(ObjectTest, VelocityStepsMoveWholeCellsAtTheRightCyclesFromEachNewVelocity) {
    const std::pair<float, Ints> cases[] = {
        {0.25f, {0, 0, 0, 1, 0, 0, 0, 1}},
        {0.75f, {0, 1, 1, 1, 0, 1, 1, 1}},
        {1.5f, {1, 2, 1, 2}},
        {-0.75f, {0, -1, -1, -1, 0}},
    };
    for (const auto& c : cases) {
        Object object;
        object.setXVelocity(c.first);
        object.setYVelocity(c.first);
        EXPECT_EQ(steps(object, c.second.size()), c.second) << c.first;
        EXPECT_EQ(steps(object, c.second.size(), true), c.second) << c.first;
    }
    // A new velocity restarts the countdown; a zero one leaves the other axis alone.
    Object object;
    object.setXVelocity(0.5f);
    EXPECT_EQ(object.getXVelocityStep(), 0); // half a cell to go
    object.setXVelocity(0.5f);
    EXPECT_EQ(steps(object, 3), (Ints{0, 1, 0}));
    object.setYVelocity(0);
    EXPECT_EQ((Ints{object.getYVelocityStep(), object.getXVelocityStep()}), (Ints{0, 1}));
}

TEST_F(ObjectTest, DrawAdvancesTheAnimationEverySlowdownFrames) {
    ks::Sprite sprite(4, 1, 1, ks::WHITE);
    for (const char* frame : {"a", "b", "c", "d"})
        sprite.addFrame(ks::Frame(1, 1, frame));
    Object object;
    object.setSprite(&sprite);
    object.setSpriteSlowdown(3);
    Ints shown;
    for (int i = 0; i < 13; i++, object.draw())
        shown.push_back(object.getSpriteIndex());
    EXPECT_EQ(shown, (Ints{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
}

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
