// Replay files: each kind of damaged file is refused with its file name, line number and fault.
// (A recording written and played back is in InputManagerTest.)
#include <cstdio>
#include <sstream>
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

// A recording cut short (the game crashed) has no end line: it ends with its last input.
TEST(ReplayTest, AFileWithoutItsEndLineEndsAtItsLastInput) {
    std::istringstream in("ks-replay 1\nseed 3\n5 key pressed A\n40 key down A\n");
    ks::Replay replay;
    ASSERT_EQ(replay.parse(in, "game.rpl"), 0);
    EXPECT_EQ(replay.getLastCycle(), 40);
    EXPECT_EQ(errorOf("ks-replay 1\nseed 3\n"), "");
}

TEST(ReplayTest, EachDamageIsNamedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "game.rpl:1: empty file: expected 'ks-replay 1'"},
        {"ks-replay 1\nseed 3\n5 key pre", "game.rpl:3: line cut off (no line end): '5 key pre'"},
        {"\x89PNG\r\n\x1a\n", "game.rpl:1: not a replay file: expected 'ks-replay 1', found "
                              "'?PNG'"},
        {"ks-replay 2\nseed 3\n",
         "game.rpl:1: replay format version '2' is not supported (this game reads version 1)"},
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
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(errorOf(text), error) << text;
}

// A FIFO would block for ever and a directory never parse: only regular files are opened.
TEST(ReplayTest, OnlyRegularFilesAreRead) {
    ks::Replay replay;
    EXPECT_EQ(replay.load("no-such.rpl"), -1);
    EXPECT_EQ(replay.getError(), "no-such.rpl: cannot open: No such file or directory");
    remove("fifo.rpl");
    ASSERT_EQ(mkfifo("fifo.rpl", 0600), 0);
    EXPECT_EQ(replay.load("fifo.rpl"), -1);
    EXPECT_EQ(replay.getError(), "fifo.rpl: cannot open: not a regular file");
    remove("fifo.rpl");
}

} // namespace
