#include <gtest/gtest.h>

#include <vector>

#include "Color.h"
#include "Frame.h"
#include "Object.h"
#include "Sprite.h"
#include "TestSupport.h"

using ks::Object;
using ks::Position;

class ObjectTest : public EngineTest {};

namespace {

std::vector<int> xSteps(Object& object, int steps) {
    std::vector<int> out;
    for (int i = 0; i < steps; i++)
        out.push_back(object.getXVelocityStep());
    return out;
}

} // namespace

TEST_F(ObjectTest, IdsAreConsecutiveAndNeverReused) {
    int first_id;
    {
        Object a;
        first_id = a.getId();
    }
    Object b;
    Object c;
    EXPECT_EQ(b.getId(), first_id + 1);
    EXPECT_EQ(c.getId(), first_id + 2);
}

TEST_F(ObjectTest, StartsHardAtTheTopAltitudeWithAnEmptyBox) {
    Object object(Position(3, 4));
    EXPECT_EQ(object.getSolidness(), ks::HARD);
    EXPECT_TRUE(object.isSolid());
    EXPECT_EQ(object.getAltitude(), ks::MAX_ALTITUDE);
    EXPECT_EQ(object.getPosition(), Position(3, 4));
    EXPECT_EQ(object.getBox().getHorizontal(), 0);
    EXPECT_EQ(object.getSprite(), nullptr);
}

TEST_F(ObjectTest, AltitudeOutsideTheLayersIsIgnored) {
    Object object;
    object.setAltitude(0);
    EXPECT_EQ(object.getAltitude(), 0);
    object.setAltitude(6);
    EXPECT_EQ(object.getAltitude(), 0);
    object.setAltitude(-1);
    EXPECT_EQ(object.getAltitude(), 0);
    object.setAltitude(5);
    EXPECT_EQ(object.getAltitude(), 5);
}

TEST_F(ObjectTest, FractionalVelocityMovesEveryFewSteps) {
    Object object;
    object.setXVelocity(0.25f);
    EXPECT_EQ(xSteps(object, 8), (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 1}));
    object.setXVelocity(0.5f);
    EXPECT_EQ(xSteps(object, 4), (std::vector<int>{0, 1, 0, 1}));
    object.setXVelocity(0.75f);
    EXPECT_EQ(xSteps(object, 8), (std::vector<int>{0, 1, 1, 1, 0, 1, 1, 1}));
}

TEST_F(ObjectTest, FastVelocityMovesSeveralCellsPerStep) {
    Object object;
    object.setXVelocity(1.5f);
    EXPECT_EQ(xSteps(object, 4), (std::vector<int>{1, 2, 1, 2}));
    object.setXVelocity(2.0f);
    EXPECT_EQ(xSteps(object, 2), (std::vector<int>{2, 2}));
}

TEST_F(ObjectTest, NegativeVelocityMovesBackwards) {
    Object object;
    object.setYVelocity(-1.0f);
    EXPECT_EQ(object.getYVelocityStep(), -1);
    EXPECT_EQ(object.getYVelocityStep(), -1);
    object.setYVelocity(-0.75f);
    EXPECT_EQ(object.getYVelocityStep(), 0);
    EXPECT_EQ(object.getYVelocityStep(), -1);
}

TEST_F(ObjectTest, NewVelocityRestartsTheCountdown) {
    Object object;
    object.setXVelocity(0.5f);
    EXPECT_EQ(object.getXVelocityStep(), 0);
    // Half-way through a cell, a new velocity starts again from a whole cell.
    object.setXVelocity(0.5f);
    EXPECT_EQ(xSteps(object, 2), (std::vector<int>{0, 1}));
}

TEST_F(ObjectTest, ZeroVelocityLeavesTheCountdownAlone) {
    Object object;
    object.setXVelocity(0.5f);
    object.getXVelocityStep(); // countdown now half a cell
    object.setYVelocity(0);
    EXPECT_EQ(object.getYVelocityStep(), 0);
    EXPECT_EQ(object.getXVelocityStep(), 1);
}

TEST_F(ObjectTest, SetSpriteTakesTheSpriteSizeAsBoxAndIgnoresNull) {
    ks::Sprite sprite(1, 3, 2, ks::GREEN);
    Object object;
    object.setBox(ks::Box(Position(5, 5), 9, 9));
    object.setSprite(&sprite);
    EXPECT_EQ(object.getBox().getCorner(), Position(0, 0));
    EXPECT_EQ(object.getBox().getHorizontal(), 3);
    EXPECT_EQ(object.getBox().getVertical(), 2);

    object.setSprite(nullptr);
    EXPECT_EQ(object.getSprite(), &sprite);
    EXPECT_EQ(object.getBox().getHorizontal(), 3);
}

TEST_F(ObjectTest, DrawAdvancesTheAnimationBySlowdown) {
    ks::Sprite sprite(4, 1, 1, ks::WHITE);
    for (char ch : std::string("abcd"))
        sprite.addFrame(ks::Frame(1, 1, std::string(1, ch)));
    Object object;
    object.setSprite(&sprite);
    object.setSpriteSlowdown(3);
    std::vector<int> shown;
    for (int i = 0; i < 13; i++) {
        shown.push_back(object.getSpriteIndex());
        object.draw();
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
}

TEST_F(ObjectTest, FrozenOrSpritelessObjectKeepsItsCounters) {
    ks::Sprite sprite(2, 1, 1, ks::WHITE);
    sprite.addFrame(ks::Frame(1, 1, "a"));
    sprite.addFrame(ks::Frame(1, 1, "b"));
    Object frozen;
    frozen.setSprite(&sprite);
    frozen.draw();
    EXPECT_EQ(frozen.getSpriteIndex(), 0);

    Object bare;
    bare.setSpriteSlowdown(1);
    bare.draw();
    EXPECT_EQ(bare.getSpriteIndex(), 0);
    EXPECT_EQ(bare.getSpriteSlowdownCount(), 0);
}
