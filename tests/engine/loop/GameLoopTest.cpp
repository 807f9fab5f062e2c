// Pausing the game loop, and running it one cycle at a time from outside.
#include <algorithm>

#include "Color.h"
#include "EventKeyboard.h"
#include "EventStep.h"
#include "Frame.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Sprite.h"
#include "TestSupport.h"

using GameLoopTest = EngineTest;

namespace {

// Ends the game in the step it is given; notes the step numbers it receives.
class Ender : public ks::Object {
public:
    explicit Ender(int init_last_step) : last_step(init_last_step) { setSolidness(ks::SPECTRAL); }
    int eventHandler(const ks::Event* p_event) override {
        if (p_event->getType() != ks::STEP_EVENT)
            return 0;
        const int step = static_cast<const ks::EventStep*>(p_event)->getStepCount();
        steps.push_back(step);
        if (step == last_step)
            ks::GameManager::getInstance().setGameOver(true);
        return 1;
    }
    int last_step;
    std::vector<int> steps;
};

} // namespace

// Driven from outside, the loop does what run() does: the same steps, the same log lines, the
// cycle that ends the game finished and counted; after it, a cycle does nothing.
TEST_F(GameLoopTest, CyclesDrivenFromOutsideDoWhatRunDoes) {
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPaced(false);
    Ender by_run(61);
    game.run();
    const std::vector<std::string> run_log = logLines();
    const std::vector<int> run_steps = by_run.steps;
    EXPECT_EQ(game.getStepCount(), 62);
    by_run.last_step = -1;

    ks::LogManager::getInstance().startUp();
    game.setPaced(true); // which the caller's own pacing replaces
    Ender by_cycles(61);
    game.beginRun();
    EXPECT_FALSE(game.getGameOver());
    EXPECT_EQ(game.getStepCount(), 0);
    int cycles = 0;
    while (game.runCycle())
        cycles++;
    EXPECT_EQ(cycles, 61); // the 62nd cycle ended the game
    EXPECT_EQ(game.getStepCount(), 62);
    EXPECT_EQ(by_cycles.steps, run_steps);
    EXPECT_EQ(logLines(), run_log);
    EXPECT_EQ(logCount("GameManager::run(): 60 cycles (2 seconds) executed"), 1);

    EXPECT_FALSE(game.runCycle());
    EXPECT_EQ(game.getStepCount(), 62);
    EXPECT_EQ(by_cycles.steps.size(), 62u);
}

// Paused: the mover keeps its place and gets no steps, and every paused frame is the last scene
// with the game's pause text once, where the game put it: the screen is shown the same frame
// every cycle, and cycles still count. Resumed: all goes on.
TEST_F(GameLoopTest, PauseFreezesTheWorldAndShowsOneUnchangingFrameUntilResumed) {
    ScriptedScreen* screen = startScripted();
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPauseText("P: go on");
    game.setPausePlace(ks::Position(40, 0));
    ks::Sprite sprite(1, 1, 1, ks::GREEN);
    sprite.addFrame(ks::Frame(1, 1, "M"));
    Recorder mover(ks::Position(10, 5)); // moves a cell a cycle, drawn as an M
    mover.setSprite(&sprite);
    mover.setSolidness(ks::SPECTRAL);
    mover.setXVelocity(1);
    auto steps = [&] { return std::count(mover.events.begin(), mover.events.end(), "ks::step"); };
    game.cycle();
    const std::vector<ks::CellDraw> scene = screen->last_frame;
    screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::P);
    screen->held = {ks::PhysicalKey::D}; // held keys do nothing while paused
    game.cycle();
    const std::vector<ks::CellDraw> paused = screen->last_frame;
    EXPECT_TRUE(game.isPaused());
    EXPECT_EQ(paused.size(), scene.size() + 10);         // " P: go on "
    EXPECT_EQ(shownRow(0).substr(36, 10), " P: go on "); // centred on column 40
    EXPECT_EQ(shownRow(5).substr(11, 1), "M");
    for (int i = 0; i < 3; i++) {
        game.setStepCount(game.getStepCount() + 1);
        game.cycle();
        EXPECT_TRUE(screen->last_frame == paused) << "paused frame " << i + 2;
    }
    EXPECT_EQ(mover.getPosition(), ks::Position(11, 5));
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(screen->presents, 5);
    screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::P);
    game.cycle();
    EXPECT_FALSE(game.isPaused());
    EXPECT_EQ(mover.getPosition(), ks::Position(12, 5));
    EXPECT_EQ(steps(), 2);
    EXPECT_EQ(shownRow(0), std::string(80, ' '));
}
