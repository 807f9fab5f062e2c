#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EventStep.h"
#include "GameHelpers.h"
#include "Player.h"
#include "Sword.h"
#include "TestSupport.h"

class SwordTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
};

TEST_F(SwordTest, SwingHitboxesCountDownAndAreDestroyedAfterElevenSteps) {
    Player player;
    player.attack(0, 1);
    player.setAttack(40); // too late for this swing
    std::vector<Sword*> swords = worldObjectsOf<Sword>();
    ASSERT_EQ(swords.size(), 3u);
    const std::string marking = "marking object id " + std::to_string(swords[0]->getId());
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(swords[i]->getDamage(), 15);
        EXPECT_TRUE(
            logHas("created sword hitbox, id is " + std::to_string(swords[0]->getId() + i)));
    }
    for (int step = 0; step < 11; step++) {
        EXPECT_FALSE(logHas(marking + " for deletion"));
        ks::EventStep event(step);
        ks::WorldManager::getInstance().onEvent(&event);
        EXPECT_EQ(logCount("atk_timer is " + std::to_string(10 - step)), 3);
    }
    EXPECT_TRUE(logHas(marking + " for deletion"));
    ks::WorldManager::getInstance().update(); // out of the world, and destroyed there
    EXPECT_TRUE(worldObjectsOf<Sword>().empty());
    EXPECT_EQ(logCount("calling Sword deconstructor (\?\?\?)"), 3);
}
