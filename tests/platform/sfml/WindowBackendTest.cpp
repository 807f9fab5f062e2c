// The real window's keyboard and frames, on a display (Xvfb in the test run): keys read from one
// query a cycle are the keys SFML finds held, only while the window has the focus; an unchanged
// frame is not shown again.
#include <cstdlib>
#include <string>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Window.hpp>

#include "GraphicsManager.h"
#include "TestSupport.h"
#include "WindowBackend.h"

namespace {

using K = sf::Keyboard;
// The keys the game samples, and their names for xdotool in the same order.
const K::Key KEYS[] = {K::A,     K::W,      K::Z,        K::Num0,     K::Num9,   K::Space,
                       K::Enter, K::Escape, K::Tab,      K::Left,     K::Right,  K::Up,
                       K::Down,  K::Pause,  K::Add,      K::Subtract, K::Tilde,  K::Period,
                       K::Comma, K::Slash,  K::LControl, K::RControl, K::LShift, K::RShift,
                       K::LAlt,  K::F1,     K::F12};
const char* const NAMES[] = {"a",      "w",      "z",         "0",           "9",       "space",
                             "Return", "Escape", "Tab",       "Left",        "Right",   "Up",
                             "Down",   "Pause",  "KP_Add",    "KP_Subtract", "grave",   "period",
                             "comma",  "slash",  "Control_L", "Control_R",   "Shift_L", "Shift_R",
                             "Alt_L",  "F1",     "F12"};

void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

class WindowBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay())
            GTEST_SKIP() << "no display";
        backend = std::make_unique<ks::WindowBackend>(921, 691, 80, 24);
        ASSERT_EQ(backend->open("Murkvault test", "ks-font.ttf"), ks::WindowBackend::OPENED);
        focus(backend->getWindow(), true);
    }

    // Gives the focus to the window, as a window manager would, through the X server; waits
    // until the game's window has it (wanted) or not.
    void focus(sf::Window* p_window, bool wanted) {
        xdotool("windowfocus --sync " + std::to_string(p_window->getSystemHandle()));
        for (int i = 0; i < 200 && backend->hasFocus() != wanted; i++) {
            sf::Event event;
            while (backend->pollEvent(event)) {
            }
            sf::sleep(sf::milliseconds(10));
        }
        ASSERT_EQ(backend->hasFocus(), wanted);
    }

    std::unique_ptr<ks::WindowBackend> backend;
};

TEST_F(WindowBackendTest, OneKeyboardQueryFindsTheKeysSfmlFindsHeld) {
    for (int i = 0; i < 27; i++) {
        xdotool(std::string("keydown ") + NAMES[i]);
        backend->sampleKeyboard();
        EXPECT_TRUE(backend->isKeyHeld(KEYS[i])) << NAMES[i];
        // xdotool may hold a modifier's other key too: whatever is held, both agree on it.
        for (int j = 0; j < 27; j++)
            EXPECT_EQ(backend->isKeyHeld(KEYS[j]), K::isKeyPressed(KEYS[j]))
                << NAMES[i] << " held, " << NAMES[j];
        xdotool(std::string("keyup ") + NAMES[i]);
        backend->sampleKeyboard();
        EXPECT_FALSE(backend->isKeyHeld(KEYS[i])) << NAMES[i];
    }
}

TEST_F(WindowBackendTest, KeysHeldForAnotherWindowAreNotTheGames) {
    sf::Window other(sf::VideoMode(100, 100), "another program");
    focus(&other, false);
    xdotool("keydown d");
    backend->sampleKeyboard();
    EXPECT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::D)); // held, but for the other window
    EXPECT_FALSE(backend->isKeyHeld(sf::Keyboard::D));
    focus(backend->getWindow(), true);
    backend->sampleKeyboard();
    EXPECT_TRUE(backend->isKeyHeld(sf::Keyboard::D));
    xdotool("keyup d");
}

TEST_F(WindowBackendTest, AnUnchangedFrameIsNotShownAgainUntilTheRepaintInterval) {
    auto frame = [this](char ch) {
        backend->drawCell(ks::Position(115, 143), ch, ks::GREEN);
        backend->drawCell(ks::Position(126, 143), '#', ks::YELLOW);
        return backend->present();
    };
    ASSERT_EQ(frame('@'), 0);
    const long shown = backend->getFramesShown();
    EXPECT_EQ(frame('@'), 0);
    EXPECT_EQ(backend->getFramesShown(), shown);
    EXPECT_EQ(backend->getFramesSkipped(), 1);
    EXPECT_EQ(frame('$'), 0); // one cell differs
    EXPECT_EQ(backend->getFramesShown(), shown + 1);
    backend->setRepaintInterval(std::chrono::milliseconds(0));
    EXPECT_EQ(frame('$'), 0); // the same, but due for a repaint
    EXPECT_EQ(backend->getFramesShown(), shown + 2);
}

} // namespace
