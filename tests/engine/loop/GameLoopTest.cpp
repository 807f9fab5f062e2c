// Pausing the game loop. (The order of a cycle's work, its step numbers and the lines every 30
// cycles show in the log of every golden game, which its replay must match.)
#include <algorithm>

#include "Color.h"
#include "EventKeyboard.h"
#include "Frame.h"
#include "GameManager.h"
#include "InputManager.h"
#include "Sprite.h"
#include "TestSupport.h"

using GameLoopTest = EngineTest;

// Paused: the mover keeps its place and gets no steps, the screen shows the last scene with
// PAUSED across the middle; cycles still count. Resumed: all goes on.
TEST_F(GameLoopTest, PKeyFreezesTheWorldAndShowsPausedUntilPressedAgain) {
    ScriptedScreen* screen = startScripted();
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    ks::GameManager& game = ks::GameManager::getInstance();
    ks::Sprite sprite(1, 1, 1, ks::GREEN);
    sprite.addFrame(ks::Frame(1, 1, "M"));
    Recorder mover(ks::Position(10, 5)); // moves a cell a cycle, drawn as an M
    mover.setSprite(&sprite);
    mover.setSolidness(ks::SPECTRAL);
    mover.setXVelocity(1);
    auto steps = [&] { return std::count(mover.events.begin(), mover.events.end(), "ks::step"); };
    game.cycle();
    EXPECT_EQ(shownRow(5).substr(11, 1), "M");
    screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::P);
    screen->held = {ks::PhysicalKey::D}; // held keys do nothing while paused
    for (int i = 0; i < 3; i++) {
        game.setStepCount(game.getStepCount() + 1);
        game.cycle();
    }
    EXPECT_TRUE(game.isPaused());
    EXPECT_EQ(mover.getPosition(), ks::Position(11, 5));
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(shownRow(5).substr(11, 1), "M");
    EXPECT_EQ(shownRow(11).substr(36, 10), "  PAUSED  ");
    EXPECT_EQ(screen->presents, 4);
    screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::P);
    game.cycle();
    EXPECT_FALSE(game.isPaused());
    EXPECT_EQ(mover.getPosition(), ks::Position(12, 5));
    EXPECT_EQ(steps(), 2);
    EXPECT_EQ(shownRow(11), std::string(80, ' '));
}

// However long the pause, each paused frame draws the scene and the text once, at the place the
// game chose, so the screen is shown the same frame every cycle.
TEST_F(GameLoopTest, EveryPausedFrameIsTheSceneWithTheTextOnceWhereTheGamePutsIt) {
    ScriptedScreen* screen = startScripted();
    ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPauseText("P: go on");
    game.setPausePlace(ks::Position(40, 0));
    ks::Sprite sprite(1, 1, 1, ks::GREEN);
    sprite.addFrame(ks::Frame(1, 1, "M"));
    Recorder mover(ks::Position(10, 5));
    mover.setSprite(&sprite);
    game.cycle();
    const std::vector<ks::CellDraw> scene = screen->last_frame;
    screen->key(ks::InputEvent::Type::KEY_PRESSED, ks::PhysicalKey::P);
    game.cycle();
    const std::vector<ks::CellDraw> paused = screen->last_frame;
    EXPECT_EQ(paused.size(), scene.size() + 10);         // " P: go on "
    EXPECT_EQ(shownRow(0).substr(36, 10), " P: go on "); // centred on column 40
    EXPECT_EQ(shownRow(5).substr(10, 1), "M");
    for (int i = 0; i < 5; i++) {
        game.cycle();
        EXPECT_TRUE(screen->last_frame == paused) << "paused frame " << i + 2;
    }
}
