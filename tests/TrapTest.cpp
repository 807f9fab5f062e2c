#include <string>

#include "Arrow.h"
#include "ArrowTrap.h"
#include "Direction.h"
#include "GameplayHelpers.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "Spikes.h"

namespace {

const ks::Position TRAP(20, 10); // centre (21, 11)

class TrapTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }

    static size_t arrowCount() { return objectsInWorld<Arrow>().size(); }

    static void update(int times) {
        for (int i = 0; i < times; i++)
            ks::WorldManager::getInstance().update();
    }
};

} // namespace

TEST_F(TrapTest, TriggerLineAndArrowStartForEachDirection) {
    const struct {
        int direction;
        ks::Position player; // corner of the player's 3 x 3 box
        bool fires;
        ks::Position arrow_start;
    } cases[] = {
        {NORTH, {21, 18}, true, {21, 13}}, // far end of rows 11..18
        {NORTH, {21, 19}, false, {}},
        {NORTH, {22, 12}, false, {}},     // beyond, beside
        {EAST, {40, 11}, true, {23, 11}}, // far end of columns 21..40
        {EAST, {41, 11}, false, {}},
        {EAST, {38, 12}, false, {}},
        {EAST, {30, 9}, true, {23, 11}}, // box reaching into the row
        {SOUTH, {21, 2}, true, {21, 9}}, // far end of rows 4..11
        {SOUTH, {21, 1}, false, {}},
        {WEST, {1, 11}, true, {19, 11}}, // far end of columns 1..20
        {WEST, {-2, 11}, false, {}},
        {WEST, {21, 9}, false, {}}, // the centre column is not in the line
        {WEST, {18, 9}, true, {19, 11}},
    };
    Player* player = newPlayerAt(ks::Position(60, 20));
    for (const auto& c : cases) {
        ArrowTrap trap(TRAP, c.direction);
        sendSteps(&trap, 3);
        const size_t before = arrowCount();
        announceMove(player, c.player, &trap);
        const std::string where = "direction " + std::to_string(c.direction) + ", player " +
                                  std::to_string(c.player.getX()) + "," +
                                  std::to_string(c.player.getY());
        ASSERT_EQ(arrowCount(), before + (c.fires ? 1 : 0)) << where;
        if (c.fires) {
            EXPECT_EQ(objectsInWorld<Arrow>().back()->getPosition(), c.arrow_start) << where;
            EXPECT_EQ(objectsInWorld<Arrow>().back()->getDirection(), c.direction) << where;
        }
    }
}

TEST_F(TrapTest, FiresOnlyOnPlayerMovesAfterThreeThenEveryFifteenSteps) {
    Player* player = newPlayerAt(ks::Position(30, 11)); // in the line
    ArrowTrap* trap = new ArrowTrap(TRAP, EAST);
    const int steps_before_move[] = {0, 2, 1, 0, 14, 1};
    const size_t arrows_after_move[] = {0, 0, 1, 1, 1, 2};
    for (int i = 0; i < 6; i++) {
        sendSteps(trap, steps_before_move[i]);
        announceMove(player, player->getPosition(), trap);
        EXPECT_EQ(arrowCount(), arrows_after_move[i]) << "move " << i;
    }
    // A player standing still in the line of a ready trap is never shot.
    delete trap;
    new ArrowTrap(TRAP, EAST);
    ks::EventStep step;
    for (int i = 0; i < 30; i++)
        ks::WorldManager::getInstance().onEvent(&step);
    EXPECT_EQ(arrowCount(), 2u);
}

TEST_F(TrapTest, MuzzleCellIsDrawnBlank) {
    if (!openWindow())
        GTEST_SKIP() << "no display";
    const struct {
        int direction, row;
        const char* cells; // columns 10..12
    } cases[] = {{NORTH, 7, "[ ]"}, {EAST, 6, "#O "}, {SOUTH, 5, "[ ]"}, {WEST, 6, " O#"}};
    for (const auto& c : cases) {
        ArrowTrap trap(ks::Position(10, 5), c.direction);
        ks::GraphicsManager::getInstance().swapBuffers();
        trap.draw();
        EXPECT_EQ(row(c.row).substr(10, 3), c.cells) << "direction " << c.direction;
    }
}

TEST_F(TrapTest, ArrowsFlyOneAndAHalfCellsAcrossOrThreeQuartersDownAndDieOutside) {
    Arrow* east = new Arrow(ks::Position(30, 8), EAST);
    Arrow* north = new Arrow(ks::Position(10, 3), NORTH); // down the screen
    Arrow* west = new Arrow(ks::Position(70, 16), WEST);
    Arrow* south = new Arrow(ks::Position(20, 20), SOUTH); // up the screen
    const int east_x[] = {31, 33, 34, 36}, north_y[] = {3, 4, 5, 6};
    for (int i = 0; i < 4; i++) {
        update(1);
        EXPECT_EQ(east->getPosition(), ks::Position(east_x[i], 8)) << "update " << i;
        EXPECT_EQ(north->getPosition(), ks::Position(10, north_y[i])) << "update " << i;
    }
    EXPECT_EQ(west->getPosition(), ks::Position(64, 16));
    EXPECT_EQ(south->getPosition(), ks::Position(20, 17));
    update(60); // all four have left the window
    EXPECT_EQ(arrowCount(), 0u);
}

TEST_F(TrapTest, ArrowIsStoppedByHardObjectsButNotByItemsOrSpikes) {
    Heart* heart = new Heart(ks::Position(13, 5));
    new Spikes(ks::Position(16, 5));
    ks::Object* block = new ks::Object(ks::Position(22, 5));
    block->setBox(ks::Box(ks::Position(0, 0), 3, 1));
    Arrow* arrow = new Arrow(ks::Position(10, 5), EAST);
    update(6);
    ASSERT_EQ(arrowCount(), 1u);
    EXPECT_EQ(arrow->getPosition(), ks::Position(19, 5)); // past the heart and the spikes
    update(4);
    EXPECT_EQ(arrowCount(), 0u);
    EXPECT_TRUE(inWorld(block));
    EXPECT_FALSE(heart->isUsed());
}

TEST_F(TrapTest, ArrowCostsTwentyLessDefenseButAtLeastOne) {
    const int defenses[] = {0, 5, 25}, expected_health[] = {80, 85, 99};
    Player* players[3];
    for (int i = 0; i < 3; i++) {
        players[i] = newPlayerAt(ks::Position(30, 1 + 7 * i));
        players[i]->setDefense(defenses[i]);
        new Arrow(ks::Position(24, 2 + 7 * i), EAST);
    }
    update(8);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(players[i]->getHealth(), expected_health[i]) << "defense " << defenses[i];
    EXPECT_EQ(arrowCount(), 0u);
}
