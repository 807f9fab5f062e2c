// Window events and held keys turned into engine events.
#include <iterator>
#include <set>
#include <vector>

#include <SFML/Graphics/RenderWindow.hpp>

#include "Event.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "Object.h"
#include "TestSupport.h"

namespace {

ks::InputManager& im() {
    return ks::InputManager::getInstance();
}

struct Seen {
    std::string type;
    int action;
    int code; // key or button
    ks::Position pos;
};

// Records every keyboard and mouse event it is sent.
class Recorder : public ks::Object {
public:
    Recorder() { setSolidness(ks::SPECTRAL); }
    int eventHandler(const ks::Event* p_event) override {
        if (p_event->getType() == ks::KEYBOARD_EVENT) {
            auto* k = static_cast<const ks::EventKeyboard*>(p_event);
            seen.push_back({k->getType(), k->getKeyboardAction(), k->getKey(), ks::Position()});
        } else if (p_event->getType() == ks::MOUSE_EVENT) {
            auto* m = static_cast<const ks::EventMouse*>(p_event);
            seen.push_back(
                {m->getType(), m->getMouseAction(), m->getMouseButton(), m->getMousePosition()});
        }
        return 1;
    }
    std::vector<Seen> seen;
};

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key key) {
    sf::Event e{};
    e.type = type;
    e.key.code = key;
    return e;
}

sf::Event mouseEvent(sf::Event::EventType type, sf::Mouse::Button button, int x, int y) {
    sf::Event e{};
    e.type = type;
    if (type == sf::Event::MouseMoved) {
        e.mouseMove.x = x;
        e.mouseMove.y = y;
    } else {
        e.mouseButton.button = button;
        e.mouseButton.x = x;
        e.mouseButton.y = y;
    }
    return e;
}

// The keys a fake keyboard holds.
std::set<sf::Keyboard::Key> held;
bool fakeHeld(sf::Keyboard::Key key) {
    return held.count(key) > 0;
}

// SFML key, its code from the event queue, its code when held (-1: never reported held).
struct KeyRow {
    sf::Keyboard::Key key;
    int queue;
    int held;
} const KEYS[] = {
    {sf::Keyboard::Space, 1, 1},      {sf::Keyboard::Return, 2, 2},
    {sf::Keyboard::Escape, 0, 3},     {sf::Keyboard::Tab, 4, 4},
    {sf::Keyboard::Left, 5, 5},       {sf::Keyboard::Right, 6, 6},
    {sf::Keyboard::Up, 7, 7},         {sf::Keyboard::Down, 8, 8},
    {sf::Keyboard::Pause, 9, 9},      {sf::Keyboard::Dash, 10, -1},
    {sf::Keyboard::Subtract, 0, 10},  {sf::Keyboard::Add, 11, 11},
    {sf::Keyboard::Tilde, 12, 12},    {sf::Keyboard::Period, 13, 13},
    {sf::Keyboard::Comma, 14, 14},    {sf::Keyboard::Slash, 15, 15},
    {sf::Keyboard::LControl, 16, 16}, {sf::Keyboard::RControl, 17, 17},
    {sf::Keyboard::LShift, 18, 18},   {sf::Keyboard::RShift, 19, 19},
    {sf::Keyboard::LAlt, 20, -1},     {sf::Keyboard::RAlt, 21, -1},
    {sf::Keyboard::F1, 22, 22},       {sf::Keyboard::F12, 33, 33},
    {sf::Keyboard::A, 34, 34},        {sf::Keyboard::W, 56, 56},
    {sf::Keyboard::Z, 59, 59},        {sf::Keyboard::Num0, 60, 60},
    {sf::Keyboard::Num9, 69, 69},     {sf::Keyboard::Numpad5, 0, -1},
    {sf::Keyboard::BackSpace, 0, -1},
};

using InputManagerTest = EngineTest;

TEST_F(InputManagerTest, QueueKeysUseTheQueueColumn) {
    Recorder rec;
    for (const KeyRow& row : KEYS) {
        rec.seen.clear();
        im().handleEvent(keyEvent(sf::Event::KeyPressed, row.key));
        im().handleEvent(keyEvent(sf::Event::KeyReleased, row.key));
        ASSERT_EQ(2u, rec.seen.size()) << row.key;
        EXPECT_EQ(ks::KEY_PRESSED, rec.seen[0].action);
        EXPECT_EQ(ks::KEY_RELEASED, rec.seen[1].action);
        EXPECT_EQ(row.queue, rec.seen[0].code) << row.key;
        EXPECT_EQ(row.queue, rec.seen[1].code) << row.key;
    }
    EXPECT_EQ(2 * static_cast<int>(std::size(KEYS)),
              logCount("InputManager::getInput(): event of type ks::keyboard sent to all objects"));
}

TEST_F(InputManagerTest, HeldKeysUseTheHeldColumn) {
    Recorder rec;
    for (const KeyRow& row : KEYS) {
        rec.seen.clear();
        held = {row.key};
        im().sendHeldKey(fakeHeld);
        if (row.held < 0) {
            EXPECT_TRUE(rec.seen.empty()) << row.key;
            continue;
        }
        ASSERT_EQ(1u, rec.seen.size()) << row.key;
        EXPECT_EQ(ks::KEY_DOWN, rec.seen[0].action);
        EXPECT_EQ(row.held, rec.seen[0].code) << row.key;
    }
    held.clear();
    EXPECT_EQ(1, logCount("pressing key 34")); // only A is announced
    EXPECT_EQ(0,
              logCount("InputManager::getInput(): event of type ks::keyboard sent to all objects"));
}

