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

// Each test starts graphics as it needs them, here without DISPLAY set; the result of startUp.
class GraphicsStartUpTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        gm().shutDown();
        ks::LogManager::getInstance().startUp();
    }
    static int startWithoutDisplay(bool headless) {
        const std::string saved = hasDisplay() ? std::getenv("DISPLAY") : "";
        unsetenv("DISPLAY");
        gm().setHeadless(headless);
        const int result = gm().startUp();
        if (!saved.empty())
            setenv("DISPLAY", saved.c_str(), 1);
        return result;
    }
};

TEST_F(GraphicsStartUpTest, WithoutADisplayNoWindowIsCreatedAndNothingCrashes) {
    EXPECT_EQ(-1, startWithoutDisplay(false));
    EXPECT_EQ(logLines(), std::vector<std::string>{"GraphicsManager::startUp(): Error: Unable to "
                                                   "open a display"});
    EXPECT_EQ(nullptr, gm().getWindow());
    EXPECT_EQ(-1, gm().drawCh(ks::Position(1, 1), 'x', ks::RED));
    EXPECT_EQ(-1, gm().swapBuffers());
    ks::InputManager::getInstance().getInput();
}

// The whole drawing interface works on the cell model, with no display to be had.
TEST_F(GraphicsStartUpTest, HeadlessNeedsNoDisplayAndKeepsTheCells) {
    EXPECT_EQ(0, startWithoutDisplay(true));
    EXPECT_EQ(0, gm().drawString(ks::Position(3, 4), "ok", ks::LEFT_JUSTIFIED, ks::GREEN));
    EXPECT_EQ("    ok", row(4).substr(0, 6));
    EXPECT_EQ(0, gm().swapBuffers());
    EXPECT_EQ(std::string(80, ' '), row(4));
    ks::InputManager::getInstance().getInput(); // no events, no keys: nothing happens
    EXPECT_EQ(0, gm().startUp());               // a second start keeps the backend
}

// This one opens the window, in a directory without the font.
TEST_F(GraphicsStartUpTest, MissingFontKeepsTheWindow) {
    if (!hasDisplay())
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
