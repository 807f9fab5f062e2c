#include "GameHelpers.h"

using ks::Position;
namespace Key = ks::Keyboard;
const int PRESS = ks::KEY_PRESSED, HOLD = ks::KEY_DOWN, RELEASE = ks::KEY_RELEASED;

class PlayerTest : public GameTest {};

// The player starts at (39,11); its centre cell is (40,12). (Moves and swings made with the keys
// are played in the golden games and pressed in the real window end to end.)
TEST_F(PlayerTest, ASwingPutsThreeHitboxesOutFromTheCentreAndLocksForFifteenSteps) {
    Player player;
    ready(&player);
    key(&player, Key::LEFTARROW);
    std::vector<Position> swords;
    for (Sword* p_sword : objectsInWorld<Sword>())
        swords.push_back(p_sword->getPosition());
    EXPECT_EQ(swords, (std::vector<Position>{{38, 12}, {37, 12}, {36, 12}}));
    for (int i = 0; i < 14; i++)
        player.step();
    key(&player, Key::S);
    key(&player, Key::UPARROW);
    EXPECT_EQ(player.getPosition(), Position(39, 11));
    EXPECT_EQ(objectsInWorld<Sword>().size(), 3u);
    player.step(); // the fifteenth
    key(&player, Key::UPARROW);
    EXPECT_EQ(objectsInWorld<Sword>().size(), 6u);
}

// Facing a wall, each move fails, yet is announced and reloads the countdown of its mode.
TEST_F(PlayerTest, ModeKeysActOnlyFromWalkingAndSetThePace) {
    Player player;
    Recorder listener;
    Wall::spawn(ks::Box(Position(42, 0), 2, 24));
    // The key and its action; the mode then, and the steps to the next move after a move in it.
    const std::tuple<int, int, int, int> modes[] = {
        {Key::LEFTSHIFT, HOLD, RUN, 1},     {Key::LEFTALT, PRESS, RUN, 1},
        {Key::LEFTSHIFT, RELEASE, WALK, 2}, {Key::LEFTALT, HOLD, WALK, 2},
        {Key::LEFTALT, PRESS, SNEAK, 3},    {Key::LEFTSHIFT, PRESS, SNEAK, 3},
        {Key::LEFTALT, RELEASE, WALK, 2}};
    for (const auto& [key_code, action, mode, pace] : modes) {
        ready(&player);
        key(&player, key_code, action);
        EXPECT_EQ(player.getMoveMode(), mode) << key_code << " " << action;
        key(&player, Key::D);
        EXPECT_EQ(player.getMoveCountdown(), pace) << key_code << " " << action;
    }
    EXPECT_EQ(player.getPosition(), Position(39, 11));
    EXPECT_EQ(std::count(listener.events.begin(), listener.events.end(), "player-move"), 7);
}

// A blow costs 10 less the defence, at least 1, and nothing during the ten steps after one; a
// heart picked up within them is spent for nothing.
TEST_F(PlayerTest, BlowsCostTenLessDefenseAtLeastOneAndNothingWhileInvulnerable) {
    Player player;
    Zombie zombie(Position(10, 3), FACING_UP);
    const int defenses[] = {0, 4, 10}, health[] = {90, 84, 83};
    for (int i = 0; i < 3; i++) {
        for (int step = 0; step < 11; step++)
            player.step();
        player.setDefense(defenses[i]);
        touch(&zombie, &player);
        EXPECT_EQ(player.getHealth(), health[i]) << "defense " << defenses[i];
    }
    Heart heart(Position(60, 3));
    touch(&heart, &player);
    for (int step = 0; step < 10; step++)
        player.step();
    touch(&zombie, &player);
    EXPECT_EQ(player.getHealth(), 83);
}

// Q: the player leaves the world for good, and the bottom line says so and names the way out for
// as long as the game goes on; the other keys and a deadly blow do nothing more.
TEST_F(PlayerTest, QLeavesTheWorldWithALastingLineThatEscapeQuits) {
    Map* p_map = newMap(3);
    Player* p_player = p_map->getPlayer();
    runCycles(2);
    key(p_player, Key::Q);
    key(p_player, Key::D);
    p_player->setHealth(0, false); // spikes in the same cycle: it had left already
    runCycles(300);
    EXPECT_FALSE(inWorld(p_player));
    EXPECT_EQ(p_player->getPosition(), Position(39, 11));
    EXPECT_TRUE(objectsInWorld<Gameover>().empty());
    EXPECT_EQ(shownRow(22).substr(15, 52), "You have left the world for good. Press Esc to quit.");
}
