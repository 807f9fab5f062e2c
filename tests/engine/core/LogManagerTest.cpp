// The log file: exact lines, written through at once, emptied on each start; bounded in size,
// only ever a regular file, and never fatal to write.
#include <algorithm>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "LogManager.h"
#include "TestSupport.h"

static long fileSize(const char* name) {
    struct stat status;
    return stat(name, &status) == 0 ? static_cast<long>(status.st_size) : -1;
}

class LogManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        removeFiles();
        log.startUp();
    }
    void TearDown() override {
        EngineTest::TearDown(); // the file-size limit and the size cap first
        removeFiles();
        log.startUp();
    }
    static void removeFiles() {
        unlink("kestrel.log");
        rmdir("kestrel.log");
        unlink("kestrel.log.1");
        unlink("game.log");
        unlink("game.log.1");
    }
    // Sets this process's soft file-size limit (which can be raised back up to the hard one).
    static void limitFileSize(rlim_t bytes) {
        struct rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::min(bytes, limit.rlim_max);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ks::LogManager& log = ks::LogManager::getInstance();
};

// Each start must close the stream it replaces, or descriptors run out long before the end.
TEST_F(LogManagerTest, EachStartEmptiesTheFileAndClosesTheOldStream) {
    for (int i = 0; i < 5000; i++)
        log.startUp();
    log.writeLog("fresh %d", 1);
    EXPECT_EQ(logLines(), std::vector<std::string>{"fresh 1"});
}

// A game names its own log, and the engine's default file is left alone. Lines of 11 bytes with
// the newline against a cap of 35 bytes: three lines to a file. After 8 lines the previous file
// holds 4..6 and the current one 7..8; nothing newer is ever lost, and a line longer than the
// whole cap still gets a file of its own. A new start removes the old file.
TEST_F(LogManagerTest, AFullFileMovesAsideUnderItsNameKeepingOnePreviousFileAndEveryNewLine) {
    log.writeLog("before");
    log.setFileName("game.log");
    log.writeLog("still the open file");
    log.startUp();
    log.setMaxFileSize(35);
    for (int i = 1; i <= 8; i++)
        log.writeLog("line %05d", i);
    EXPECT_EQ(fileText("kestrel.log"), "before\nstill the open file\n");
    EXPECT_EQ(fileText("game.log.1"), "line 00004\nline 00005\nline 00006\n");
    EXPECT_EQ(fileText("game.log"), "line 00007\nline 00008\n");
    log.writeLog("%s", std::string(600, 'x').c_str()); // longer than the cap and the stack buffer
    log.writeLog("after");
    EXPECT_EQ(fileText("game.log.1"), std::string(600, 'x') + "\n");
    EXPECT_EQ(fileText("game.log"), "after\n");
    log.startUp();
    EXPECT_EQ(fileSize("game.log.1"), -1);
    EXPECT_EQ(fileSize("game.log"), 0);
}

// A pipe fills after 64 KiB and then blocks every write: the game froze. A pipe, with or without
// a reader, and a directory are not log files: their lines are dropped and nothing is written to
// them. A hang here is the fault.
TEST_F(LogManagerTest, OnlyARegularFileIsWrittenAndOpeningNeverBlocks) {
    unlink("kestrel.log");
    ASSERT_EQ(mkfifo("kestrel.log", 0600), 0);
    log.startUp(); // no reader: an open for writing alone would wait for one
    for (int i = 0; i < 10000; i++)
        log.writeLog("filling the pipe, line %d of 10000", i);
    int reader = open("kestrel.log", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    log.startUp();
    for (int i = 0; i < 10000; i++)
        log.writeLog("filling the pipe, line %d of 10000", i);
    char byte;
    EXPECT_EQ(read(reader, &byte, 1), 0); // no writer has it open: nothing, and end of file
    close(reader);
    struct stat status;
    EXPECT_TRUE(stat("kestrel.log", &status) == 0 && S_ISFIFO(status.st_mode)); // not replaced
    unlink("kestrel.log");
    ASSERT_EQ(mkdir("kestrel.log", 0700), 0);
    log.startUp();
    log.writeLog("dropped");
    log.setMaxFileSize(10); // nothing to move aside either
    log.writeLog("dropped too");
    EXPECT_EQ(fileSize("kestrel.log.1"), -1);
}

// Under a file-size limit the process died of SIGXFSZ when the log reached it. The file now moves
// aside before the limit; and a limit that comes lower after the start (the write then fails)
// only costs lines.
TEST_F(LogManagerTest, AFileSizeLimitMovesTheFileAsideAndAWriteBeyondItIsNotFatal) {
    limitFileSize(4096);
    log.startUp();
    for (int i = 0; i < 1000; i++)
        log.writeLog("line %05d", i);
    EXPECT_LE(fileSize("kestrel.log"), 4096);
    EXPECT_EQ(fileSize("kestrel.log.1"), 4092); // 372 lines of 11 bytes
    EXPECT_EQ(logLines().back(), "line 00999");
    limitFileSize(fileSize("kestrel.log"));
    for (int i = 0; i < 100; i++)
        log.writeLog("beyond the limit");
    limitFileSize(RLIM_INFINITY); // as high as it may go
    log.startUp();
    log.writeLog("alive");
    EXPECT_EQ(logLines(), std::vector<std::string>{"alive"});
}

// Two runs that write the same game lines have one checksum, whatever they logged of the clock
// and the screen in between (written to the file all the same); any other line, or a line
// longer than the formatting buffer, counts. Starting the log starts the checksum again.
TEST_F(LogManagerTest, ChecksumCountsGameLinesButNotVolatileLines) {
    auto run = [this](bool with_volatile, const std::string& extra) {
        log.startUp();
        log.writeLog("created instance of player");
        if (with_volatile) {
            log.writeVolatileLog("GameManager::run(): cycle %i missed deadline by %lu ms, "
                                 "consider lowering frame rate",
                                 12, 7UL);
            log.writeVolatileLog("GraphicsManager::startUp(): GraphicsManager started");
            EXPECT_TRUE(logHas("GraphicsManager::startUp(): GraphicsManager started"));
        }
        log.writeLog("GameManager::run(): %i cycles (%i seconds) executed", 30, 1);
        if (!extra.empty())
            log.writeLog("%s", extra.c_str());
        return log.getChecksum();
    };
    const uint64_t plain = run(false, "");
    EXPECT_EQ(run(true, ""), plain);
    EXPECT_NE(run(false, "GraphicsManager::moveObject(): Object with id 3 went out of bounds"),
              plain);
    const uint64_t shorter = run(false, std::string(600, 'x'));
    EXPECT_NE(run(false, std::string(601, 'x')), shorter);
    EXPECT_EQ(logLines().back(), std::string(601, 'x')); // long lines are written whole
    log.startUp();
    EXPECT_NE(log.getChecksum(), plain);
    EXPECT_EQ(run(false, ""), plain);
}
