#include "GameHelpers.h"

class SkeletonTest : public GameTest {};

TEST_F(SkeletonTest, ShootsFromTwoCellsBeyondItsCentreAtOnceThenEveryThirtyStepsUnlikeAZombie) {
    // By facing: the player in the line of sight, the arrow's start cell and direction.
    const std::tuple<int, ks::Position, ks::Position, int> cases[] = {
        {FACING_UP, {40, -2}, {41, 11}, SOUTH},
        {FACING_DOWN, {40, 25}, {41, 15}, NORTH},
        {FACING_RIGHT, {66, 12}, {43, 13}, EAST},
        {FACING_LEFT, {10, 12}, {39, 13}, WEST}};
    // With the zombies' roars unregistered, each roar shows as a failed look-up.
    const std::string roars[] = {"zombie1", "zombie2", "zombie3"};
    for (const std::string& roar : roars)
        ks::ResourceManager::getInstance().unloadSound(roar);
    Player* player = newPlayerAt(ks::Position(40, 12));
    for (const auto& [facing, player_place, start, direction] : cases) {
        Skeleton skeleton(ks::Position(40, 12), facing);
        Zombie zombie(ks::Position(40, 12), facing);
        announceMove(player, player_place, &skeleton);
        announceMove(player, player_place, &zombie);
        const size_t before = objectsInWorld<Arrow>().size();
        srand(1); // the skeleton does not wander off on its first step
        for (int i = 0; i <= 60; i++) {
            sendSteps(&skeleton);
            sendSteps(&zombie);
            ASSERT_EQ(objectsInWorld<Arrow>().size(), before + 1 + i / 30) << facing << " " << i;
        }
        EXPECT_EQ(objectsInWorld<Arrow>()[before]->getPosition(), start) << "facing " << facing;
        EXPECT_EQ(objectsInWorld<Arrow>()[before]->getDirection(), direction) << facing;
    }
    int roars_played = 0;
    for (const std::string& roar : roars) {
        roars_played +=
            logCount("ResourceManager::getSound(): Sound with label " + roar + " not found");
        ks::ResourceManager::getInstance().loadSound("sounds/" + roar + ".wav", roar);
    }
    EXPECT_EQ(roars_played, 4); // each zombie roars on its first detection only
}
