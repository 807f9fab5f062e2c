// The real window's keyboard and frames, on a display (Xvfb in the test run): keys read from one
// query a cycle are the keys SFML finds held, only while the window has the focus; an unchanged
// frame is not shown again; the window's key events come out as the engine's physical keys.
#include <cstdlib>
#include <string>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Window.hpp>

#include "Color.h"
#include "SfmlScreen.h"
#include "TestSupport.h"
#include "TestWindow.h"

namespace {

using K = sf::Keyboard;
using P = ks::PhysicalKey;
// The keys the game samples, as SFML and as the engine name them, and their names for xdotool,
// in the same order.
const K::Key KEYS[] = {K::A,     K::W,      K::Z,        K::Num0,     K::Num9,   K::Space,
                       K::Enter, K::Escape, K::Tab,      K::Left,     K::Right,  K::Up,
                       K::Down,  K::Pause,  K::Add,      K::Subtract, K::Tilde,  K::Period,
                       K::Comma, K::Slash,  K::LControl, K::RControl, K::LShift, K::RShift,
                       K::LAlt,  K::F1,     K::F12};
const P PHYSICAL[] = {P::A,     P::W,      P::Z,        P::NUM0,     P::NUM9,   P::SPACE,
                      P::ENTER, P::ESCAPE, P::TAB,      P::LEFT,     P::RIGHT,  P::UP,
                      P::DOWN,  P::PAUSE,  P::ADD,      P::SUBTRACT, P::TILDE,  P::PERIOD,
                      P::COMMA, P::SLASH,  P::LCONTROL, P::RCONTROL, P::LSHIFT, P::RSHIFT,
                      P::LALT,  P::F1,     P::F12};
const char* const NAMES[] = {"a",      "w",      "z",         "0",           "9",       "space",
                             "Return", "Escape", "Tab",       "Left",        "Right",   "Up",
                             "Down",   "Pause",  "KP_Add",    "KP_Subtract", "grave",   "period",
                             "comma",  "slash",  "Control_L", "Control_R",   "Shift_L", "Shift_R",
                             "Alt_L",  "F1",     "F12"};

void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

class SfmlScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay())
            GTEST_SKIP() << "no display";
        screen = openTestWindow();
        ASSERT_NE(screen, nullptr);
        focus(screen->getWindow(), true);
    }

    // Gives the focus to the window, as a window manager would, through the X server; waits
    // until the game's window has it (wanted) or not.
    void focus(sf::Window* p_window, bool wanted) {
        xdotool("windowfocus --sync " + std::to_string(p_window->getSystemHandle()));
        for (int i = 0; i < 200 && screen->hasFocus() != wanted; i++) {
            ks::InputEvent event;
            while (screen->pollEvent(event)) {
            }
            sf::sleep(sf::milliseconds(10));
        }
        ASSERT_EQ(screen->hasFocus(), wanted);
    }

    // The next key event the window reports, waiting for it a little.
    ks::InputEvent nextKeyEvent() {
        ks::InputEvent event;
        for (int i = 0; i < 200; i++) {
            while (screen->pollEvent(event))
                if (event.type == ks::InputEvent::Type::KEY_PRESSED ||
                    event.type == ks::InputEvent::Type::KEY_RELEASED)
                    return event;
            sf::sleep(sf::milliseconds(10));
        }
        ADD_FAILURE() << "no key event";
        return event;
    }

    std::unique_ptr<ks::SfmlScreen> screen;
};

TEST_F(SfmlScreenTest, OneKeyboardQueryFindsTheKeysSfmlFindsHeld) {
    for (int i = 0; i < 27; i++) {
        xdotool(std::string("keydown ") + NAMES[i]);
        screen->sampleKeyboard();
        EXPECT_TRUE(screen->isKeyHeld(PHYSICAL[i])) << NAMES[i];
        // xdotool may hold a modifier's other key too: whatever is held, both agree on it.
        for (int j = 0; j < 27; j++)
            EXPECT_EQ(screen->isKeyHeld(PHYSICAL[j]), K::isKeyPressed(KEYS[j]))
                << NAMES[i] << " held, " << NAMES[j];
        xdotool(std::string("keyup ") + NAMES[i]);
        screen->sampleKeyboard();
        EXPECT_FALSE(screen->isKeyHeld(PHYSICAL[i])) << NAMES[i];
    }
}

