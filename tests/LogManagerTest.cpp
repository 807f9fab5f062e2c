#include <gtest/gtest.h>

#include <fstream>

#include "LogManager.h"
#include "TestSupport.h"

using ks::LogManager;

class LogManagerTest : public ::testing::Test {
protected:
    void SetUp() override { LogManager::getInstance().startUp(); }
    void TearDown() override { LogManager::getInstance().startUp(); }
};

TEST_F(LogManagerTest, WritesExactlyTheFormattedTextAndANewline) {
    LogManager& log = LogManager::getInstance();
    log.writeLog("WorldManager::startUp(): WorldManager started");
    log.writeLog("GameManager::run(): %i cycles (%i seconds) executed", 30, 1);
    std::ifstream in("kestrel.log");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "WorldManager::startUp(): WorldManager started\n"
                   "GameManager::run(): 30 cycles (1 seconds) executed\n");
}

TEST_F(LogManagerTest, EachLineIsInTheFileRightAfterItsCall) {
    LogManager::getInstance().writeLog("first");
    EXPECT_EQ(logLines(), std::vector<std::string>{"first"});
    LogManager::getInstance().writeLog("second %s", "line");
    EXPECT_EQ(logLines(), (std::vector<std::string>{"first", "second line"}));
}

TEST_F(LogManagerTest, StartingAgainEmptiesTheFile) {
    LogManager& log = LogManager::getInstance();
    log.writeLog("from an earlier run");
    log.startUp();
    log.writeLog("fresh");
    EXPECT_EQ(logLines(), std::vector<std::string>{"fresh"});
}

TEST_F(LogManagerTest, LinesWithoutAnOpenFileAreDropped) {
    LogManager& log = LogManager::getInstance();
    log.shutDown();
    log.writeLog("nowhere to go");
    EXPECT_FALSE(log.isStarted());
    log.startUp();
    log.writeLog("back");
    EXPECT_EQ(logLines(), std::vector<std::string>{"back"});
}

TEST_F(LogManagerTest, RepeatedStartsDoNotLeakFileHandles) {
    // Each start must close the stream it replaces; a leak would run out of descriptors here.
    for (int i = 0; i < 5000; i++)
        LogManager::getInstance().startUp();
    LogManager::getInstance().writeLog("still writing");
    EXPECT_EQ(logLines(), std::vector<std::string>{"still writing"});
}
