#include "GameHelpers.h"

using DisposalTest = GameTest;

TEST_F(DisposalTest, SpentSwordsArrowsAndPopUpsAreDestroyed) {
    Player* p_player = new Player();
    Wall::spawn(ks::Box(ks::Position(60, 0), 2, 24));
    const int before = live();
    Arrow::spawn(ks::Position(50, 5), EAST);  // into the wall
    Arrow::spawn(ks::Position(75, 15), EAST); // out through the right edge
    Arrow::spawn(ks::Position(20, 3), SOUTH); // out through the top edge
    PopUp::spawn("health acquired");
    // After so many cycles, so many of these alive: the three hitboxes of a swing in cycle 43 are
    // marked at their eleventh step, the pop-up at its 122nd, and each goes at the next update.
    const std::pair<int, int> TIMELINE[] = {{2, 4}, {42, 1}, {53, 4}, {54, 1}, {122, 1}, {123, 0}};
    int cycle = 0;
    for (const auto& [until, alive] : TIMELINE) {
        for (; cycle < until; cycle++) {
            if (cycle == 42)
                p_player->attack(1, 0);
            runCycles(1);
        }
        EXPECT_EQ(live(), before + alive) << "after " << cycle << " cycles";
    }
    EXPECT_EQ(logCount("calling Sword deconstructor (\?\?\?)"), 3); // escaped: no trigraph
}

// Also: a key held just after death must not swap rooms, which would take the game-over screen
// out with the room and leave no next game.
TEST_F(DisposalTest, ANewGameDestroysThePreviousGameWithItsScreens) {
    const int empty = live();
    Map::setNextSeed(8);
    populateWorld();
    runCycles(124); // the title screen starts the game at its 122nd step
    Map* p_map = mapInWorld();
    ASSERT_NE(p_map, nullptr);
    EXPECT_EQ(unaccountedObjects(p_map), 0); // the title screen is gone
    const int first_game = live();
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
    Map::setNextSeed(8);          // the next game is built from the same seed
    runCycles(121);               // the game-over screen starts a new game at its 120th step
    ASSERT_NE(p_map = mapInWorld(), nullptr);
    EXPECT_EQ(unaccountedObjects(p_map), 0);
    EXPECT_EQ(live(), first_game); // the same floor 1 from the same seed
}
