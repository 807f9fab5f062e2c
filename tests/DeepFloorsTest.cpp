#include <chrono>
#include <cstdio>

#include "LongPlayHelpers.h"

using DeepFloorsTest = LongPlayTest;

// Crowded deep rooms make the generator give up on places instead of searching forever; each
// floor (built, then the previous one destroyed) must stay far below a second.
TEST_F(DeepFloorsTest, FloorsOneToFortyEachBuildWellUnderASecond) {
    double worst = 0;
    int worst_floor = 0;
    for (long seed = 1; seed <= 3; seed++) {
        resetEngine();
        ks::LogManager::getInstance().shutDown(); // the log would only measure the disk
        Map* p_map = nullptr;
        for (int f = 1; f <= 40; f++) {
            const auto start = std::chrono::steady_clock::now();
            if (f == 1)
                p_map = newMap(seed);
            else
                p_map->generateFloor();
            updateWorld();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            worst_floor = took.count() > worst ? f : worst_floor;
            worst = std::max(worst, took.count());
            ASSERT_EQ(unaccountedObjects(p_map), 0) << "seed " << seed << " floor " << f;
        }
    }
    printf("Deep floors: 3 seeds x 40 floors; worst floor %d took %.1f ms\n", worst_floor,
           worst * 1000);
    EXPECT_LT(worst, 1.0);
}
