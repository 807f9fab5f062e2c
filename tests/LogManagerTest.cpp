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
