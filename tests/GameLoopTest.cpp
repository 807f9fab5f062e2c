// Pausing the game loop. (The order of a cycle's work, its step numbers and the lines every 30
// cycles show in the log of every golden game, which its replay must match.)
#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "TestSupport.h"

using GameLoopTest = EngineTest;

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
