#include "GameHelpers.h"

const ks::Position HOME(40, 12), AWAY(70, 20); // a sword hitbox out of everyone's way

class EnemyTest : public GameTest {};

TEST_F(EnemyTest, DetectionDependsOnBoxFacingAndMovementModeAndWaitsForTheFirstMove) {
    // By facing: in the sight, walk and run boxes, and outside all; zone z is seen from mode z on.
    const ks::Position zones[4][4] = {{{40, -2}, {40, 15}, {40, 21}, {0, 0}},
                                      {{40, 25}, {40, 8}, {40, 3}, {0, 0}},
                                      {{66, 12}, {36, 12}, {31, 12}, {0, 0}},
                                      {{10, 12}, {42, 12}, {49, 12}, {0, 0}}};
    Player* players[] = {newPlayerAt(HOME, SNEAK), newPlayerAt(HOME, WALK), newPlayerAt(HOME, RUN)};
    for (int facing = FACING_UP; facing <= FACING_LEFT; facing++) {
        Zombie zombie(HOME, facing);
        EXPECT_FALSE(zombie.detectPlayer()); // no "player-move" yet
        for (int zone = 0; zone < 4; zone++)
            for (int mode = SNEAK; mode <= RUN; mode++) {
                announceMove(players[mode], zones[facing][zone], &zombie);
                EXPECT_EQ(zombie.detectPlayer(), mode >= zone) << facing << zone << mode;
            }
    }
}

TEST_F(EnemyTest, SwordHitKillsTheUnawareAndCostsTheAlertedItsDamageOncePerCooldown) {
    Player* player = newPlayerAt(HOME);
    Zombie* unaware = new Zombie(HOME, FACING_RIGHT);
    touch(Sword::spawn(1, AWAY), unaware);
    EXPECT_EQ(objectsInWorld<PopUp>().at(0)->getMessage(), "stealth kill");
    EXPECT_EQ(player->getScoreView()->getValue(), 0);
    for (int visit = 0; visit < 2; visit++) { // the second time its room is entered again
        sendSteps(unaware);
        updateWorld();
        EXPECT_EQ(player->getScoreView()->getValue(), 10);
        EXPECT_FALSE(inWorld(unaware));
        ks::WorldManager::getInstance().insertObject(unaware);
    }
    delete unaware;
    Zombie alerted(HOME, FACING_RIGHT);
    announceMove(player, HOME, &alerted);
    sendSteps(&alerted); // notices the player
    touch(Sword::spawn(15, AWAY), &alerted);
    touch(Sword::spawn(15, AWAY), &alerted); // while hurt
    EXPECT_EQ(alerted.getHealth(), 30);
    for (int i = 1; i <= 45; i++) {
        sendSteps(&alerted);
        EXPECT_EQ(alerted.getHitCountdown(), 15 - i % 15) << "step " << i;
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

TEST_F(EnemyTest, WandersOneCellAtMostThirtyStepsApartAndChasesEveryFiveAlongTheLongerAxis) {
    Zombie* wanderer = new Zombie(HOME, FACING_UP);
    int moves = 0;
    for (int steps = 1; steps <= 30 && moves < 20; steps++) { // ends early on a slow move
        const ks::Position last = wanderer->getPosition();
        sendSteps(wanderer);
        const ks::Position now = wanderer->getPosition();
        if (now != last) {
            EXPECT_EQ(abs(now.getX() - last.getX()) + abs(now.getY() - last.getY()), 1);
            moves++, steps = 0;
        }
    }
    EXPECT_EQ(moves, 20);
    delete wanderer; // out of the chaser's way
    // The player's place, where the enemy steps to and faces then, and the log line.
    const std::tuple<ks::Position, ks::Position, int, std::string> cases[] = {
        {{50, 13}, {41, 12}, FACING_RIGHT, "found dx > dy for alert move dx = -10"},
        {{30, 11}, {39, 12}, FACING_LEFT, "found dx > dy for alert move dx = 10"},
        {{45, 17}, {40, 13}, FACING_DOWN, "found dx < dy for alert move dy = -5"}, // tie
        {{40, 12}, {40, 11}, FACING_UP, "found dx < dy for alert move dy = 0"}};   // same cell
    Player player;
    ks::WorldManager::getInstance().removeObject(&player); // reports positions, blocks nothing
    Zombie chaser(HOME, FACING_RIGHT);
    announceMove(&player, ks::Position(60, 12), &chaser); // in sight, and none of the cases
    for (int i = 0; i < 40 && chaser.getPosition() == HOME; i++)
        sendSteps(&chaser); // up to the first chase move, which reloads 5
    for (const auto& [place, next, facing, log_line] : cases) {
        chaser.setPosition(HOME);
        announceMove(&player, place, &chaser);
        sendSteps(&chaser, 4);
        EXPECT_EQ(chaser.getPosition(), HOME) << log_line;
        sendSteps(&chaser);
        EXPECT_EQ(chaser.getPosition(), next) << log_line;
        EXPECT_EQ(chaser.getSpriteIndex(), facing) << log_line;
        EXPECT_TRUE(logHas(log_line));
    }
}
