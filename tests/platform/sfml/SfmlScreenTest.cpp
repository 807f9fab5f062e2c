// The real window's keyboard and frames, on a display (Xvfb in the test run): keys read from one
// query a cycle are the keys SFML finds held; an unchanged frame is not shown again; the window's
// key events come out as the engine's physical keys. (Keys held for another window: focus_e2e.)
#include <cstdlib>
#include <string>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Keyboard.hpp>

#include "Color.h"
#include "SfmlScreen.h"
#include "TestSupport.h"
#include "TestWindow.h"

namespace {

using K = sf::Keyboard;
using P = ks::PhysicalKey;
// The keys the game samples, as SFML and as the engine name them, and their names for xdotool.
struct Key {
    K::Key sfml;
    P physical;
    const char* name;
};
// clang-format off
const Key KEYS[] = {
    {K::A, P::A, "a"}, {K::W, P::W, "w"}, {K::Z, P::Z, "z"}, {K::Num0, P::NUM0, "0"},
    {K::Num9, P::NUM9, "9"}, {K::Space, P::SPACE, "space"}, {K::Enter, P::ENTER, "Return"},
    {K::Escape, P::ESCAPE, "Escape"}, {K::Tab, P::TAB, "Tab"}, {K::Left, P::LEFT, "Left"},
    {K::Right, P::RIGHT, "Right"}, {K::Up, P::UP, "Up"}, {K::Down, P::DOWN, "Down"},
    {K::Pause, P::PAUSE, "Pause"}, {K::Add, P::ADD, "KP_Add"},
    {K::Subtract, P::SUBTRACT, "KP_Subtract"}, {K::Tilde, P::TILDE, "grave"},
    {K::Period, P::PERIOD, "period"}, {K::Comma, P::COMMA, "comma"}, {K::Slash, P::SLASH, "slash"},
    {K::LControl, P::LCONTROL, "Control_L"}, {K::RControl, P::RCONTROL, "Control_R"},
    {K::LShift, P::LSHIFT, "Shift_L"}, {K::RShift, P::RSHIFT, "Shift_R"},
    {K::LAlt, P::LALT, "Alt_L"}, {K::F1, P::F1, "F1"}, {K::F12, P::F12, "F12"}};
// clang-format on

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
        // The focus, given as a window manager would through the X server, once the window has it.
        xdotool("windowfocus --sync " + std::to_string(screen->getWindow()->getSystemHandle()));
        for (int i = 0; i < 200 && !screen->hasFocus(); i++) {
            ks::InputEvent event;
            while (screen->pollEvent(event)) {
            }
            sf::sleep(sf::milliseconds(10));
        }
        ASSERT_TRUE(screen->hasFocus());
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
    for (const Key& held : KEYS) {
        xdotool(std::string("keydown ") + held.name);
        screen->sampleKeyboard();
        EXPECT_TRUE(screen->isKeyHeld(held.physical)) << held.name;
        // xdotool may hold a modifier's other key too: whatever is held, both agree on it.
        for (const Key& key : KEYS)
            EXPECT_EQ(screen->isKeyHeld(key.physical), K::isKeyPressed(key.sfml))
                << held.name << " held, " << key.name;
        xdotool(std::string("keyup ") + held.name);
        screen->sampleKeyboard();
        EXPECT_FALSE(screen->isKeyHeld(held.physical)) << held.name;
    }
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
