#include <cstdlib>
#include <string>

#include "Arrow.h"
#include "Direction.h"
#include "GameplayHelpers.h"
#include "ResourceManager.h"
#include "Skeleton.h"
#include "Zombie.h"

namespace {

const ks::Position HOME(40, 12);

class SkeletonTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
        srand(1); // with this seed a new enemy does not move on its first step
    }
};

} // namespace

TEST_F(SkeletonTest, ShootsFromTwoCellsBeyondItsCentreForEachFacing) {
    const struct {
        int facing;
        ks::Position player, arrow_start; // player in the line of sight
        int arrow_direction;
    } cases[] = {
        {FACING_UP, {40, -2}, {41, 11}, SOUTH},
        {FACING_DOWN, {40, 25}, {41, 15}, NORTH},
        {FACING_RIGHT, {66, 12}, {43, 13}, EAST},
        {FACING_LEFT, {10, 12}, {39, 13}, WEST},
    };
    Player* player = newPlayerAt(HOME);
    for (const auto& c : cases) {
        Skeleton skeleton(HOME, c.facing);
        announceMove(player, c.player, &skeleton);
        const size_t before = objectsInWorld<Arrow>().size();
        EXPECT_TRUE(skeleton.detectPlayer());
        EXPECT_TRUE(skeleton.detectPlayer()); // still seen, not reloaded
        std::vector<Arrow*> arrows = objectsInWorld<Arrow>();
        ASSERT_EQ(arrows.size(), before + 1) << "facing " << c.facing;
        EXPECT_EQ(arrows.back()->getPosition(), c.arrow_start) << "facing " << c.facing;
        EXPECT_EQ(arrows.back()->getDirection(), c.arrow_direction) << "facing " << c.facing;
    }
    EXPECT_EQ(logCount("Skeleton::player detected by line of sight"), 8);
}

TEST_F(SkeletonTest, ShootsAtOnceThenEveryThirtyStepsWhileThePlayerIsInSight) {
    Player* player = newPlayerAt(HOME);
    ks::WorldManager::getInstance().removeObject(player);
    Skeleton* skeleton = new Skeleton(HOME, FACING_RIGHT);
    announceMove(player, ks::Position(60, 12), skeleton);
    for (int i = 0; i <= 60; i++) {
        sendSteps(skeleton);
        EXPECT_EQ(objectsInWorld<Arrow>().size(), 1u + i / 30) << "step " << i;
    }
    EXPECT_TRUE(skeleton->isAlerted());
    EXPECT_EQ(skeleton->getFacing(), FACING_RIGHT);
    delete player;
}

TEST_F(SkeletonTest, ZombieNeverShootsAndRoarsOnlyOnFirstDetection) {
    ks::ResourceManager& resources = ks::ResourceManager::getInstance();
    // With the roars unregistered, each roar shows as a failed look-up.
    const std::string roars[] = {"zombie1", "zombie2", "zombie3"};
    for (const std::string& roar : roars)
        resources.unloadSound(roar);
    Player* player = newPlayerAt(HOME);
    ks::WorldManager::getInstance().removeObject(player);
    Zombie* zombie = new Zombie(HOME, FACING_RIGHT);
    for (int i = 0; i < 90; i++) {
        announceMove(player, ks::Position(zombie->getPosition().getX() + 20, 12), zombie);
        sendSteps(zombie);
    }
    int roar_lookups = 0;
    for (const std::string& roar : roars) {
        roar_lookups +=
            logCount("ResourceManager::getSound(): Sound with label " + roar + " not found");
        resources.loadSound("sounds/" + roar + ".wav", roar);
    }
    EXPECT_TRUE(zombie->isAlerted());
    EXPECT_EQ(roar_lookups, 1);
    EXPECT_TRUE(objectsInWorld<Arrow>().empty());
    delete player;
}
