// The log file: exact lines, written through at once, emptied on each start.
#include <fstream>
#include <iterator>

#include "LogManager.h"
#include "TestSupport.h"

class LogManagerTest : public ::testing::Test {
protected:
    void SetUp() override { log.startUp(); }
    ks::LogManager& log = ks::LogManager::getInstance();
};

// Read while the stream is still open: the line must already be in the file.
TEST_F(LogManagerTest, WritesTheFormattedTextAndANewlineAtOnce) {
    log.writeLog("GameManager::run(): %i cycles (%i seconds) executed", 30, 1);
    std::ifstream in("kestrel.log");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "GameManager::run(): 30 cycles (1 seconds) executed\n");
}

TEST_F(LogManagerTest, LinesWithoutAnOpenFileAreDroppedAndRestartsEmptyTheFileWithoutLeaks) {
    log.writeLog("from an earlier run");
    log.shutDown();
    log.writeLog("nowhere to go");
    EXPECT_EQ(logLines(), std::vector<std::string>{"from an earlier run"});
    // Each start must close the stream it replaces, or descriptors run out long before the end.
    for (int i = 0; i < 5000; i++)
        log.startUp();
    log.writeLog("fresh");
    EXPECT_EQ(logLines(), std::vector<std::string>{"fresh"});
}
