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

// A game of seed 3 recorded in the window (tools/record-route.py): the player sneaks up, right,
// right and up to the ladder, lands in floor 2's centre room, sneaks through its right-hand
// doorway and stands at the left edge of the next room. Its enemies were made with the floor,
// and the landing spot in the centre room was the last position broadcast while they stood in
// the world before it was swapped in; one of them looks up the column of that spot. Replayed
// cycle by cycle, every enemy that turns alerted must have been told where the player is.
TEST_F(EnemyTest, NoEnemyNoticesThePlayerBeforeItIsToldWhereThePlayerIs) {
    ks::Replay replay;
    ASSERT_EQ(replay.load(MURKVAULT_SOURCE_DIR "/tests/data/routes/seed-3-floor-2.rpl"), 0);
    Map::setNextSeed(replay.getSeed());
    ks::GameManager& game = ks::GameManager::getInstance();
    ks::InputManager::getInstance().startReplay(&replay);
    populateWorld();
    std::set<int> alerted; // by id
    int cycles_in_room = 0;
    for (int cycle = 0; !game.getGameOver() && cycle <= replay.getLastCycle(); cycle++) {
        game.setStepCount(cycle);
        game.cycle();
        Map* p_map = mapInWorld();
        if (!p_map || !p_map->getPlayer())
            continue;
        const Player* p_player = p_map->getPlayer();
        for (Enemy* p_enemy : objectsInWorld<Enemy>()) {
            if (!p_enemy->isAlerted() || !alerted.insert(p_enemy->getId()).second)
                continue;
            const ks::Position told = p_enemy->getPlayerPosition();
            const ks::Position real = p_player->getPosition();
            EXPECT_TRUE(told == real)
                << p_enemy->getType() << " at " << p_enemy->getPosition().getX() << ","
                << p_enemy->getPosition().getY() << " alerted in cycle " << cycle << " told "
                << told.getX() << "," << told.getY() << ", the player at " << real.getX() << ","
                << real.getY();
        }
        if (p_map->getFloor() == 3 && p_map->getCurrentRoom() == p_map->getRoom(1, 2))
            cycles_in_room++;
    }
    ks::InputManager::getInstance().startReplay(nullptr);
    EXPECT_GT(cycles_in_room, 60) << "the route no longer leads to floor 2's room (1,2)";
}

// Its room swapped in or out, an enemy forgets where the player was: a chaser then stands
// until the player's next move tells it where to go.
TEST_F(EnemyTest, ARoomSwapMakesAnEnemyForgetThePlayerAndAChaserWaitsForTheNextMove) {
    Player* player = newPlayerAt(ks::Position(50, 12));
    Zombie zombie(HOME, FACING_RIGHT);
    announceMove(player, ks::Position(50, 12), &zombie);
    sendSteps(&zombie);
    ASSERT_TRUE(zombie.isAlerted());
    EventRoomSwap swapped(NORTH);
    zombie.eventHandler(&swapped);
    EXPECT_FALSE(zombie.knowsPlayer());
    sendSteps(&zombie, 40);
    EXPECT_EQ(zombie.getPosition(), HOME);
    announceMove(player, ks::Position(50, 12), &zombie);
    sendSteps(&zombie);
    EXPECT_EQ(zombie.getPosition(), ks::Position(41, 12));
}
