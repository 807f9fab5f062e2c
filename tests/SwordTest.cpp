#include "GameHelpers.h"

class SwordTest : public GameTest {};

TEST_F(SwordTest, HitboxesCountDownElevenStepsThenAreMarkedForDeletion) {
    Player player;
    player.attack(0, 1);
    std::vector<Sword*> swords = objectsInWorld<Sword>();
    ASSERT_EQ(swords.size(), 3u);
    const std::string marked = "marking object id " + std::to_string(swords[0]->getId());
    ks::EventStep step;
    for (int i = 0; i < 11; i++) {
        EXPECT_FALSE(logHas(marked + " for deletion"));
        ks::WorldManager::getInstance().onEvent(&step);
        EXPECT_EQ(logCount("atk_timer is " + std::to_string(10 - i)), 3);
    }
    EXPECT_TRUE(logHas(marked + " for deletion"));
}

TEST_F(SwordTest, BladesInTheTopRowNeverCoverTheHealthOrScore) {
    // A swing upwards from beside the top wall puts blades in row 0, where the displays are;
    // the blades are created after the displays, at the same altitude.
    Player player;
    for (int x = 0; x < 80; x++)
        Sword::spawn(15, ks::Position(x, 0));
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(0), "//Health: 100" + std::string(57, '/') + "Score: 0//");
}
