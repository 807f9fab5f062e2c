#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventView.h"
#include "GameHelpers.h"
#include "Gameover.h"
#include "Heart.h"
#include "Map.h"
#include "Player.h"
#include "Spikes.h"
#include "Sword.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "Wall.h"

using ks::Position;
namespace Key = ks::Keyboard;

namespace {

class PlayerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
    static void key(Player& player, int key_code, int action = ks::KEY_PRESSED) {
        ks::EventKeyboard event(action, key_code);
        player.eventHandler(&event);
    }
    static void ready(Player& player) {
        while (player.getMoveCountdown() > 0)
            player.step();
    }
    static void touch(Player& player, ks::Object& other) {
        ks::EventCollision collision(&other, &player, player.getPosition());
        player.eventHandler(&collision);
    }
    static std::vector<Position> swords() {
        std::vector<Position> out;
        for (Sword* p_sword : worldObjectsOf<Sword>())
            out.push_back(p_sword->getPosition());
        return out;
    }
};

} // namespace

TEST_F(PlayerTest, KeysMoveOrSwingByTheTable) {
    struct Case {
        int key_code, action, dx, dy;
        std::vector<Position> swing; // from (39,11), whose centre cell is (40,12)
    };
    const Case cases[] = {
        {Key::W, ks::KEY_PRESSED, 0, -1, {}},
        {Key::A, ks::KEY_DOWN, -1, 0, {}},
        {Key::S, ks::KEY_PRESSED, 0, 1, {}},
        {Key::D, ks::KEY_DOWN, 1, 0, {}},
        {Key::D, ks::KEY_RELEASED, 0, 0, {}},
        {Key::RIGHTARROW, ks::KEY_DOWN, 0, 0, {{42, 12}, {43, 12}, {44, 12}}},
        {Key::LEFTARROW, ks::KEY_PRESSED, 0, 0, {{38, 12}, {37, 12}, {36, 12}}},
        {Key::UPARROW, ks::KEY_PRESSED, 0, 0, {{40, 10}, {40, 9}, {40, 8}}},
        {Key::DOWNARROW, ks::KEY_PRESSED, 0, 0, {{40, 14}, {40, 15}, {40, 16}}},
    };
    for (const Case& c : cases) {
        resetEngine();
        Player player;
        ready(player);
        key(player, c.key_code, c.action);
        EXPECT_EQ(player.getPosition(), Position(39 + c.dx, 11 + c.dy)) << "key " << c.key_code;
        EXPECT_EQ(swords(), c.swing) << "key " << c.key_code;
        EXPECT_TRUE(
            logHas("player recognized keyboard event of key " + std::to_string(c.key_code)));
    }
}

TEST_F(PlayerTest, ModesExcludeEachOtherAndSetThePace) {
    Player player;
    key(player, Key::LEFTSHIFT, ks::KEY_DOWN);
    key(player, Key::LEFTALT); // no sneaking while running
    EXPECT_EQ(player.getMoveMode(), RUN);
    key(player, Key::LEFTSHIFT, ks::KEY_RELEASED);
    key(player, Key::LEFTALT, ks::KEY_DOWN); // sneaking needs a fresh press
    EXPECT_EQ(player.getMoveMode(), WALK);
    key(player, Key::LEFTALT);
    key(player, Key::LEFTSHIFT); // no running while sneaking
    EXPECT_EQ(player.getMoveMode(), SNEAK);
    player.setPosition(Position(10, 3)); // out of the walkers' way

    // Twelve steps with D held: walking moves every 2nd step (after the first two), running
    // every step, sneaking every 3rd; a mode change frees the next move at once.
    const int mode_keys[] = {Key::UNDEFINED_KEY, Key::LEFTSHIFT, Key::LEFTALT};
    const int moves[] = {5, 12, 4};
    for (int m = 0; m < 3; m++) {
        Player* p_walker = new Player();
        key(*p_walker, mode_keys[m]);
        for (int i = 0; i < 12; i++) {
            key(*p_walker, Key::D, ks::KEY_DOWN);
            p_walker->step();
        }
        EXPECT_EQ(p_walker->getPosition().getX() - 39, moves[m]) << "mode key " << mode_keys[m];
        delete p_walker;
    }
}

