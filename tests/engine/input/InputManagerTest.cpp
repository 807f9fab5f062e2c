// Recording and replaying input (with its time marks), keys released while another window had
// the focus, pausing.
#include <array>
#include <fstream>
#include <map>
#include <set>

#include <sys/resource.h>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "InputEvent.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Replay.h"
#include "ReplayRecorder.h"
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

// A fake keyboard and the keys it holds.
static std::set<K> held;
static bool fakeHeld(K key) {
    return held.count(key) > 0;
}

static ks::InputManager& im = ks::InputManager::getInstance();
static ks::GameManager& gm = ks::GameManager::getInstance();
static ks::LogManager& logm = ks::LogManager::getInstance();

class InputManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        im.setNotice([this](const std::string& message) { notices.push_back(message); });
    }
    void TearDown() override {
        im.startRecording(nullptr);
        im.startReplay(nullptr);
        im.setNotice(nullptr);
        EngineTest::TearDown();
    }

    // Plays cycles from..to as the game loop would: input, then a line of the cycle's own.
    // The log's checksum after each, by cycle.
    std::map<int, uint64_t> play(int from, int to) {
        std::map<int, uint64_t> sums;
        for (int cycle = from; cycle <= to && !gm.getGameOver(); cycle++) {
            gm.setStepCount(cycle);
            im.getInput();
            logm.writeLog("cycle %d done", cycle);
            sums[cycle] = logm.getChecksum();
        }
        return sums;
    }

    // Records to test.rpl with seed 77.
    void record() {
        ASSERT_EQ(recorder.open("test.rpl"), 0);
        ASSERT_EQ(recorder.begin(77), 0);
        im.startRecording(&recorder);
    }

    std::vector<std::string> notices;
    ks::ReplayRecorder recorder;
};

// Logs the key of every keyboard event: what a game does with a key shows in its log.
class KeyLogger : public ks::Object {
public:
    int eventHandler(const ks::Event* p_event) override {
        if (auto* k = dynamic_cast<const ks::EventKeyboard*>(p_event))
            ks::LogManager::getInstance().writeLog("key %d", k->getKey());
        return 1;
    }
};

// What is delivered is what is recorded; playing the recording delivers it again, cycle by cycle,
// with the same log, and its last cycle ends the game.
TEST_F(InputManagerTest, ARecordingPlaysBackTheSameEventsInTheSameCycles) {
    InputRecorder rec;
    ASSERT_NO_FATAL_FAILURE(record());
    gm.setStepCount(3);
    im.handleEvent({Type::KEY_PRESSED, K::W});
    held = {K::A};
    im.sendHeldKey(fakeHeld);
    gm.setStepCount(4);
    im.handleEvent({Type::MOUSE_PRESSED, K::UNKNOWN, ks::Mouse::LEFT, 100, 50});
    im.handleEvent({Type::KEY_PRESSED, K::ESCAPE});
    const uint64_t at_end = logm.getChecksum();
    im.stopRecording(4);
    EXPECT_EQ(fileText("test.rpl"),
              "ks-replay 2\nseed 77\n3 key pressed W\n3 key down A\n4 mouse pressed LEFT 100 50\n"
              "4 quit\n4 key pressed UNDEFINED_KEY\n4 end " +
                  ks::Replay::checksumText(at_end) + "\n");
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
    im.finishReplay(4);
    EXPECT_TRUE(gm.getGameOver());
    EXPECT_EQ(rec.seen, delivered);
    EXPECT_EQ(logLines(), logged);
    EXPECT_FALSE(im.hasReplayDiverged());
    EXPECT_EQ(notices, std::vector<std::string>{});
}

// A game killed after 100 cycles of standing still: its recording has no input, but marks after
// cycles 0, 30, 60 and 90, each with the log's checksum after its cycle; it replays to cycle 90.
TEST_F(InputManagerTest, AKilledGamesRecordingGoesOnToItsLastSecond) {
    startScripted();
    ASSERT_NO_FATAL_FAILURE(record());
    const std::map<int, uint64_t> recorded = play(0, 99);
    ks::Replay replay;
    ASSERT_EQ(replay.load("test.rpl"), 0) << replay.getError();
    ASSERT_EQ(replay.getMarks().size(), 4u);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(replay.getMarks()[i].cycle, 30 * i);
        EXPECT_EQ(replay.getMarks()[i].checksum, recorded.at(30 * i)) << i;
    }
    EXPECT_EQ(replay.getLastCycle(), 90);

    im.startRecording(nullptr);
    logm.startUp();
    im.startReplay(&replay);
    const std::map<int, uint64_t> replayed = play(0, 99);
    im.finishReplay(90);
    EXPECT_EQ(replayed.rbegin()->first, 90);
    EXPECT_FALSE(im.hasReplayDiverged());
    EXPECT_EQ(notices, std::vector<std::string>{});
}

