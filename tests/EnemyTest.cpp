#include <cstdlib>
#include <string>

#include "GameplayHelpers.h"
#include "LogManager.h"
#include "PopUp.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "ViewObject.h"
#include "Zombie.h"

namespace {

const ks::Position HOME(40, 12);

class EnemyTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
        srand(1); // with this seed a new enemy does not move on its first step
    }

    // Lets the enemy notice the player standing on its cell, then puts the enemy back home.
    static void alert(Enemy* p_enemy, Player* p_player) {
        announceMove(p_player, p_enemy->getPosition(), p_enemy);
        sendSteps(p_enemy);
        ASSERT_TRUE(p_enemy->isAlerted());
        p_enemy->setPosition(HOME);
    }

    static std::string spriteLabel(const ks::Object* p_object) {
        return p_object->getSprite() ? p_object->getSprite()->getLabel() : "";
    }
};

} // namespace

TEST_F(EnemyTest, DetectionDependsOnBoxFacingAndMovementMode) {
    // Enemy at HOME; per facing, a place in the line of sight and places behind it in the walk
    // box and in the run box only; (0, 0) is outside every box.
    const struct {
        int facing;
        ks::Position zones[4];
    } cases[] = {
        {FACING_UP, {{40, -2}, {40, 15}, {40, 21}, {0, 0}}},
        {FACING_DOWN, {{40, 25}, {40, 8}, {40, 3}, {0, 0}}},
        {FACING_RIGHT, {{66, 12}, {36, 12}, {31, 12}, {0, 0}}},
        {FACING_LEFT, {{10, 12}, {42, 12}, {49, 12}, {0, 0}}},
    };
    // by zone, then SNEAK, WALK, RUN
    const bool detected[4][3] = {
        {true, true, true}, {false, true, true}, {false, false, true}, {false, false, false}};
    Player* players[] = {newPlayerAt(HOME, SNEAK), newPlayerAt(HOME, WALK), newPlayerAt(HOME, RUN)};
    for (const auto& c : cases) {
        Zombie zombie(HOME, c.facing);
        for (int zone = 0; zone < 4; zone++)
            for (int mode = SNEAK; mode <= RUN; mode++) {
                announceMove(players[mode], c.zones[zone], &zombie);
                EXPECT_EQ(zombie.detectPlayer(), detected[zone][mode])
                    << "facing " << c.facing << ", zone " << zone << ", mode " << mode;
            }
    }
    EXPECT_TRUE(logHas("Zombie::player being watched for walking"));
    EXPECT_TRUE(logHas("Zombie::player detected for running"));
}

TEST_F(EnemyTest, StepDumpShowsThePlayerUnseenUntilItFirstMoves) {
    Player* player = newPlayerAt(ks::Position(44, 12)); // in sight and walk box
    Zombie* zombie = new Zombie(HOME, FACING_RIGHT);
    ks::LogManager::getInstance().startUp(); // empties the log
    sendSteps(zombie);
    EXPECT_FALSE(zombie->isAlerted());
    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"-------------------------", "sightbox (40 12) (70 13)",
                                        "walkbox  (34 6) (49 21)", "run box  (29 1) (53 25)",
                                        "player   (-100 -100) (-97 -97)",
                                        "Zombie    (40 12) (43 15)", "-------------------------"}));
    announceMove(player, ks::Position(44, 12), zombie);
    EXPECT_TRUE(zombie->detectPlayer());
}

TEST_F(EnemyTest, StealthKillScoresOnceAndLeavesTheWorld) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    ks::ViewObject* score = new ks::ViewObject();
    score->setViewString("Score:");
    Zombie* zombie = new Zombie(HOME, FACING_RIGHT);
    hitWithSword(zombie, 1);
    EXPECT_EQ(zombie->getHealth(), 0);
    EXPECT_TRUE(logHas("Zombie health = 45"));
    ASSERT_EQ(objectsInWorld<PopUp>().size(), 1u);
    EXPECT_EQ(objectsInWorld<PopUp>()[0]->getMessage(), "stealth kill");
    EXPECT_EQ(score->getValue(), 0);
    sendSteps(zombie);
    EXPECT_EQ(score->getValue(), 10);
    world.update();
    EXPECT_FALSE(inWorld(zombie));

    world.insertObject(zombie); // its room is entered again
    sendSteps(zombie);
    world.update();
    EXPECT_EQ(score->getValue(), 10);
    EXPECT_FALSE(inWorld(zombie));
    delete zombie;
}

