// Writing a replay file: what may be recorded to, the file left alone until the recording begins,
// every write checked, and the line a crash leaves.
#include <csignal>
#include <fstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "EventKeyboard.h"
#include "LogManager.h"
#include "Replay.h"
#include "ReplayRecorder.h"
#include "TestSupport.h"

namespace {

class ReplayRecorderTest : public EngineTest {
protected:
    void TearDown() override {
        for (const char* name : {"game.rpl", "fifo.rpl", "link.rpl", "kestrel.log.1", "old.rpl"})
            unlink(name);
        EngineTest::TearDown();
    }
};

// A FIFO or a device could block the game or swallow its recording; the log would be emptied
// under it; a second game would cut the first one's file off. Each is refused at once, naming
// the file and why, and none is changed.
TEST_F(ReplayRecorderTest, OnlyARegularFileThatNoOneElseWritesIsRecordedTo) {
    ASSERT_EQ(mkfifo("fifo.rpl", 0600), 0); // no reader: opening it to write would wait for one
    ks::LogManager::getInstance().writeLog("the log's own line");
    ASSERT_EQ(symlink("kestrel.log", "link.rpl"), 0);
    std::ofstream("kestrel.log.1") << "the log before\n";
    ks::ReplayRecorder first;
    ASSERT_EQ(first.open("game.rpl"), 0);
    ASSERT_EQ(first.begin(7), 0);

    const std::pair<std::string, std::string> cases[] = {
        {"fifo.rpl", "cannot record to fifo.rpl: not a regular file"},
        {"/dev/full", "cannot record to /dev/full: not a regular file"},
        {"kestrel.log", "cannot record to kestrel.log: it is the game's log file"},
        {"link.rpl", "cannot record to link.rpl: it is the game's log file"},
        {"kestrel.log.1", "cannot record to kestrel.log.1: it is the game's log file"},
        {"game.rpl", "cannot record to game.rpl: another game is recording to it"},
        {"no-such-folder/game.rpl",
         "cannot record to no-such-folder/game.rpl: No such file or directory"},
    };
    for (const auto& [name, error] : cases) {
        ks::ReplayRecorder second;
        EXPECT_EQ(second.open(name), -1) << name;
        EXPECT_EQ(second.getError(), error);
        EXPECT_FALSE(second.isOpen());
    }
    EXPECT_EQ(fileText("kestrel.log"), "the log's own line\n");
    EXPECT_EQ(fileText("kestrel.log.1"), "the log before\n");
    EXPECT_EQ(fileText("game.rpl"), "ks-replay 2\nseed 7\n");
}

// The file is emptied only once the recording begins (a start that fails later leaves it as it
// was); a file made for a recording that never began is taken away again.
TEST_F(ReplayRecorderTest, TheFileIsLeftAsItWasUntilTheRecordingBegins) {
    std::ofstream("old.rpl") << "ks-replay 2\nseed 1\n";
    {
        ks::ReplayRecorder recorder;
        ASSERT_EQ(recorder.open("old.rpl"), 0);
        EXPECT_EQ(fileText("old.rpl"), "ks-replay 2\nseed 1\n");
        ks::ReplayRecorder never_begun;
        ASSERT_EQ(never_begun.open("game.rpl"), 0);
    }
    EXPECT_EQ(fileText("old.rpl"), "ks-replay 2\nseed 1\n");
    EXPECT_EQ(access("game.rpl", F_OK), -1);
}

// Under a file-size limit of 100 bytes: the header takes 19, each "NN key down W" line 14, so
// the sixth line (cycle 15) is cut after 11 bytes. The recording stops there and says why.
TEST_F(ReplayRecorderTest, TheFirstFailedWriteStopsTheRecordingAndSaysWhy) {
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    ks::ReplayRecorder recorder;
    ASSERT_EQ(recorder.open("game.rpl"), 0);
    ASSERT_EQ(recorder.begin(7), 0);
    for (int cycle = 10; cycle < 20; cycle++) {
        recorder.write(
            {cycle, ks::Replay::Input::KEYBOARD, ks::KEY_DOWN, ks::Keyboard::W, ks::Position()});
        EXPECT_EQ(recorder.hasFailed(), cycle >= 15) << cycle;
    }
    recorder.close(19, 0);
    EXPECT_EQ(recorder.getCyclesHeld(), 15);
    EXPECT_EQ(recorder.getError(),
              "cannot write game.rpl: file-size limit reached (File too large)");
    EXPECT_EQ(fileText("game.rpl").size(), 100u);
}

// What a crash signal's handler writes: the cycle under way and the signal, once, and nothing
// once the recording has ended.
TEST_F(ReplayRecorderTest, ACrashLeavesADiedLineWithTheCycleUnderWay) {
    ks::ReplayRecorder recorder;
    ASSERT_EQ(recorder.open("game.rpl"), 0);
    ASSERT_EQ(recorder.begin(7), 0);
    recorder.setCycle(411);
    recorder.setCycle(412);
    ks::ReplayRecorder::writeDeathLine(SIGSEGV);
    ks::ReplayRecorder::writeDeathLine(SIGABRT);
    EXPECT_EQ(fileText("game.rpl"), "ks-replay 2\nseed 7\n412 died SIGSEGV\n");

    ASSERT_EQ(recorder.open("old.rpl"), 0);
    ASSERT_EQ(recorder.begin(8), 0);
    recorder.close(3, 0x2a);
    ks::ReplayRecorder::writeDeathLine(SIGSEGV);
    EXPECT_EQ(fileText("old.rpl"), "ks-replay 2\nseed 8\n3 end 000000000000002a\n");
}

} // namespace
