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
