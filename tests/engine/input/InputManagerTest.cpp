// Recording and replaying input, keys released while another window had the focus, pausing.
// (The keys the game reads are pressed in the real window by the end-to-end tests.)
#include <array>
#include <set>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputEvent.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Replay.h"
#include "TestSupport.h"

using K = ks::PhysicalKey;
using Type = ks::InputEvent::Type;
// Events as recorded: action, key or button, and the mouse position (0,0 for keys).
using Seen = std::vector<std::array<int, 4>>;

// Records every keyboard and mouse event it is sent.
class InputRecorder : public ks::Object {
public:
    int eventHandler(const ks::Event* p_event) override {
        if (auto* k = dynamic_cast<const ks::EventKeyboard*>(p_event))
            seen.push_back({k->getKeyboardAction(), k->getKey(), 0, 0});
        if (auto* m = dynamic_cast<const ks::EventMouse*>(p_event))
            seen.push_back({m->getMouseAction(), m->getMouseButton(), m->getMousePosition().getX(),
                            m->getMousePosition().getY()});
        return 1;
    }
    Seen seen;
};

static ks::InputEvent keyEvent(Type type, K key) {
    ks::InputEvent e;
    e.type = type;
    e.key = key;
    return e;
}

static ks::InputEvent mouseEvent(Type type, int button, int x, int y) {
    ks::InputEvent e;
    e.type = type;
    e.button = button;
    e.x = x;
    e.y = y;
    return e;
}

// A fake keyboard and the keys it holds.
static std::set<K> held;
static bool fakeHeld(K key) {
    return held.count(key) > 0;
}

using InputManagerTest = EngineTest;
static ks::InputManager& im = ks::InputManager::getInstance();
static ks::GameManager& gm = ks::GameManager::getInstance();

// What is delivered is what is recorded; playing the recording delivers it again, cycle by cycle,
// with the same log, and its last cycle ends the game.
TEST_F(InputManagerTest, ARecordingPlaysBackTheSameEventsInTheSameCycles) {
    InputRecorder rec;
    ASSERT_EQ(im.startRecording("test.rpl", 77), 0);
    gm.setStepCount(3);
    im.handleEvent(keyEvent(Type::KEY_PRESSED, K::W));
    held = {K::A};
    im.sendHeldKey(fakeHeld);
    gm.setStepCount(4);
    im.handleEvent(mouseEvent(Type::MOUSE_PRESSED, ks::Mouse::LEFT, 100, 50));
    im.handleEvent(keyEvent(Type::KEY_PRESSED, K::ESCAPE));
    im.stopRecording(4);
    EXPECT_EQ(fileText("test.rpl"),
              "ks-replay 1\nseed 77\n3 key pressed W\n3 key down A\n4 mouse pressed LEFT 100 50\n"
              "4 quit\n4 key pressed UNDEFINED_KEY\n4 end\n");
    const Seen delivered = rec.seen;
    const std::vector<std::string> logged = logLines();

    ks::LogManager::getInstance().startUp();
    gm.setGameOver(false);
    rec.seen.clear();
    ks::Replay replay;
    ASSERT_EQ(replay.load("test.rpl"), 0);
    im.startReplay(&replay);
    for (int cycle = 0; cycle <= 4; cycle++) {
        EXPECT_FALSE(gm.getGameOver()) << cycle;
        gm.setStepCount(cycle);
        im.getInput();
    }
    im.startReplay(nullptr);
    EXPECT_TRUE(gm.getGameOver());
    EXPECT_EQ(rec.seen, delivered);
    EXPECT_EQ(logLines(), logged);
}

// A key let go while another window had the focus: released once at the next sample, its late
// release from the window not sent again; a key still held, or released in time, as usual.
TEST_F(InputManagerTest, AKeyNoLongerHeldIsReleasedOnceAtTheNextSample) {
    InputRecorder rec;
    im.handleEvent(keyEvent(Type::KEY_PRESSED, K::LALT));
    im.handleEvent(keyEvent(Type::KEY_PRESSED, K::LSHIFT));
    held = {K::LSHIFT};
    im.releaseLostKeys(fakeHeld);
    im.releaseLostKeys(fakeHeld);
    im.handleEvent(keyEvent(Type::KEY_RELEASED, K::LALT)); // late: already released
    held = {};
    im.handleEvent(keyEvent(Type::KEY_RELEASED, K::LSHIFT));
    im.releaseLostKeys(fakeHeld);
    im.handleEvent(keyEvent(Type::KEY_PRESSED, K::LALT)); // pressed again: a new press
    im.handleEvent(keyEvent(Type::KEY_RELEASED, K::LALT));
    EXPECT_EQ(rec.seen, (Seen{{ks::KEY_PRESSED, ks::Keyboard::LEFTALT, 0, 0},
                              {ks::KEY_PRESSED, ks::Keyboard::LEFTSHIFT, 0, 0},
                              {ks::KEY_RELEASED, ks::Keyboard::LEFTALT, 0, 0},
                              {ks::KEY_RELEASED, ks::Keyboard::LEFTSHIFT, 0, 0},
                              {ks::KEY_PRESSED, ks::Keyboard::LEFTALT, 0, 0},
                              {ks::KEY_RELEASED, ks::Keyboard::LEFTALT, 0, 0}}));
}

// While paused only the pause key, Escape and closing count; the pause key still reaches the
// objects; the keys held are nobody's.
TEST_F(InputManagerTest, WhilePausedOnlyThePauseKeyEscapeAndClosingCount) {
    ScriptedScreen* screen = startScripted();
    im.setPauseKey(ks::Keyboard::P);
    InputRecorder rec;
    screen->key(Type::KEY_PRESSED, K::P);
    screen->key(Type::KEY_PRESSED, K::W); // the same cycle: already paused
    im.getInput();
    EXPECT_TRUE(gm.isPaused());
    screen->held = {K::D, K::P};
    screen->key(Type::KEY_PRESSED, K::A);
    screen->key(Type::KEY_RELEASED, K::P);
    screen->key(Type::KEY_PRESSED, K::P);
    im.getInput();
    EXPECT_FALSE(gm.isPaused());
    screen->held = {K::D};
    screen->key(Type::KEY_RELEASED, K::P);
    im.getInput();
    EXPECT_EQ(rec.seen, (Seen{{ks::KEY_PRESSED, ks::Keyboard::P, 0, 0},
                              {ks::KEY_RELEASED, ks::Keyboard::P, 0, 0},
                              {ks::KEY_PRESSED, ks::Keyboard::P, 0, 0},
                              {ks::KEY_DOWN, ks::Keyboard::D, 0, 0}, // resumed: held again
                              {ks::KEY_RELEASED, ks::Keyboard::P, 0, 0},
                              {ks::KEY_DOWN, ks::Keyboard::D, 0, 0}}));
}
