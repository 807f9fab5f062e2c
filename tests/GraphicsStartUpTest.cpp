// Starting graphics without a display, without the font, and without a window at all.
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "TestSupport.h"

namespace {

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

// Each test chooses its backend; the next test's resetEngine starts the headless one again.
class GraphicsStartUpTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        gm().shutDown();
        ks::LogManager::getInstance().startUp();
    }
    void TearDown() override {
        gm().shutDown();
        gm().setHeadless(true);
    }
};

TEST_F(GraphicsStartUpTest, WithoutADisplayNoWindowIsCreatedAndNothingCrashes) {
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    gm().setHeadless(false);
    EXPECT_EQ(-1, gm().startUp());
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(
        std::vector<std::string>{"GraphicsManager::startUp(): Error: Unable to open a display"},
        logLines());
    EXPECT_EQ(nullptr, gm().getWindow());
    EXPECT_EQ(-1, gm().drawCh(ks::Position(1, 1), 'x', ks::RED));
    EXPECT_EQ(-1, gm().swapBuffers());
    ks::InputManager::getInstance().getInput();
}

// The whole drawing interface works on the cell model, with no display to be had.
TEST_F(GraphicsStartUpTest, HeadlessNeedsNoDisplayAndKeepsTheCells) {
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    gm().setHeadless(true);
    EXPECT_EQ(0, gm().startUp());
    if (!saved.empty())
        setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_TRUE(gm().isStarted());
    EXPECT_EQ(nullptr, gm().getWindow());
    EXPECT_EQ(0, gm().drawString(ks::Position(3, 4), "ok", ks::LEFT_JUSTIFIED, ks::GREEN));
    EXPECT_EQ("    ok", row(4).substr(0, 6));
    EXPECT_EQ(0, gm().swapBuffers());
    EXPECT_EQ(std::string(80, ' '), row(4));
    ks::InputManager::getInstance().getInput(); // no events, no keys: nothing happens
    EXPECT_EQ(0, gm().startUp());               // a second start keeps the backend
}

// Runs after the display test: this one opens the window, in a directory without the font.
TEST_F(GraphicsStartUpTest, MissingFontKeepsTheWindow) {
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no display";
    mkdir("nofont", 0755);
    ASSERT_EQ(0, chdir("nofont"));
    ks::LogManager::getInstance().startUp(); // the log now lives here too
    gm().setHeadless(false);
    EXPECT_EQ(-1, gm().startUp());
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): Error: Unable to load font 'ks-font.ttf'"));
    EXPECT_NE(nullptr, gm().getWindow());
    EXPECT_EQ(0, gm().drawCh(ks::Position(2, 3), 'x', ks::RED));
    gm().shutDown();
    ASSERT_EQ(0, chdir(".."));
}

} // namespace
