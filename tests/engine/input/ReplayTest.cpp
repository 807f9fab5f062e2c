// Replay files: damaged ones refused with file, line and fault; cut ones read up to their last
// complete line; the marks of the log's checksum.
#include <cstdio>
#include <sstream>
#include <streambuf>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "Replay.h"

namespace {

// The error of parsing the text as "game.rpl", or "" when it parses.
std::string errorOf(const std::string& text) {
    std::istringstream in(text);
    ks::Replay replay;
    return replay.parse(in, "game.rpl") == 0 ? "" : replay.getError();
}

// Version 2: time marks and the end line carry the log's checksum after their cycle. A game
// killed by a crash signal ends with the cycle it died in.
TEST(ReplayTest, TheMarksAndTheEndOrDiedLineEndTheRecording) {
    std::istringstream in("ks-replay 2\nseed 3\n0 time 00000000000000ff\n5 key pressed A\n"
                          "30 time 0123456789abcdef\n44 quit\n44 end fedcba9876543210\n");
    ks::Replay replay;
    ASSERT_EQ(replay.parse(in, "game.rpl"), 0) << replay.getError();
    EXPECT_EQ(replay.getVersion(), 2);
    ASSERT_EQ(replay.getMarks().size(), 3u);
    EXPECT_EQ(replay.getMarks()[0].cycle, 0);
    EXPECT_EQ(replay.getMarks()[0].checksum, 255u);
    EXPECT_EQ(replay.getMarks()[1].cycle, 30);
    EXPECT_EQ(replay.getMarks()[1].checksum, 0x0123456789abcdefULL);
    EXPECT_EQ(replay.getMarks()[1].line, 5);
    EXPECT_EQ(replay.getMarks()[2].cycle, 44);
    EXPECT_EQ(replay.getMarks()[2].checksum, 0xfedcba9876543210ULL);
    EXPECT_EQ(replay.getInputs().size(), 2u);
    EXPECT_EQ(replay.getLastCycle(), 44);
    EXPECT_EQ(replay.getCutNote(), "");
    std::istringstream died("ks-replay 2\nseed 3\n0 time 00000000000000ff\n412 died SIGSEGV\n");
    ks::Replay dead;
    ASSERT_EQ(dead.parse(died, "game.rpl"), 0) << dead.getError();
    EXPECT_EQ(dead.getDeathSignal(), "SIGSEGV");
    EXPECT_EQ(dead.getLastCycle(), 412);
    EXPECT_EQ(dead.getCutNote(), "");
    EXPECT_EQ(errorOf("ks-replay 2\nseed 3\n412 died SIGSEGV\n413 key down W\n"),
              "game.rpl:4: input after the end line");
}

// A full disk or a killed game leaves a file cut anywhere: every complete line is played, the
// cut one is not read at all (a cut "F12" would read as "F1"), and the note says where.
TEST(ReplayTest, AFileCutOffIsReadUpToItsLastCompleteLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"ks-replay 2\nseed 3\n0 time 00000000000000ff\n5 key down A\n40 key down F1",
         "game.rpl:5: recording cut off (line without its line end): it ends at cycle 5, its "
         "last complete line"},
        {"ks-replay 2\nseed 3\n0 time 00000000000000ff\n5 key down A\n30 time 0000000000000001\n",
         "game.rpl:6: recording cut off (no end line): it ends at cycle 30, its last complete "
         "line"},
        {"ks-replay 1\nseed 3\n5 key pressed A\n40 key down A\n",
         "game.rpl:5: recording cut off (no end line): it ends at cycle 40, its last complete "
         "line"},
        {"ks-replay 2\nseed 3\n", "game.rpl:3: recording cut off (no end line): it holds no cycle"},
    };
    for (const auto& [text, note] : cases) {
        std::istringstream in(text);
        ks::Replay replay;
        ASSERT_EQ(replay.parse(in, "game.rpl"), 0) << replay.getError();
        EXPECT_EQ(replay.getCutNote(), note);
        if (&text == &cases[0].first) { // the cut line not read
            EXPECT_EQ(replay.getInputs().size(), 1u);
            EXPECT_EQ(replay.getLastCycle(), 5);
        }
    }
}

