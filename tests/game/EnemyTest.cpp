#include "GameHelpers.h"

const ks::Position HOME(40, 12), AWAY(70, 20); // a sword hitbox out of everyone's way

class EnemyTest : public GameTest {};

// A zombie at (40,12) sees 15 cells up or down its column, or 30 cells along its row to the
// right or left; its walk box covers x 34..48, y 6..20, its run box x 29..52, y 1..24. The player
// box (3 x 3, placed by its corner) stands in the line of sight, then in the walk box only, then
// in the run box only, then outside all.
TEST_F(EnemyTest, SneakersAreSeenOnlyInSightWalkersAlsoInTheWalkBoxRunnersAlsoInTheRunBox) {
    //                                  sight      walk box   run box    nowhere
    const ks::Position zones[4][4] = {{{40, -2}, {40, 15}, {40, 21}, {0, 0}},  // facing up
                                      {{40, 25}, {40, 8}, {40, 3}, {0, 0}},    // facing down
                                      {{66, 12}, {36, 12}, {31, 12}, {0, 0}},  // facing right
                                      {{10, 12}, {42, 12}, {49, 12}, {0, 0}}}; // facing left
    // Per zone: whether a player sneaking, walking or running there is noticed.
    const bool noticed[4][3] = {{true, true, true}, {false, true, true}, {false, false, true}, {}};
    Player* players[] = {newPlayerAt(HOME, SNEAK), newPlayerAt(HOME, WALK), newPlayerAt(HOME, RUN)};
    for (int facing = FACING_UP; facing <= FACING_LEFT; facing++) {
        Zombie zombie(HOME, facing);
        EXPECT_FALSE(zombie.detectPlayer()); // no "player-move" yet
        for (int zone = 0; zone < 4; zone++)
            for (int mode = SNEAK; mode <= RUN; mode++) {
                announceMove(players[mode], zones[facing][zone], &zombie);
                EXPECT_EQ(zombie.detectPlayer(), noticed[zone][mode]) << facing << zone << mode;
            }
    }
}

// The hit sprite shows for the 14 steps of the cool-down after a hit, which then restarts at 15.
TEST_F(EnemyTest, AnAlertedEnemyLosesTheSwordsDamageOncePerFifteenStepCooldown) {
    Player* player = newPlayerAt(HOME);
    Zombie alerted(HOME, FACING_RIGHT);
    announceMove(player, HOME, &alerted);
    sendSteps(&alerted); // notices the player
    touch(Sword::spawn(15, AWAY), &alerted);
    touch(Sword::spawn(15, AWAY), &alerted); // while hurt
    EXPECT_EQ(alerted.getHealth(), 30);
    const int countdown[] = {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15};
    for (int i = 1; i <= 45; i++) {
        sendSteps(&alerted);
        EXPECT_EQ(alerted.getHitCountdown(), countdown[(i - 1) % 15]) << "step " << i;
        EXPECT_EQ(alerted.getSprite()->getLabel(), i < 15 ? "zombie-hit" : "zombie-aggro") << i;
        if (i == 14)
            touch(Sword::spawn(15, AWAY), &alerted); // still cooling down
    }
    // Without the hit sprite the hit is logged and still counts; the sprite stays.
    ASSERT_EQ(ks::ResourceManager::getInstance().unloadSprite("zombie-hit"), 0);
    touch(Sword::spawn(20, AWAY), &alerted);
    ks::ResourceManager::getInstance().loadSprite("sprites/zombie-hit-sprite.txt", "zombie-hit");
    EXPECT_TRUE(logHas("Zombie::Zombie(): Warning! Sprite 'zombie-hit' not found"));
    EXPECT_EQ(alerted.getSprite()->getLabel(), "zombie-aggro");
    EXPECT_EQ(alerted.getHealth(), 10);
}
