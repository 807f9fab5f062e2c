// The log file: exact lines, written through at once, emptied on each start.
#include <fstream>
#include <iterator>

#include "LogManager.h"
#include "TestSupport.h"

// The file is read while the stream is still open: the line must already be in it. Each start
// must close the stream it replaces, or descriptors run out long before the end.
TEST(LogManagerTest, WritesAtOnceDropsLinesWhenClosedAndEachStartEmptiesTheFileWithoutLeaks) {
    ks::LogManager& log = ks::LogManager::getInstance();
    log.startUp();
    log.writeLog("GameManager::run(): %i cycles (%i seconds) executed", 30, 1);
    std::ifstream in("kestrel.log");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "GameManager::run(): 30 cycles (1 seconds) executed\n");
    log.shutDown();
    log.writeLog("nowhere to go");
    EXPECT_EQ(logLines().size(), 1u);
    for (int i = 0; i < 5000; i++)
        log.startUp();
    log.writeLog("fresh");
    EXPECT_EQ(logLines(), std::vector<std::string>{"fresh"});
}

// Two runs that write the same game lines have one checksum, whatever they logged of the clock
// and the window in between; any other line, or a line longer than the formatting buffer,
// counts. Starting the log starts the checksum again.
TEST(LogManagerTest, ChecksumCountsGameLinesButNotFrameTimingOrWindowLines) {
    ks::LogManager& log = ks::LogManager::getInstance();
    auto run = [&log](bool with_volatile, const std::string& extra) {
        log.startUp();
        log.writeLog("created instance of player");
        if (with_volatile) {
            log.writeLog("GameManager::run(): cycle %i missed deadline by %lu ms, consider "
                         "lowering frame rate",
                         12, 7UL);
            log.writeLog("GraphicsManager::startUp(): GraphicsManager started");
            log.writeLog("InputManager::startUp(): InputManager started");
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
