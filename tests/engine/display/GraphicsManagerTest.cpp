// The graphics manager's cell model: frames far larger than the screen, and what a frame hands
// its screen. (Where each cell's text lands is seen in the game's screens.)
#include <string>

#include "Frame.h"
#include "GraphicsManager.h"
#include "TestSupport.h"

namespace {

using ks::Position;

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

using GraphicsManagerTest = EngineTest;

// A frame far larger than the screen, anywhere around it, draws only the cells in view and the
// ring around them whose glyphs can reach into the window.
TEST_F(GraphicsManagerTest, AHugeFrameVisitsOnlyTheCellsThatCanBeSeen) {
    startScripted();
    const ks::Frame huge(100000, 100000, "");
    EXPECT_EQ(0, gm().drawFrame(Position(-50000, -50000), huge, false, ks::RED));
    EXPECT_EQ(gm().getFrameDraws().size(), 82u * 26u);
    EXPECT_EQ(std::string(80, ' '), row(0));
    EXPECT_EQ(ks::RED, gm().getCellColor(79, 23));
    gm().swapBuffers();
    gm().drawFrame(Position(78, 22), huge, false, ks::RED); // its corner near the bottom right
    EXPECT_EQ(gm().getFrameDraws().size(), 3u * 3u);
    gm().swapBuffers();
    gm().drawFrame(Position(-100001, 0), huge, false, ks::RED); // wholly off the left edge
    EXPECT_EQ(gm().getFrameDraws().size(), 0u);
}

// The screen gets each frame's cells in drawing order, in view cells (the view's corner taken
// off), a cell drawn twice twice; a paused game's redraw gives it the last frame again.
TEST_F(GraphicsManagerTest, TheScreenGetsTheFramesCellsInDrawingOrder) {
    ScriptedScreen* screen = startScripted();
    gm().setViewCorner(Position(100, 50));
    gm().drawCh(Position(110, 55), 'a', ks::GREEN);
    gm().drawString(Position(110, 55), "bc", ks::LEFT_JUSTIFIED, ks::YELLOW);
    gm().drawCh(Position(110, 55), 'd', ks::RED);
    const std::vector<ks::CellDraw> expected = {{10, 5, 'a', ks::GREEN},
                                                {11, 5, 'b', ks::YELLOW},
                                                {12, 5, 'c', ks::YELLOW},
                                                {10, 5, 'd', ks::RED}};
    EXPECT_EQ(gm().getFrameDraws(), expected);
    EXPECT_EQ(gm().swapBuffers(), 0);
    EXPECT_EQ(screen->presents, 1);
    EXPECT_EQ(screen->cells_drawn, 4);
    EXPECT_TRUE(gm().getFrameDraws().empty());
    gm().redrawLastFrame();
    EXPECT_EQ(gm().getFrameDraws(), expected);
    gm().setViewCorner(Position(0, 0));
}

// Two runs' screens are compared as text: the rows, then the colours, '.' where nothing was drawn.
TEST(CellGridTest, AsTextAGridIsItsRowsThenItsColours) {
    ks::CellGrid grid(3, 2);
    grid.set(1, 0, 'x', ks::GREEN);
    grid.set(2, 1, ' ', ks::BLACK);
    EXPECT_EQ(grid.toText(), " x \n   \n.2.\n..0\n");
}

// Without a platform there is no screen to open; without a screen nothing is drawn or shown.
TEST_F(GraphicsManagerTest, WithoutAPlatformOrAScreenNothingIsDrawn) {
    gm().shutDown();
    gm().setPlatform(nullptr);
    EXPECT_EQ(gm().startUp(), -1);
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): Error: no platform to open a screen on"));
    EXPECT_EQ(gm().drawCh(Position(1, 1), 'x', ks::WHITE), -1);
    EXPECT_EQ(gm().drawString(Position(1, 1), "xy", ks::LEFT_JUSTIFIED, ks::WHITE), -1);
    EXPECT_EQ(gm().swapBuffers(), -1);
    EXPECT_TRUE(gm().getFrameDraws().empty());
}

} // namespace
