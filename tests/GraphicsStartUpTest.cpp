// Starting graphics without a display and without the font.
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "Frame.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "TestSupport.h"

namespace {

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

using GraphicsStartUpTest = EngineTest;

TEST_F(GraphicsStartUpTest, WithoutADisplayNoWindowIsCreated) {
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(-1, gm().startUp());
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(
        std::vector<std::string>{"GraphicsManager::startUp(): Error: Unable to open a display"},
        logLines());
    EXPECT_EQ(nullptr, gm().getWindow());
    EXPECT_FALSE(gm().isStarted());
    EXPECT_EQ(-1, ks::InputManager::getInstance().startUp());
    EXPECT_EQ(-1, gm().drawCh(ks::Position(1, 1), 'x', ks::RED));
    EXPECT_EQ(-1, gm().drawString(ks::Position(1, 1), "xy", ks::LEFT_JUSTIFIED, ks::RED));
    EXPECT_EQ(0, gm().drawFrame(ks::Position(1, 1), ks::Frame(1, 1, "x"), false, ks::RED));
    EXPECT_EQ(-1, gm().swapBuffers());
    EXPECT_EQ(std::string(80, ' '), row(1));
    ks::InputManager::getInstance().getInput();
}

// Runs after the display test: this one opens the window.
TEST_F(GraphicsStartUpTest, MissingFontKeepsTheWindow) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display";
    mkdir("nofont", 0755);
    ASSERT_EQ(0, chdir("nofont"));
    resetEngine(); // the log now lives here too
    EXPECT_EQ(-1, gm().startUp());
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): Error: Unable to load font 'ks-font.ttf'"));
    sf::RenderWindow* window = gm().getWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(gm().isStarted());
    EXPECT_EQ(0, gm().startUp()); // a window exists: nothing more happens
    EXPECT_EQ(window, gm().getWindow());
    EXPECT_EQ(0, gm().drawCh(ks::Position(2, 3), 'x', ks::RED));
    EXPECT_EQ('x', gm().getCellChar(2, 3));
    EXPECT_EQ(0, gm().swapBuffers());
    gm().shutDown();
    EXPECT_EQ(nullptr, gm().getWindow());
    EXPECT_EQ(-1, gm().drawCh(ks::Position(2, 3), 'x', ks::RED));
    ASSERT_EQ(0, chdir(".."));
}

} // namespace
