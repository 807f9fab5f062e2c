#include "GameHelpers.h"

class SkeletonTest : public GameTest {};

TEST_F(SkeletonTest, ShootsFromTwoCellsBeyondItsCentreAtOnceThenEveryThirtyStepsUnlikeAZombie) {
    // By facing: the player in the line of sight, the arrow's start cell and direction.
    const std::tuple<int, ks::Position, ks::Position, int> cases[] = {
        {FACING_UP, {40, -2}, {41, 11}, SOUTH},
        {FACING_DOWN, {40, 25}, {41, 15}, NORTH},
        {FACING_RIGHT, {66, 12}, {43, 13}, EAST},
        {FACING_LEFT, {10, 12}, {39, 13}, WEST}};
    Player* player = newPlayerAt(ks::Position(40, 12));
    for (const auto& [facing, player_place, start, direction] : cases) {
        Skeleton skeleton(ks::Position(40, 12), facing);
        Zombie zombie(ks::Position(40, 12), facing);
        announceMove(player, player_place, &skeleton);
        announceMove(player, player_place, &zombie);
        const size_t before = objectsInWorld<Arrow>().size();
        ks::Random::getInstance().seed(1); // the skeleton does not wander off on its first step
        // After so many steps, so many arrows shot: at once, then every 30 steps.
        const std::pair<int, size_t> shots[] = {{1, 1}, {30, 1}, {31, 2}, {60, 2}, {61, 3}};
        for (int step = 1, i = 0; step <= 61; step++) {
            sendSteps(&skeleton);
            sendSteps(&zombie);
            if (step == shots[i].first) {
                ASSERT_EQ(objectsInWorld<Arrow>().size(), before + shots[i++].second) << step;
            }
        }
        EXPECT_EQ(objectsInWorld<Arrow>()[before]->getPosition(), start) << "facing " << facing;
        EXPECT_EQ(objectsInWorld<Arrow>()[before]->getDirection(), direction) << facing;
    }
}