TEST_F(InputManagerTest, OnlyTheFirstHeldKeyInSamplingOrderIsSent) {
    Recorder rec;
    const std::pair<std::set<sf::Keyboard::Key>, int> cases[] = {
        {{sf::Keyboard::D, sf::Keyboard::A}, ks::Keyboard::A},
        {{sf::Keyboard::Space, sf::Keyboard::W}, ks::Keyboard::W},
        {{sf::Keyboard::Num0, sf::Keyboard::F1}, ks::Keyboard::F1},
        {{sf::Keyboard::LShift, sf::Keyboard::Up}, ks::Keyboard::UPARROW},
        {{sf::Keyboard::LAlt, sf::Keyboard::Num9}, ks::Keyboard::NUM9},
    };
    for (const auto& c : cases) {
        rec.seen.clear();
        held = c.first;
        im().sendHeldKey(fakeHeld);
        ASSERT_EQ(1u, rec.seen.size());
        EXPECT_EQ(c.second, rec.seen[0].code);
    }
    held.clear();
    rec.seen.clear();
    im().sendHeldKey(fakeHeld);
    EXPECT_TRUE(rec.seen.empty());
    EXPECT_EQ(1, logCount("pressing key 34"));
}

TEST_F(InputManagerTest, EscapeAndClosingEndTheGame) {
    Recorder rec;
    im().handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape));
    EXPECT_TRUE(ks::GameManager::getInstance().getGameOver());
    ASSERT_EQ(1u, rec.seen.size()); // still reported, as an undefined key
    EXPECT_EQ(ks::Keyboard::UNDEFINED_KEY, rec.seen[0].code);

    ks::GameManager::getInstance().setGameOver(false);
    sf::Event closed{};
    closed.type = sf::Event::Closed;
    im().handleEvent(closed);
    EXPECT_TRUE(ks::GameManager::getInstance().getGameOver());
    EXPECT_EQ(1u, rec.seen.size());
}

TEST_F(InputManagerTest, MouseEventsCarryButtonAndPixelPosition) {
    Recorder rec;
    im().handleEvent(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left, 100, 50));
    im().handleEvent(mouseEvent(sf::Event::MouseButtonReleased, sf::Mouse::Right, 3, 4));
    im().handleEvent(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::Middle, 0, 0));
    im().handleEvent(mouseEvent(sf::Event::MouseButtonPressed, sf::Mouse::XButton1, 0, 0));
    im().handleEvent(mouseEvent(sf::Event::MouseMoved, sf::Mouse::Left, 900, 600));
    ASSERT_EQ(5u, rec.seen.size());
    EXPECT_EQ(ks::MOUSE_PRESSED, rec.seen[0].action);
    EXPECT_EQ(ks::Mouse::LEFT, rec.seen[0].code);
    EXPECT_EQ(ks::Position(100, 50), rec.seen[0].pos);
    EXPECT_EQ(ks::MOUSE_RELEASED, rec.seen[1].action);
    EXPECT_EQ(ks::Mouse::RIGHT, rec.seen[1].code);
    EXPECT_EQ(ks::Mouse::MIDDLE, rec.seen[2].code);
    EXPECT_EQ(ks::Mouse::UNDEFINED_MOUSE_BUTTON, rec.seen[3].code);
    EXPECT_EQ(ks::MOUSE_MOVED, rec.seen[4].action);
    EXPECT_EQ(ks::Mouse::UNDEFINED_MOUSE_BUTTON, rec.seen[4].code);
    EXPECT_EQ(ks::Position(900, 600), rec.seen[4].pos);
    EXPECT_EQ(5, logCount("InputManager::getInput(): event of type ks::mouse sent to all objects"));
}

TEST_F(InputManagerTest, OtherWindowEventsAreIgnored) {
    Recorder rec;
    for (auto type : {sf::Event::Resized, sf::Event::LostFocus, sf::Event::GainedFocus,
                      sf::Event::TextEntered, sf::Event::MouseWheelScrolled}) {
        sf::Event e{};
        e.type = type;
        im().handleEvent(e);
    }
    EXPECT_TRUE(rec.seen.empty());
    EXPECT_TRUE(logLines().empty());
    EXPECT_FALSE(ks::GameManager::getInstance().getGameOver());
}

// Runs last: it closes the process's window.
TEST_F(InputManagerTest, WithAWindowEscapeClosesIt) {
    if (!openWindow())
        GTEST_SKIP() << "no display";
    EXPECT_EQ(0, im().startUp());
    EXPECT_TRUE(logHas("InputManager::startUp(): InputManager started"));
    sf::RenderWindow* window = ks::GraphicsManager::getInstance().getWindow();
    im().handleEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Escape));
    EXPECT_FALSE(window->isOpen());
    im().getInput(); // a closed window has no events left
    EXPECT_TRUE(ks::GameManager::getInstance().getGameOver());
}

} // namespace
