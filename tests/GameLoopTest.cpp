// The game loop on a fake clock: cycle order, step numbers and the timing lines.
#include "Clock.h"
#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

using Strings = std::vector<std::string>;

// A fake millisecond clock that only moves when a test moves it.
static long fake_now = 0;
static long fakeNow() {
    return fake_now;
}

// Moves a cell a step and traces its steps (with its x) and draws; step 0 takes 40 fake ms, the
// others one frame. At step 61 it ends the game and leaves the world. It gets step events only.
class Probe : public ks::Object {
public:
    Probe() {
        setSolidness(ks::SPECTRAL);
        setXVelocity(1);
        setBox(ks::Box(ks::Position(0, 0), 1, 1));
    }
    int eventHandler(const ks::Event* p_event) override {
        int step = static_cast<const ks::EventStep*>(p_event)->getStepCount();
        trace.push_back(std::to_string(step) + " x=" + std::to_string(getPosition().getX()));
        fake_now += step == 0 ? 40 : ks::FRAME_TIME;
        if (step == 61) {
            ks::GameManager::getInstance().setGameOver(true);
            ks::WorldManager::getInstance().markForDelete(this);
        }
        return 1;
    }
    void draw() override { trace.push_back("draw"); }
    Strings trace;
};

using GameLoopTest = EngineTest;

// Only the 40 ms cycle overruns; the probe is still drawn in the cycle it leaves the world.
TEST_F(GameLoopTest, CyclesMoveThenStepThenDrawAndReportOverrunsAndEveryThirtyCycles) {
    ks::Clock::setTimeSource(fakeNow);
    fake_now = 1000;
    Probe probe;
    ks::GameManager::getInstance().run();
    Strings expected;
    for (int i = 0; i <= 61; i++)
        expected.insert(expected.end(),
                        {std::to_string(i) + " x=" + std::to_string(i + 1), "draw"});
    EXPECT_EQ(probe.trace, expected);
    EXPECT_EQ(logLines(),
              (Strings{"GameManager::run(): cycle 0 missed deadline by 7 ms, consider lowering "
                       "frame rate",
                       "GameManager::run(): 0 cycles (0 seconds) executed",
                       "GameManager::run(): 30 cycles (1 seconds) executed",
                       "GameManager::run(): 60 cycles (2 seconds) executed"}));
}

TEST_F(GameLoopTest, ClockMeasuresIntervalsAcrossTheTopOfAnHour) {
    ks::Clock::setTimeSource(fakeNow);
    fake_now = 3599990;
    ks::Clock clock;
    fake_now = 3600005;
    EXPECT_EQ(clock.split(), 15);
    EXPECT_EQ(clock.delta(), 15);
    EXPECT_EQ(clock.split(), 0);
}

// A mover that counts the step events it gets and draws itself as an 'M'.
class Mover : public ks::Object {
public:
    Mover() {
        setSolidness(ks::SPECTRAL);
        setPosition(ks::Position(10, 5));
        setXVelocity(1);
    }
    int eventHandler(const ks::Event* p_event) override {
        steps += p_event->getType() == ks::STEP_EVENT;
        return 0;
    }
    void draw() override {
        ks::GraphicsManager::getInstance().drawCh(getPosition(), 'M', ks::GREEN);
    }
    int steps = 0;
};

// Paused: the mover keeps its place and gets no steps, the screen shows the last scene with
// PAUSED across the middle; cycles still count. Resumed: all goes on.
TEST_F(GameLoopTest, PKeyFreezesTheWorldAndShowsPausedUntilPressedAgain) {
    ScriptedBackend* screen = startScripted();
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    ks::GameManager& game = ks::GameManager::getInstance();
    Mover* p_mover = new Mover();
    game.cycle();
    EXPECT_EQ(shownRow(5).substr(11, 1), "M");
    screen->key(sf::Event::KeyPressed, sf::Keyboard::P);
    screen->held = {sf::Keyboard::D}; // held keys do nothing while paused
    for (int i = 0; i < 3; i++) {
        game.setStepCount(game.getStepCount() + 1);
        game.cycle();
    }
    EXPECT_TRUE(game.isPaused());
    EXPECT_EQ(p_mover->getPosition(), ks::Position(11, 5));
    EXPECT_EQ(p_mover->steps, 1);
    EXPECT_EQ(shownRow(5).substr(11, 1), "M");
    EXPECT_EQ(shownRow(11).substr(36, 10), "  PAUSED  ");
    EXPECT_EQ(screen->presents, 4);
    screen->key(sf::Event::KeyPressed, sf::Keyboard::P);
    game.cycle();
    EXPECT_FALSE(game.isPaused());
    EXPECT_EQ(p_mover->getPosition(), ks::Position(12, 5));
    EXPECT_EQ(p_mover->steps, 2);
    EXPECT_EQ(shownRow(11), std::string(80, ' '));
}
