// Starting graphics without a display and without the font.
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "GraphicsManager.h"
#include "InputManager.h"
#include "TestSupport.h"

using GraphicsStartUpTest = EngineTest;

TEST_F(GraphicsStartUpTest, WithoutADisplayNoWindowIsCreatedAndNothingCrashes) {
    ks::GraphicsManager& gm = ks::GraphicsManager::getInstance();
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(-1, gm.startUp());
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(
        std::vector<std::string>{"GraphicsManager::startUp(): Error: Unable to open a display"},
        logLines());
    EXPECT_EQ(nullptr, gm.getWindow());
    EXPECT_EQ(-1, gm.drawCh(ks::Position(1, 1), 'x', ks::RED));
    EXPECT_EQ(-1, gm.swapBuffers());
    ks::InputManager::getInstance().getInput();
}

// Runs after the display test: this one opens the window, in a directory without the font.
TEST_F(GraphicsStartUpTest, MissingFontKeepsTheWindow) {
    ks::GraphicsManager& gm = ks::GraphicsManager::getInstance();
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display";
    mkdir("nofont", 0755);
    ASSERT_EQ(0, chdir("nofont"));
    resetEngine(); // the log now lives here too
    EXPECT_EQ(-1, gm.startUp());
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): Error: Unable to load font 'ks-font.ttf'"));
    EXPECT_NE(nullptr, gm.getWindow());
    EXPECT_EQ(0, gm.drawCh(ks::Position(2, 3), 'x', ks::RED));
    gm.shutDown();
    ASSERT_EQ(0, chdir(".."));
}
