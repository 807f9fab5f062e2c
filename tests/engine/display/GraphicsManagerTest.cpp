// The graphics manager: the cell model, frames far larger than the screen, and batched drawing
// (one draw call a frame) against drawing each cell's rectangle and text at once, which must
// give the same pixels. Where each cell's text lands is seen in the game's screens.
#include <algorithm>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "ArrowTrap.h"
#include "Box.h"
#include "Direction.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "Map.h"
#include "Moneybag.h"
#include "PopUp.h"
#include "TestSupport.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

using ks::Position;

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

class GraphicsManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (!openWindow())
            GTEST_SKIP() << "no display";
        gm().swapBuffers();
    }
};

// What has been drawn since the last swap.
sf::Image grab() {
    gm().flush();
    sf::Texture texture;
    texture.create(gm().getWindow()->getSize().x, gm().getWindow()->getSize().y);
    texture.update(*gm().getWindow());
    return texture.copyToImage();
}

// The pixels of the window that are not black.
int litPixels(const sf::Image& img) {
    int lit = 0;
    for (int y = 0; y < 691; y++)
        for (int x = 0; x < 921; x++)
            lit += img.getPixel(x, y) != sf::Color::Black;
    return lit;
}

// The cell model needs no window: these run on the headless backend.
using GraphicsCellsTest = EngineTest;

// A frame far larger than the screen, anywhere around it, draws only the cells in view and the
// ring around them whose glyphs can reach into the window.
TEST_F(GraphicsCellsTest, AHugeFrameVisitsOnlyTheCellsThatCanBeSeen) {
    ScriptedBackend* screen = startScripted();
    const ks::Frame huge(100000, 100000, "");
    EXPECT_EQ(0, gm().drawFrame(Position(-50000, -50000), huge, false, ks::RED));
    EXPECT_EQ(screen->cells_drawn, 82 * 26);
    EXPECT_EQ(std::string(80, ' '), row(0));
    EXPECT_EQ(ks::RED, gm().getCellColor(79, 23));
    screen->cells_drawn = 0;
    gm().drawFrame(Position(78, 22), huge, false, ks::RED); // its corner near the bottom right
    EXPECT_EQ(screen->cells_drawn, 3 * 3);
    screen->cells_drawn = 0;
    gm().drawFrame(Position(-100001, 0), huge, false, ks::RED); // wholly off the left edge
    EXPECT_EQ(screen->cells_drawn, 0);
}

using BatchedDrawingTest = GraphicsManagerTest;

// While the reference frame is drawn, a scene's switches to batching are ignored.
bool reference = false;
void setBatching(bool on) {
    gm().setBatching(on && !reference);
}

// Draws the scene wholly cell by cell, then batched (as it switches paths): the lit pixels of the
// frame, or -1 if the two differ in any pixel. Scenes end batched, the default.
int litIfSame(void (*scene)()) {
    sf::Image frames[2];
    for (int i = 0; i < 2; i++) {
        reference = i == 0;
        setBatching(true);
        scene();
        frames[i] = grab();
        gm().swapBuffers();
    }
    const sf::Uint8* a = frames[1].getPixelsPtr();
    bool same = std::equal(a, a + 4 * 921 * 691, frames[0].getPixelsPtr());
    return same ? litPixels(frames[1]) : -1;
}

// Every printable character in every colour (8 and 9 included), cells drawn over, strings and
// frames partly off the window, and both switches of path, each over cells the other path drew.
void busyFrame() {
    setBatching(false); // on a clean frame, then blanked in part by queued backgrounds
    gm().drawString(Position(-1, 0), std::string(80, '#'), ks::LEFT_JUSTIFIED, ks::WHITE);
    setBatching(true);
    for (int x = 0; x < 80; x += 3)
        gm().drawCh(Position(x, 0), ' ', ks::WHITE);
    for (int i = 0; i < 80 * 23; i++)
        gm().drawCh(Position(i % 80, 1 + i / 80), char(32 + i % 95), i / 95 % 10);
    setBatching(false); // the queued cells must stay underneath
    for (int y = 1; y < 24; y += 2)
        for (int x = y % 3; x < 80; x += 3)
            gm().drawCh(Position(x, y), x % 2 ? ' ' : 'M', ks::YELLOW);
    setBatching(true);
    gm().drawString(Position(40, 11), "Health: 30", ks::CENTER_JUSTIFIED, ks::RED);
    gm().drawString(Position(79, 0), "Score: 1200", ks::RIGHT_JUSTIFIED, ks::GREEN);
    gm().drawFrame(Position(-2, 21), ks::Frame(6, 3, "/----\\| @@ |\\----/"), false, ks::CYAN);
    gm().drawFrame(Position(77, -1), ks::Frame(4, 2, "####%%%%"), false, ks::MAGENTA);
    // Not preloaded: loading one must not disturb the cells queued before it or drawn after.
    const char unusual[] = {'\t', '\n', '\r', '\0', '\x01', '\x7f', '\xe9', '\xff'};
    for (int i = 0; i < 8; i++) {
        gm().drawCh(Position(5 * i + 3, 4 + i), unusual[i], ks::WHITE);
        gm().drawCh(Position(5 * i + 4, 4 + i), '%', i);
    }
}

TEST_F(BatchedDrawingTest, ABusyFrameMatches) {
    EXPECT_GT(litIfSame(busyFrame), 40000);
}

TEST_F(BatchedDrawingTest, ARoomOfTheGameMatches) {
    loadGameResources();
    Map::setNextSeed(7);
    Map::spawn();
    new Zombie(Position(12, 5), 0);
    new ArrowTrap(Position(3, 10), EAST);
    new Moneybag(Position(65, 19));
    PopUp::spawn("Defence up!");
    ks::WorldManager::getInstance().update(); // the other rooms' objects leave the world
    EXPECT_GT(litIfSame([] { ks::WorldManager::getInstance().draw(); }), 10000);
}

} // namespace