TEST_F(EnemyTest, AlertedEnemyLosesSwordDamageOncePerCooldown) {
    Player* player = newPlayerAt(HOME);
    Zombie* zombie = new Zombie(HOME, FACING_RIGHT);
    alert(zombie, player);
    player->setPosition(ks::Position(70, 2));
    sendSteps(zombie, 20);
    EXPECT_EQ(zombie->getHitCountdown(), -1);

    hitWithSword(zombie, 15);
    hitWithSword(zombie, 15); // the same swing, reported again
    EXPECT_EQ(zombie->getHealth(), 30);
    for (int i = 1; i <= 45; i++) {
        sendSteps(zombie);
        EXPECT_EQ(zombie->getHitCountdown(), 15 - i % 15) << "step " << i;
        EXPECT_EQ(spriteLabel(zombie), i < 15 ? "zombie-hit" : "zombie-aggro") << "step " << i;
        if (i == 14) {
            hitWithSword(zombie, 15);
            EXPECT_EQ(zombie->getHealth(), 30);
        }
    }
    hitWithSword(zombie, 20);
    EXPECT_EQ(zombie->getHealth(), 10);
    EXPECT_TRUE(objectsInWorld<PopUp>().empty());

    // One that never noticed the player shows its normal sprite again.
    Zombie* unaware = new Zombie(ks::Position(10, 18), FACING_LEFT);
    hitWithSword(unaware, 1);
    sendSteps(unaware, 15);
    EXPECT_EQ(spriteLabel(unaware), "zombie");
}

TEST_F(EnemyTest, MissingHitSpriteIsLoggedAndTheSpriteKept) {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    Zombie* zombie = new Zombie(HOME, FACING_RIGHT);
    alert(zombie, newPlayerAt(HOME));
    ASSERT_EQ(resources.unloadSprite("zombie-hit"), 0);
    hitWithSword(zombie, 15);
    EXPECT_TRUE(logHas("Zombie::Zombie(): Warning! Sprite 'zombie-hit' not found"));
    EXPECT_EQ(spriteLabel(zombie), "zombie-aggro");
    EXPECT_EQ(zombie->getHealth(), 30);
    resources.loadSprite("sprites/zombie-hit-sprite.txt", "zombie-hit");
}

TEST_F(EnemyTest, ContactCostsThePlayerTenLessDefense) {
    Player* player = newPlayerAt(ks::Position(40, 16));
    player->setDefense(4);
    Zombie* zombie = new Zombie(HOME, FACING_DOWN);
    announceMove(player, player->getPosition(), zombie);
    for (int i = 0; i < 60 && player->getHealth() == 100; i++)
        sendSteps(zombie);
    EXPECT_EQ(player->getHealth(), 94);
    EXPECT_EQ(zombie->getPosition(), ks::Position(40, 13)); // blocked by the player
}

TEST_F(EnemyTest, ChaseStepsAlongTheLongerAxisEveryFiveSteps) {
    const struct {
        ks::Position player, next;
        int facing;
        const char* log_line;
    } cases[] = {
        {{50, 13}, {41, 12}, FACING_RIGHT, "found dx > dy for alert move dx = -10"},
        {{30, 11}, {39, 12}, FACING_LEFT, "found dx > dy for alert move dx = 10"},
        {{41, 20}, {40, 13}, FACING_DOWN, "found dx < dy for alert move dy = -8"},
        {{39, 2}, {40, 11}, FACING_UP, "found dx < dy for alert move dy = 10"},
        {{45, 17}, {40, 13}, FACING_DOWN, "found dx < dy for alert move dy = -5"}, // tie
        {{35, 7}, {40, 11}, FACING_UP, "found dx < dy for alert move dy = 5"},     // tie
        {{40, 12}, {40, 11}, FACING_UP, "found dx < dy for alert move dy = 0"},    // same cell
    };
    // Out of the world, the player reports positions but blocks nothing.
    Player* player = newPlayerAt(HOME);
    ks::WorldManager::getInstance().removeObject(player);
    for (const auto& c : cases) {
        Zombie zombie(HOME, FACING_RIGHT);
        alert(&zombie, player);
        for (int i = 0; i < 40 && zombie.getPosition() == HOME; i++)
            sendSteps(&zombie); // up to the first chase move, which reloads 5
        zombie.setPosition(HOME);
        announceMove(player, c.player, &zombie);
        sendSteps(&zombie, 4);
        EXPECT_EQ(zombie.getPosition(), HOME);
        sendSteps(&zombie);
        EXPECT_EQ(zombie.getPosition(), c.next) << c.log_line;
        EXPECT_EQ(zombie.getSpriteIndex(), c.facing) << c.log_line;
        EXPECT_TRUE(logHas(c.log_line)) << c.log_line;
    }
    delete player;
}

TEST_F(EnemyTest, WanderingMovesOneCellAtMostThirtyStepsApart) {
    Zombie* zombie = new Zombie(HOME, FACING_UP);
    ks::Position last = HOME;
    int since_move = 0, moves = 0, early_moves = 0;
    for (int i = 0; i < 600; i++, since_move++) {
        sendSteps(zombie);
        const ks::Position now = zombie->getPosition();
        if (now == last)
            continue;
        const int dx = now.getX() - last.getX(), dy = now.getY() - last.getY();
        EXPECT_EQ(abs(dx) + abs(dy), 1);
        EXPECT_EQ(zombie->getSpriteIndex(), dx > 0   ? FACING_RIGHT
                                            : dx < 0 ? FACING_LEFT
                                            : dy > 0 ? FACING_DOWN
                                                     : FACING_UP);
        EXPECT_LE(since_move, 30);
        early_moves += since_move < 30;
        moves++;
        since_move = 0;
        last = now;
    }
    EXPECT_GE(moves, 20);
    EXPECT_GT(early_moves, 0);
}
