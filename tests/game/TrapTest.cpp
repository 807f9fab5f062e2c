#include "GameHelpers.h"

class TrapTest : public GameTest {
protected:
    static size_t arrowCount() { return objectsInWorld<Arrow>().size(); }
};

TEST_F(TrapTest, FiresAlongItsLineOnPlayerMovesAfterThreeThenEveryFifteenStepsFromABlankMuzzle) {
    // A trap at (20,10), centre (21,11); the player's box corner; the arrow's start, none off
    // the line (NORTH rows 11..18, EAST columns 21..40, SOUTH rows 4..11, WEST columns 1..20).
    const std::tuple<int, ks::Position, ks::Position> cases[] = {
        {NORTH, {21, 18}, {21, 13}}, {NORTH, {21, 19}, {}},     {NORTH, {22, 12}, {}},
        {EAST, {40, 11}, {23, 11}},  {EAST, {41, 11}, {}},      {EAST, {38, 12}, {}},
        {EAST, {30, 9}, {23, 11}},   {SOUTH, {21, 2}, {21, 9}}, {SOUTH, {21, 1}, {}},
        {WEST, {1, 11}, {19, 11}},   {WEST, {-2, 11}, {}},      {WEST, {21, 9}, {}},
        {WEST, {18, 9}, {19, 11}}};
    const int steps_before_move[] = {2, 1, 14, 1}, shots_after_move[] = {0, 1, 1, 2};
    // By direction, the trap's picture where its muzzle is: the row and its columns 20..22.
    const int muzzle_rows[] = {12, 11, 10, 11};
    const std::string muzzles[] = {"[ ]", "#O ", "[ ]", " O#"};
    Player* player = newPlayerAt(ks::Position(60, 20));
    for (const auto& [direction, corner, start] : cases) {
        ArrowTrap trap(ks::Position(20, 10), direction);
        const size_t before = arrowCount();
        const int in_line = start != ks::Position();
        for (int i = 0; i < 4; i++) {
            sendSteps(&trap, steps_before_move[i]);
            announceMove(player, corner, &trap);
            ASSERT_EQ(arrowCount(), before + in_line * shots_after_move[i]) << direction << i;
        }
        sendSteps(&trap, 30); // ready, but a player standing still is never shot
        EXPECT_EQ(arrowCount(), before + in_line * 2);
        if (in_line) {
            EXPECT_EQ(objectsInWorld<Arrow>()[before]->getPosition(), start) << direction;
            EXPECT_EQ(objectsInWorld<Arrow>()[before]->getDirection(), direction);
        }
        ks::GraphicsManager::getInstance().swapBuffers(); // the muzzle cell is drawn blank
        trap.draw();
        EXPECT_EQ(row(muzzle_rows[direction]).substr(20, 3), muzzles[direction]) << direction;
    }
}

TEST_F(TrapTest, ArrowsFlyPastItemsAndSpikesTillAHardObjectStopsThem) {
    Arrow* east = Arrow::spawn(ks::Position(30, 8), EAST);
    Arrow* north = Arrow::spawn(ks::Position(50, 3), NORTH); // down the screen
    // Three rows with a player of growing defense, one with a plain hard block.
    const int defenses[] = {0, 5, 25}, expected_health[] = {80, 85, 99};
    Player* players[3];
    for (int i = 0; i < 3; i++) {
        players[i] = newPlayerAt(ks::Position(22, 1 + 6 * i));
        players[i]->setDefense(defenses[i]);
        Arrow::spawn(ks::Position(10, 2 + 6 * i), EAST);
    }
    new Heart(ks::Position(13, 2));
    new Spikes(ks::Position(16, 2));
    ks::Object* block = new ks::Object(ks::Position(22, 20));
    block->setBox(ks::Box(ks::Position(0, 0), 3, 1));
    Arrow::spawn(ks::Position(10, 20), EAST);
    updateWorld(4); // 1.5 cells an update across, 0.75 down
    EXPECT_EQ(east->getPosition(), ks::Position(36, 8));
    EXPECT_EQ(north->getPosition(), ks::Position(50, 6));
    updateWorld(6); // the four in the rows would have flown on to x = 25
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(players[i]->getHealth(), expected_health[i]) << "defense " << defenses[i];
    EXPECT_EQ(arrowCount(), 2u);
    EXPECT_TRUE(inWorld(block));
}