TEST_F(PlayerTest, MoveIntoAWallFailsButIsStillAnnounced) {
    Player player;
    MoveListener listener;
    Wall* p_wall = new Wall(ks::Box(Position(42, 0), 2, 24));
    ready(player);
    key(player, Key::D);
    EXPECT_EQ(player.getPosition(), Position(39, 11));
    EXPECT_EQ(listener.moves, 1);
    EXPECT_EQ(player.getMoveCountdown(), 2);
    EXPECT_TRUE(logHas("moving towards vector <1, 0>, position is 39 11"));
    delete p_wall;
}

TEST_F(PlayerTest, SwingLocksMovingAndSwingingForFifteenSteps) {
    Player player;
    ready(player);
    player.attack(1, 0);
    for (int i = 0; i < 14; i++)
        player.step();
    key(player, Key::D);
    key(player, Key::UPARROW);
    EXPECT_EQ(player.getPosition(), Position(39, 11));
    EXPECT_EQ(swords().size(), 3u);
    EXPECT_FALSE(logHas("creating hitboxes 0 -1"));
    player.step(); // the fifteenth
    key(player, Key::UPARROW);
    EXPECT_EQ(swords().size(), 6u);
}

TEST_F(PlayerTest, BlowsCostTenLessDefenseAtLeastOneAndOnlyWhenVulnerable) {
    const int defenses[] = {0, 4, 10, 25};
    const int costs[] = {10, 6, 1, 1};
    for (int i = 0; i < 4; i++) {
        Player* p_player = new Player();
        ks::Object enemy;
        enemy.setType(i % 2 ? "Skeleton" : "Zombie");
        touch(*p_player, enemy); // invulnerable until the first step
        p_player->step();
        p_player->setDefense(defenses[i]);
        touch(*p_player, enemy);
        EXPECT_EQ(p_player->getHealth(), 100 - costs[i]) << "defense " << defenses[i];
        EXPECT_EQ(p_player->getHealthView()->getValue(), p_player->getHealth());
        EXPECT_TRUE(logHas("collided with Zombie; health = " + std::to_string(100 - costs[i])));
        delete p_player;
    }

    Player player;
    player.step();
    Heart* p_heart = new Heart(Position(40, 12));
    touch(player, *p_heart);
    EXPECT_EQ(player.getHealth(), 120); // healing makes invulnerable too
    ks::Object zombie;
    zombie.setType("Zombie");
    for (int i = 0; i < 10; i++)
        player.step();
    touch(player, zombie);
    EXPECT_EQ(player.getHealth(), 120);
    player.step(); // the eleventh
    touch(player, zombie);
    EXPECT_EQ(player.getHealth(), 110);
    delete p_heart;
}

TEST_F(PlayerTest, SpikesKillAndANewGameFollowsTheGameOver) {
    Map::setSeedOverride(3);
    Map* p_map = new Map();
    Map::setSeedOverride(Map::SEED_FROM_TIME);
    Player* p_player = p_map->getPlayer();
    p_player->step();
    ks::EventView score("Score:", 250, true);
    ks::WorldManager::getInstance().onEvent(&score);
    Spikes spikes(Position(40, 12));
    touch(*p_player, spikes);
    EXPECT_EQ(p_player->getHealth(), 0);

    runCycles(1); // the player's step finds health 0
    std::vector<Gameover*> screens = worldObjectsOf<Gameover>();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens.front()->getScore(), 250);
    runCycles(1);
    EXPECT_EQ(worldObjectsOf(), std::vector<ks::Object*>{screens.front()});
    runCycles(118); // 119 steps of the game-over screen
    EXPECT_EQ(worldCount("Map"), 0);
    runCycles(2);
    ASSERT_EQ(worldObjectsOf<Map>().size(), 1u);
    EXPECT_TRUE(worldObjectsOf<Gameover>().empty());
    EXPECT_EQ(worldObjectsOf<Map>().front()->getFloor(), 2); // floor 1 is being played
    std::vector<Player*> players = worldObjectsOf<Player>();
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players.front()->getPosition(), Position(39, 11));
    EXPECT_EQ(players.front()->getHealth(), 100);
    EXPECT_EQ(players.front()->getScoreView()->getValue(), 0);
}
