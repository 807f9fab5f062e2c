#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Clock.h"
#include "EventStep.h"
#include "GameManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::GameManager;
using ks::Position;

namespace {

// A fake millisecond clock that only moves when a test moves it.
long fake_now = 0;
long fakeTime() {
    return fake_now;
}

std::vector<std::string> trace;

// Writes what happens to it into the trace; ends the game at a given step and can make a cycle
// take a given number of fake milliseconds.
class Probe : public ks::Object {
public:
    Probe(int last_step, long cycle_ms = 0) : last(last_step), cost(cycle_ms) {
        setType("Probe");
        setSolidness(ks::SPECTRAL);
        setXVelocity(1);
    }
    int eventHandler(const ks::Event* p_event) override {
        if (p_event->getType() != ks::STEP_EVENT)
            return 0;
        int step = static_cast<const ks::EventStep*>(p_event)->getStepCount();
        steps.push_back(step);
        trace.push_back("step x=" + std::to_string(getPosition().getX()));
        fake_now += cost;
        if (step == last)
            GameManager::getInstance().setGameOver(true);
        return 1;
    }
    void draw() override { trace.push_back("draw"); }

    std::vector<int> steps;
    int last;
    long cost;
};

} // namespace

class GameLoopTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        trace.clear();
        fake_now = 1000;
        ks::Clock::setTimeSource(fakeTime);
    }
    void TearDown() override { ks::Clock::setTimeSource(nullptr); }
};

TEST_F(GameLoopTest, StepEventsCarryTheCycleNumberFromZero) {
    Probe probe(4, ks::FRAME_TIME);
    GameManager::getInstance().run();
    EXPECT_EQ(probe.steps, (std::vector<int>{0, 1, 2, 3, 4}));
    // The cycle that set game over was finished: its step count was incremented.
    EXPECT_EQ(GameManager::getInstance().getStepCount(), 5);
}

TEST_F(GameLoopTest, ObjectsMoveBeforeTheirStepAndAreDrawnAfterIt) {
    Probe probe(1, ks::FRAME_TIME);
    probe.setBox(ks::Box(Position(0, 0), 1, 1));
    GameManager::getInstance().run();
    EXPECT_EQ(trace, (std::vector<std::string>{"step x=1", "draw", "step x=2", "draw"}));
}

TEST_F(GameLoopTest, ObjectMarkedDuringACycleIsDrawnUntilTheNextUpdate) {
    class Leaver : public ks::Object {
    public:
        Leaver() { setBox(ks::Box(Position(0, 0), 1, 1)); }
        int eventHandler(const ks::Event* p_event) override {
            if (p_event->getType() == ks::STEP_EVENT) {
                steps++;
                ks::WorldManager::getInstance().markForDelete(this);
            }
            return 0;
        }
        void draw() override { draws++; }
        int steps = 0;
        int draws = 0;
    };
    Probe ender(2, ks::FRAME_TIME);
    Leaver leaver;
    GameManager::getInstance().run();
    EXPECT_EQ(leaver.steps, 1);
    EXPECT_EQ(leaver.draws, 1);
}

TEST_F(GameLoopTest, CyclesLineOncePerThirtyCycles) {
    Probe probe(61, ks::FRAME_TIME);
    GameManager::getInstance().run();
    EXPECT_TRUE(logHas("GameManager::run(): 0 cycles (0 seconds) executed"));
    EXPECT_TRUE(logHas("GameManager::run(): 30 cycles (1 seconds) executed"));
    EXPECT_TRUE(logHas("GameManager::run(): 60 cycles (2 seconds) executed"));
    int cycle_lines = 0;
    for (const std::string& line : logLines())
        if (line.find(" cycles (") != std::string::npos)
            cycle_lines++;
    EXPECT_EQ(cycle_lines, 3);
}

TEST_F(GameLoopTest, OverrunIsLoggedWithItsLength) {
    Probe probe(0, 40);
    GameManager::getInstance().run();
    EXPECT_TRUE(logHas("GameManager::run(): cycle 0 missed deadline by 7 ms, consider lowering "
                       "frame rate"));
}

TEST_F(GameLoopTest, ACycleOfExactlyOneFrameIsNoOverrun) {
    Probe probe(2, ks::FRAME_TIME);
    GameManager::getInstance().run();
    for (const std::string& line : logLines())
        EXPECT_EQ(line.find("missed deadline"), std::string::npos) << line;
}

TEST_F(GameLoopTest, FrameTimeIsAThirtiethOfASecond) {
    EXPECT_EQ(ks::FRAME_TIME, 33);
    EXPECT_EQ(GameManager::getInstance().getFrameTime(), 33);
}

TEST(Clock, MeasuresIntervalsWithoutWrapping) {
    ks::Clock::setTimeSource(fakeTime);
    // Just before the top of an hour and just after it: a plain difference.
    fake_now = 3599990;
    ks::Clock clock;
    fake_now = 3600005;
    EXPECT_EQ(clock.split(), 15);
    EXPECT_EQ(clock.split(), 15);
    EXPECT_EQ(clock.delta(), 15);
    EXPECT_EQ(clock.split(), 0);
    ks::Clock::setTimeSource(nullptr);
}

TEST(Clock, RealClockNeverRunsBackwards) {
    ks::Clock clock;
    long previous = 0;
    for (int i = 0; i < 1000; i++) {
        long now = clock.split();
        EXPECT_GE(now, previous);
        previous = now;
    }
    ks::Clock::sleep(2);
    EXPECT_GE(clock.delta(), 2);
}
