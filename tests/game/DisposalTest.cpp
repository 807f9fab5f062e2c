#include "GameHelpers.h"

using DisposalTest = GameTest;

// A key held just after death must not swap rooms, which would take the game-over screen out
// with the room and leave no next game. (That a new game leaves nothing of the one before it
// alive, SoakTest checks game after game.)
TEST_F(DisposalTest, AKeyHeldJustAfterDeathLeavesTheGameoverScreenToStartTheNextGame) {
    const int empty = live();
    Map::setNextSeed(8);
    populateWorld();
    runCycles(124); // the title screen starts the game at its 122nd step
    Map* p_map = mapInWorld();
    ASSERT_NE(p_map, nullptr);
    Player* p_player = p_map->getPlayer();
    ready(p_player);
    p_player->setPosition(ks::Position(39, 2)); // one step below the north doorway
    p_player->setInvulnerable(false);
    p_player->setHealth(0, false);
    runCycles(1);
    key(p_player, ks::Keyboard::W, ks::KEY_DOWN);
    EXPECT_EQ(p_player->getPosition(), ks::Position(39, 2));
    runCycles(3); // the map, rooms and walls; the player; its displays: one update each
    EXPECT_EQ(live(), empty + 1); // the game-over screen
    runCycles(121);               // the game-over screen starts a new game at its 120th step
    EXPECT_NE(mapInWorld(), nullptr);
}