// One key changed in cycle 45 of a recording (W pressed, now S): the log differs from that cycle
// on, and the first mark after it, cycle 60's, says so once; the replay goes on to its end.
TEST_F(InputManagerTest, AReplayThatGoesAnotherWaySaysWhereItDiverged) {
    ScriptedScreen* screen = startScripted();
    KeyLogger logger;
    ASSERT_NO_FATAL_FAILURE(record());
    play(0, 9);
    screen->key(Type::KEY_PRESSED, K::W);
    play(10, 44);
    screen->key(Type::KEY_PRESSED, K::W);
    const std::map<int, uint64_t> recorded = play(45, 99);
    im.stopRecording(99);
    std::string text = fileText("test.rpl");
    const size_t at = text.find("45 key pressed W\n");
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, 16, "45 key pressed S");
    std::ofstream("changed.rpl") << text;

    ks::Replay replay;
    ASSERT_EQ(replay.load("changed.rpl"), 0) << replay.getError();
    logm.startUp();
    im.startReplay(&replay);
    const std::map<int, uint64_t> replayed = play(0, 200);
    EXPECT_EQ(replayed.rbegin()->first, 99);
    im.finishReplay(99);
    EXPECT_TRUE(im.hasReplayDiverged());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "replay diverged from the recording at cycle 60 (log checksum recorded " +
                              ks::Replay::checksumText(recorded.at(60)) + ", replayed " +
                              ks::Replay::checksumText(replayed.at(60)) +
                              "; the same at cycle 30)");
    EXPECT_EQ(logCount("InputManager::getInput(): Warning! " + notices[0]), 1);
}

// Under a file-size limit of 300 bytes the recording holds its 20-byte header, "0 key down W"
// (13), the mark after cycle 0 (24) and the key lines of cycles 1 to 18 (13 each): cycle 19's is
// cut. That is said once, also in the log (which moves aside before the limit); the game goes on
// getting its keys.
TEST_F(InputManagerTest, AFailedWriteIsSaidOnceAndTheGameGoesOn) {
    ScriptedScreen* screen = startScripted();
    InputRecorder rec;
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 300;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    logm.startUp();
    ASSERT_NO_FATAL_FAILURE(record());
    screen->held = {K::W};
    play(0, 24);
    im.stopRecording(24);
    EXPECT_EQ(rec.seen.size(), 25u);
    const std::string said = "recording stopped at cycle 19: cannot write test.rpl: file-size "
                             "limit reached (File too large)";
    EXPECT_EQ(notices, std::vector<std::string>{said});
    EXPECT_EQ(logCount("InputManager::getInput(): Warning! " + said), 1);
    EXPECT_EQ(recorder.getCyclesHeld(), 19);
}

// A key let go while another window had the focus: released once at the next sample, its late
// release from the window not sent again; a key still held, or released in time, as usual.
TEST_F(InputManagerTest, AKeyNoLongerHeldIsReleasedOnceAtTheNextSample) {
    InputRecorder rec;
    im.handleEvent({Type::KEY_PRESSED, K::LALT});
    im.handleEvent({Type::KEY_PRESSED, K::LSHIFT});
    held = {K::LSHIFT};
    im.releaseLostKeys(fakeHeld);
    im.releaseLostKeys(fakeHeld);
    im.handleEvent({Type::KEY_RELEASED, K::LALT}); // late: already released
    held = {};
    im.handleEvent({Type::KEY_RELEASED, K::LSHIFT});
    im.releaseLostKeys(fakeHeld);
    im.handleEvent({Type::KEY_PRESSED, K::LALT}); // pressed again: a new press
    im.handleEvent({Type::KEY_RELEASED, K::LALT});
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
