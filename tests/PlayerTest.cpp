#include "GameHelpers.h"

using ks::Position;
namespace Key = ks::Keyboard;
const int PRESS = ks::KEY_PRESSED, HOLD = ks::KEY_DOWN, RELEASE = ks::KEY_RELEASED;

class PlayerTest : public GameTest {};

TEST_F(PlayerTest, KeysMoveSwingOrSwitchModesAndASwingLocksForFifteenSteps) {
    // The key and its action; the step of a move, or the direction of a swing.
    const std::tuple<int, int, int, int, bool> cases[] = {
        {Key::W, PRESS, 0, -1, false},        {Key::A, HOLD, -1, 0, false},
        {Key::S, PRESS, 0, 1, false},         {Key::D, HOLD, 1, 0, false},
        {Key::D, RELEASE, 0, 0, false},       {Key::RIGHTARROW, HOLD, 1, 0, true},
        {Key::LEFTARROW, PRESS, -1, 0, true}, {Key::UPARROW, PRESS, 0, -1, true},
        {Key::DOWNARROW, PRESS, 0, 1, true}};
    for (const auto& [key_code, action, dx, dy, swing] : cases) {
        resetEngine();
        Player player; // at (39,11), centre cell (40,12)
        ready(&player);
        key(&player, key_code, action);
        std::vector<Position> swords, cells; // three hitboxes running out from the centre
        for (Sword* p_sword : objectsInWorld<Sword>())
            swords.push_back(p_sword->getPosition());
        for (int k = 2; swing && k <= 4; k++)
            cells.push_back(Position(40 + k * dx, 12 + k * dy));
        EXPECT_EQ(swords, cells) << "key " << key_code;
        const Position moved(39 + dx * !swing, 11 + dy * !swing);
        EXPECT_EQ(player.getPosition(), moved) << "key " << key_code;
        if (!swing)
            continue;
        for (int i = 0; i < 14; i++)
            player.step();
        key(&player, Key::S);
        key(&player, key_code);
        EXPECT_EQ(player.getPosition(), moved);
        EXPECT_EQ(objectsInWorld<Sword>().size(), 3u);
        player.step(); // the fifteenth
        key(&player, key_code);
        EXPECT_EQ(objectsInWorld<Sword>().size(), 6u);
    }
    // Modes: facing a wall, each move fails, yet is announced and reloads the countdown.
    resetEngine();
    Player player;
    Recorder listener;
    Wall::spawn(ks::Box(Position(42, 0), 2, 24));
    const std::tuple<int, int, int> modes[] = {
        {Key::LEFTSHIFT, HOLD, RUN},  {Key::LEFTALT, PRESS, RUN},   {Key::LEFTSHIFT, RELEASE, WALK},
        {Key::LEFTALT, HOLD, WALK},   {Key::LEFTALT, PRESS, SNEAK}, {Key::LEFTSHIFT, PRESS, SNEAK},
        {Key::LEFTALT, RELEASE, WALK}};
    int mode = WALK;
    for (const auto& [key_code, action, new_mode] : modes) {
        ready(&player);
        key(&player, Key::D);
        key(&player, key_code, action);
        EXPECT_EQ(player.getMoveMode(), new_mode) << key_code << " " << action;
        // The pace: SNEAK 3 steps a move, WALK 2, RUN 1.
        EXPECT_EQ(player.getMoveCountdown(), new_mode != mode ? 0 : 3 - new_mode) << key_code;
        mode = new_mode;
    }
    EXPECT_EQ(player.getPosition(), Position(39, 11));
    EXPECT_EQ(std::count(listener.events.begin(), listener.events.end(), "player-move"), 7);
}

TEST_F(PlayerTest, BlowsCostTenLessDefenseAtLeastOneAndNothingWhileInvulnerable) {
    Player player;
    Zombie zombie(Position(10, 3), FACING_UP);
    Skeleton skeleton(Position(20, 3), FACING_UP);
    const int defenses[] = {0, 4, 10}, health[] = {90, 84, 83};
    for (int i = 0; i < 3; i++) {
        for (int step = 0; step < 11; step++) // ten steps of invulnerability after a blow
            player.step();
        player.setDefense(defenses[i]);
        touch(i == 1 ? static_cast<ks::Object*>(&skeleton) : &zombie, &player);
        EXPECT_EQ(player.getHealth(), health[i]) << "defense " << defenses[i];
    }
    Heart heart(Position(60, 3));
    touch(&heart, &player); // within the invulnerability: used up for nothing
    for (int step = 0; step < 10; step++)
        player.step();
    touch(&zombie, &player);
    EXPECT_EQ(player.getHealth(), 83);
}

TEST_F(PlayerTest, DeathLeadsThroughTheGameOverToANewGameButQDoesNot) {
    Player* p_player = newMap(3)->getPlayer();
    p_player->step();
    Spikes spikes(Position(40, 12));
    touch(&spikes, p_player);
    runCycles(1); // the player's step finds health 0
    EXPECT_EQ(objectsInWorld<Gameover>().size(), 1u);
    runCycles(119); // 119 steps of the game-over screen
    EXPECT_TRUE(objectsInWorld<Map>().empty());
    runCycles(2);
    ASSERT_EQ(objectsInWorld<Map>().size(), 1u);
    EXPECT_EQ(objectsInWorld<Map>().front()->getFloor(), 2); // floor 1 is being played
    p_player = objectsInWorld<Map>().front()->getPlayer();
    EXPECT_EQ(p_player->getPosition(), Position(39, 11));
    EXPECT_EQ(p_player->getHealth(), 100);
    EXPECT_EQ(p_player->getScoreView()->getValue(), 0);
    key(p_player, Key::Q);
    runCycles(3);
    EXPECT_TRUE(objectsInWorld<Player>().empty() && objectsInWorld<Gameover>().empty());
}
