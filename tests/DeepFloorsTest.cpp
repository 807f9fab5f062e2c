#include <chrono>
#include <cstdio>

#include "LogManager.h"
#include "LongPlayHelpers.h"
#include "TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

class DeepFloorsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
    void TearDown() override {
        Map::setSeedOverride(Map::SEED_FROM_TIME);
        ks::LogManager::getInstance().startUp();
    }
};

// Crowded deep rooms make the generator give up on places instead of searching forever; each
// floor (built, then the previous one destroyed) must stay far below a second.
TEST_F(DeepFloorsTest, FloorsOneToFortyEachBuildWellUnderASecond) {
    // The log would only measure the disk; the generator's warnings are tested elsewhere.
    ks::LogManager::getInstance().shutDown();
    double worst = 0;
    int worst_floor = 0;
    double total = 0;
    for (long seed = 1; seed <= 3; seed++) {
        resetEngine();
        ks::LogManager::getInstance().shutDown();
        Map::setSeedOverride(seed);
        Clock::time_point start = Clock::now();
        Map* p_map = new Map();
        ks::WorldManager::getInstance().update();
        for (int f = 1; f <= 40; f++) {
            if (f > 1) {
                start = Clock::now();
                p_map->generateFloor();
                ks::WorldManager::getInstance().update();
            }
            const double seconds = secondsSince(start);
            total += seconds;
            if (seconds > worst) {
                worst = seconds;
                worst_floor = f;
            }
            // The previous floor is gone: everything alive is in the world or in a room.
            ASSERT_EQ(unaccountedObjects(p_map), 0) << "seed " << seed << " floor " << f;
        }
        EXPECT_EQ(p_map->getFloor(), 41);
    }
    printf("Deep floors: 3 seeds x 40 floors built in %.3f s; worst floor %d took %.1f ms\n", total,
           worst_floor, worst * 1000);
#if defined(__SANITIZE_ADDRESS__)
    const double LIMIT = 5.0; // sanitizers slow everything down several times
#else
    const double LIMIT = 1.0;
#endif
    EXPECT_LT(worst, LIMIT);
}
