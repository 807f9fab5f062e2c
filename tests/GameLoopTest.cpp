// The game loop on a fake clock: cycle order, step numbers and the timing lines.
#include "Clock.h"
#include "EventStep.h"
#include "GameManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using Strings = std::vector<std::string>;

// A fake millisecond clock that only moves when a test moves it.
static long fake_now = 0;
static long fakeTime() {
    return fake_now;
}

// Moves a cell a step, tracing steps and draws; step 0 takes 40 fake ms, the others one frame.
// At its last step it ends the game and leaves the world. It is sent step events only.
class Probe : public ks::Object {
public:
    explicit Probe(int last_step) : last(last_step) {
        setSolidness(ks::SPECTRAL);
        setXVelocity(1);
        setBox(ks::Box(ks::Position(0, 0), 1, 1));
    }
    int eventHandler(const ks::Event* p_event) override {
        int step = static_cast<const ks::EventStep*>(p_event)->getStepCount();
        trace.push_back("step " + std::to_string(step) +
                        " x=" + std::to_string(getPosition().getX()));
        fake_now += step == 0 ? 40 : ks::FRAME_TIME;
        if (step == last) {
            ks::GameManager::getInstance().setGameOver(true);
            ks::WorldManager::getInstance().markForDelete(this);
        }
        return 1;
    }
    void draw() override { trace.push_back("draw"); }

    Strings trace;
    int last;
};

class GameLoopTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        fake_now = 1000;
        ks::Clock::setTimeSource(fakeTime);
    }
    void TearDown() override { ks::Clock::setTimeSource(nullptr); }
};

// Only the 40 ms cycle overruns; the probe is still drawn in the cycle it leaves the world.
TEST_F(GameLoopTest, CyclesMoveThenStepThenDrawAndReportOverrunsAndEveryThirtyCycles) {
    Probe probe(61);
    ks::GameManager::getInstance().run();
    Strings expected;
    for (int i = 0; i <= 61; i++) {
        expected.push_back("step " + std::to_string(i) + " x=" + std::to_string(i + 1));
        expected.push_back("draw");
    }
    EXPECT_EQ(probe.trace, expected);
    Strings reported;
    for (const std::string& line : logLines())
        if (line.rfind("GameManager::run()", 0) == 0)
            reported.push_back(line);
    EXPECT_EQ(reported,
              (Strings{"GameManager::run(): cycle 0 missed deadline by 7 ms, consider lowering "
                       "frame rate",
                       "GameManager::run(): 0 cycles (0 seconds) executed",
                       "GameManager::run(): 30 cycles (1 seconds) executed",
                       "GameManager::run(): 60 cycles (2 seconds) executed"}));
}

TEST_F(GameLoopTest, ClockMeasuresIntervalsAcrossTheTopOfAnHour) {
    fake_now = 3599990;
    ks::Clock clock;
    fake_now = 3600005;
    EXPECT_EQ(clock.split(), 15);
    EXPECT_EQ(clock.delta(), 15);
    EXPECT_EQ(clock.split(), 0);
}