TEST_F(SfmlScreenTest, KeysHeldForAnotherWindowAreNotTheGames) {
    sf::Window other(sf::VideoMode(100, 100), "another program");
    focus(&other, false);
    xdotool("keydown d");
    screen->sampleKeyboard();
    EXPECT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::D)); // held, but for the other window
    EXPECT_FALSE(screen->isKeyHeld(P::D));
    focus(screen->getWindow(), true);
    screen->sampleKeyboard();
    EXPECT_TRUE(screen->isKeyHeld(P::D));
    xdotool("keyup d");
}

TEST_F(SfmlScreenTest, AnUnchangedFrameIsNotShownAgainUntilTheRepaintInterval) {
    ks::FrameSkipper& skipper = screen->getFrameSkipper();
    auto frame = [this](char ch) {
        return screen->present({{10, 5, ch, ks::GREEN}, {11, 5, '#', ks::YELLOW}});
    };
    ASSERT_EQ(frame('@'), 0);
    const long shown = skipper.getFramesShown();
    EXPECT_EQ(frame('@'), 0);
    EXPECT_EQ(skipper.getFramesShown(), shown);
    EXPECT_EQ(skipper.getFramesSkipped(), 1);
    EXPECT_EQ(frame('$'), 0); // one cell differs
    EXPECT_EQ(skipper.getFramesShown(), shown + 1);
    skipper.setRepaintInterval(std::chrono::milliseconds(0));
    EXPECT_EQ(frame('$'), 0); // the same, but due for a repaint
    EXPECT_EQ(skipper.getFramesShown(), shown + 2);
}

// Keys pressed and released at the window come out as the engine's physical keys, the main
// block's - and the keypad's apart, and a key SFML has no name for as UNKNOWN.
TEST_F(SfmlScreenTest, KeyEventsNameThePhysicalKey) {
    const std::pair<const char*, P> cases[] = {
        {"w", P::W},           {"minus", P::HYPHEN}, {"KP_Subtract", P::SUBTRACT},
        {"Escape", P::ESCAPE}, {"Alt_L", P::LALT},   {"ISO_Level3_Shift", P::UNKNOWN}};
    for (const auto& c : cases) {
        xdotool(std::string("key ") + c.first);
        ks::InputEvent pressed = nextKeyEvent();
        EXPECT_EQ(pressed.type, ks::InputEvent::Type::KEY_PRESSED) << c.first;
        EXPECT_EQ(pressed.key, c.second) << c.first;
        ks::InputEvent released = nextKeyEvent();
        EXPECT_EQ(released.type, ks::InputEvent::Type::KEY_RELEASED) << c.first;
        EXPECT_EQ(released.key, c.second) << c.first;
    }
}

// A window of 921 x 691 pixels at scale 1 opens at the largest scale asked for that fits the
// screen: on 1920 x 1080 scale 2 (1842 x 1382) is too tall; on 3840 x 2160 scale 4 (3684 x 2764)
// is too tall, 3 (2763 x 2073) fits; a screen smaller than the window still gets scale 1.
TEST(SfmlScreenScaleTest, TheScaleIsLoweredToTheLargestThatFitsTheScreen) {
    ks::ScreenSettings settings;
    const int cases[][4] = {// asked, screen width, height, opened
                            {2, 1920, 1080, 1}, {2, 2000, 1600, 2}, {4, 3840, 2160, 3},
                            {4, 1280, 1024, 1}, {3, 800, 600, 1},   {1, 2560, 1440, 1}};
    for (const auto& c : cases) {
        settings.scale = c[0];
        EXPECT_EQ(ks::SfmlScreen::fittingScale(settings, c[1], c[2]), c[3])
            << c[0] << " on " << c[1] << " x " << c[2];
    }
}

} // namespace
