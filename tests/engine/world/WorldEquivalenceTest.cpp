// The world's grid against its brute-force reference: random worlds (RandomWorld) of 1,000 and
// 5,000 objects through 50 updates each way must tell every object the same events in the same
// order and write the same log, line for line.
#include "LogManager.h"
#include "RandomWorld.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace {

const int UPDATES = 50;

struct Outcome {
    std::vector<RandomWorld::Told> trace;
    std::vector<std::string> log;
};

} // namespace

class WorldManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // The longer run writes more than the cap: the whole log must stay in one file.
        ks::LogManager::getInstance().setMaxFileSize(1L << 40);
    }
    static Outcome run(int count, unsigned seed, bool brute_force) {
        resetEngine();
        ks::WorldManager& world = ks::WorldManager::getInstance();
        world.setBruteForce(brute_force);
        Outcome result;
        {
            RandomWorld motes(count, seed, &result.trace);
            for (int i = 0; i < UPDATES; i++)
                world.update();
        }
        result.log = logLines();
        return result;
    }
    static void expectSame(int count, unsigned seed) {
        const Outcome reference = run(count, seed, true);
        const Outcome grid = run(count, seed, false);
        ASSERT_GT(reference.trace.size(), static_cast<size_t>(count)) << "too few events to judge";
        ASSERT_EQ(grid.trace.size(), reference.trace.size());
        for (size_t i = 0; i < reference.trace.size(); i++) {
            const RandomWorld::Told& a = reference.trace[i];
            const RandomWorld::Told& b = grid.trace[i];
            ASSERT_TRUE(a == b) << "event " << i << ": mote " << a.mote << " told " << a.event
                                << " with " << a.other << " at " << a.x << "," << a.y
                                << " by the reference, mote " << b.mote << " told " << b.event
                                << " with " << b.other << " at " << b.x << "," << b.y
                                << " by the grid";
        }
        ASSERT_EQ(grid.log.size(), reference.log.size());
        for (size_t i = 0; i < reference.log.size(); i++)
            ASSERT_EQ(grid.log[i], reference.log[i]) << "log line " << i;
    }
};

TEST_F(WorldManagerTest, GridTellsTheSameEventsAndWritesTheSameLogAsBruteForce) {
    expectSame(1000, 11);
    expectSame(5000, 12);
}