TEST(ReplayTest, EachDamageIsNamedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "game.rpl:1: empty file: expected 'ks-replay 2'"},
        {"ks-replay 2\nse", "game.rpl:2: line cut off (no line end): 'se'"},
        {"ks-repl", "game.rpl:1: not a replay file: expected 'ks-replay 2', found 'ks-repl'"},
        {"\x89PNG\r\n\x1a\n", "game.rpl:1: not a replay file: expected 'ks-replay 2', found "
                              "'?PNG'"},
        {"ks-replay 3\nseed 3\n",
         "game.rpl:1: replay format version '3' is not supported (this game reads versions 1 to "
         "2)"},
        {"ks-replay 1\n", "game.rpl:2: no seed line: the file ends after its header"},
        {"ks-replay 1\nseed -4\n", "game.rpl:2: expected 'seed N' (N from 0 to 4294967295), "
                                   "found 'seed -4'"},
        {"ks-replay 1\nseed 3\n9 key down W\n8 key down W\n",
         "game.rpl:4: cycle 8 comes after cycle 9: cycles must not go backwards"},
        {"ks-replay 1\nseed 3\n9 key down SHIFT\n", "game.rpl:3: unknown key 'SHIFT'"},
        {"ks-replay 1\nseed 3\n9 key held W\n",
         "game.rpl:3: unknown key action 'held' (pressed, released or down)"},
        {"ks-replay 1\nseed 3\n9 mouse pressed LEFT 1 x\n", "game.rpl:3: bad mouse position '1 x'"},
        {"ks-replay 1\nseed 3\nx key down W\n", "game.rpl:3: bad cycle number 'x'"},
        {"ks-replay 1\nseed 3\n9 end\n9 key down W\n", "game.rpl:4: input after the end line"},
        {"ks-replay 1\nseed 3\n9 jump\n",
         "game.rpl:3: expected 'CYCLE key|mouse|quit|end ...', found '9 jump'"},
        {"ks-replay 1\nseed 3\n9 time 0000000000000000\n",
         "game.rpl:3: expected 'CYCLE key|mouse|quit|end ...', found '9 time 0000000000000000'"},
        {"ks-replay 2\nseed 3\n9 jump\n",
         "game.rpl:3: expected 'CYCLE key|mouse|quit|time|end|died ...', found '9 jump'"},
        {"ks-replay 2\nseed 3\n9 end\n",
         "game.rpl:3: expected 'CYCLE end CHECKSUM' (16 hexadecimal digits), found '9 end'"},
        {"ks-replay 2\nseed 3\n9 time 0123456789ABCDEF\n",
         "game.rpl:3: expected 'CYCLE time CHECKSUM' (16 hexadecimal digits), found '9 time "
         "0123456789ABCDEF'"},
        {"ks-replay 2\nseed 3\n9 died of old age\n",
         "game.rpl:3: expected 'CYCLE died SIGNAL', found '9 died of old age'"},
        // The loop's cycle count goes one past the last cycle played, and must fit an int.
        {"ks-replay 1\nseed 3\n2147483647 end\n",
         "game.rpl:3: cycle 2147483647 is more than the game loop can count (at most "
         "2147483646)"},
        {"ks-replay 2\nseed 3\n99999999999 quit\n",
         "game.rpl:3: cycle 99999999999 is more than the game loop can count (at most "
         "2147483646)"},
        {"ks-replay 2\nseed 3\n" + std::string(257, '7') + " quit\n",
         "game.rpl:3: line longer than 256 characters: '" + std::string(40, '7') + "...'"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(errorOf(text), error) << text;
    EXPECT_EQ(errorOf("ks-replay 1\nseed 3\n2147483646 end\n"), "");
    EXPECT_EQ(errorOf("ks-replay 2\nseed 3\n" + std::string(250, ' ') + "9 quit\n"), "");
}

// A stream of the start given, then a line of short words that goes on for 64 MB; counts the
// bytes handed out.
class EndlessLine : public std::streambuf {
public:
    explicit EndlessLine(std::string start) : chunk(std::move(start)) {}
    long long taken = 0;

protected:
    int_type underflow() override {
        if (taken > 64LL * 1024 * 1024)
            return traits_type::eof();
        if (taken > 0 || chunk.empty())
            for (chunk.clear(); chunk.size() < 4096;)
                chunk += "ab ";
        setg(&chunk[0], &chunk[0], &chunk[0] + chunk.size());
        taken += static_cast<long long>(chunk.size());
        return traits_type::to_int_type(chunk[0]);
    }

private:
    std::string chunk;
};

// A line too long for a replay is refused after its first few hundred bytes, not read whole
// (250 MB of short words once took 4.7 GB before it was refused).
TEST(ReplayTest, ALongLineIsRefusedWithoutReadingItWhole) {
    for (const std::string start : {"", "ks-replay 2\nseed 3\n"}) {
        EndlessLine source(start);
        std::istream in(&source);
        ks::Replay replay;
        EXPECT_EQ(replay.parse(in, "game.rpl"), -1);
        EXPECT_LT(source.taken, 64 * 1024) << replay.getError();
        EXPECT_EQ(replay.getError().substr(0, 11), start.empty() ? "game.rpl:1:" : "game.rpl:3:");
    }
}

// A FIFO would block for ever: only regular files are opened.
TEST(ReplayTest, OnlyRegularFilesAreRead) {
    ks::Replay replay;
    remove("fifo.rpl");
    ASSERT_EQ(mkfifo("fifo.rpl", 0600), 0);
    EXPECT_EQ(replay.load("fifo.rpl"), -1);
    EXPECT_EQ(replay.getError(), "fifo.rpl: cannot open: not a regular file");
    remove("fifo.rpl");
}

} // namespace
