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

// The keys the game samples, with their names for xdotool.
const std::pair<sf::Keyboard::Key, const char*> KEYS[] = {
    {sf::Keyboard::A, "a"},
    {sf::Keyboard::W, "w"},
    {sf::Keyboard::Z, "z"},
    {sf::Keyboard::Num0, "0"},
    {sf::Keyboard::Num9, "9"},
    {sf::Keyboard::Space, "space"},
    {sf::Keyboard::Enter, "Return"},
    {sf::Keyboard::Escape, "Escape"},
    {sf::Keyboard::Tab, "Tab"},
    {sf::Keyboard::Left, "Left"},
    {sf::Keyboard::Right, "Right"},
    {sf::Keyboard::Up, "Up"},
    {sf::Keyboard::Down, "Down"},
    {sf::Keyboard::Pause, "Pause"},
    {sf::Keyboard::Subtract, "KP_Subtract"},
    {sf::Keyboard::Add, "KP_Add"},
    {sf::Keyboard::Tilde, "grave"},
    {sf::Keyboard::Period, "period"},
    {sf::Keyboard::Comma, "comma"},
    {sf::Keyboard::Slash, "slash"},
    {sf::Keyboard::LControl, "Control_L"},
    {sf::Keyboard::RControl, "Control_R"},
    {sf::Keyboard::LShift, "Shift_L"},
    {sf::Keyboard::RShift, "Shift_R"},
    {sf::Keyboard::LAlt, "Alt_L"},
    {sf::Keyboard::F1, "F1"},
    {sf::Keyboard::F12, "F12"},
};

void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

class WindowBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no display";
        backend = std::make_unique<ks::WindowBackend>(921, 691, 80, 24);
        ASSERT_EQ(backend->open("Murkvault test", "ks-font.ttf"), ks::WindowBackend::OPENED);
        focus(backend->getWindow());
        waitForFocus(true);
    }

    // Gives the focus to the window, as a window manager would, through the X server.
    static void focus(sf::Window* p_window) {
        xdotool("windowfocus --sync " + std::to_string(p_window->getSystemHandle()));
    }
    void waitForFocus(bool wanted) {
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
    for (const auto& [key, name] : KEYS) {
        xdotool(std::string("keydown ") + name);
        backend->sampleKeyboard();
        EXPECT_TRUE(backend->isKeyHeld(key)) << name;
        // xdotool may hold a modifier's other key too: whatever is held, both agree on it.
        for (const auto& [other, other_name] : KEYS)
            EXPECT_EQ(backend->isKeyHeld(other), sf::Keyboard::isKeyPressed(other))
                << name << " held, " << other_name;
        xdotool(std::string("keyup ") + name);
        backend->sampleKeyboard();
        EXPECT_FALSE(backend->isKeyHeld(key)) << name;
    }
}

TEST_F(WindowBackendTest, KeysHeldForAnotherWindowAreNotTheGames) {
    sf::Window other(sf::VideoMode(100, 100), "another program");
    focus(&other);
    waitForFocus(false);
    xdotool("keydown d");
    backend->sampleKeyboard();
    EXPECT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::D)); // held, but for the other window
    EXPECT_FALSE(backend->isKeyHeld(sf::Keyboard::D));
    focus(backend->getWindow());
    waitForFocus(true);
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
