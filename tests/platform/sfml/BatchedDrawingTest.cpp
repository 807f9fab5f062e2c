// A frame drawn in one call (batched) against each cell's rectangle and text drawn at once: the
// pixels must be the same, on a real window (Xvfb in the test run).
#include <algorithm>
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "ArrowTrap.h"
#include "Direction.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "Map.h"
#include "Moneybag.h"
#include "PopUp.h"
#include "Setup.h"
#include "SfmlScreen.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

using ks::Position;

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

class BatchedDrawingTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (!hasDisplay())
            GTEST_SKIP() << "no display";
        window = openTestWindow();
        ASSERT_NE(window, nullptr);
        window->clearFrame();
    }

    // The frame drawn into the window's back buffer one way, as an image.
    sf::Image pixelsOf(const std::vector<ks::CellDraw>& cells, bool batched) {
        window->setBatching(batched);
        window->drawFrame(cells);
        sf::Texture texture;
        texture.create(921, 691);
        texture.update(*window->getWindow());
        window->clearFrame();
        return texture.copyToImage();
    }

    // The lit pixels of the frame, or -1 if the two ways differ in any pixel.
    int litIfSame(const std::vector<ks::CellDraw>& cells) {
        const sf::Image unbatched = pixelsOf(cells, false);
        const sf::Image batched = pixelsOf(cells, true);
        const sf::Uint8* a = batched.getPixelsPtr();
        if (!std::equal(a, a + 4 * 921 * 691, unbatched.getPixelsPtr()))
            return -1;
        int lit = 0;
        for (unsigned y = 0; y < 691; y++)
            for (unsigned x = 0; x < 921; x++)
                lit += batched.getPixel(x, y) != sf::Color::Black;
        return lit;
    }

    std::unique_ptr<ks::SfmlScreen> window;
};

// Every printable character in every colour (8 and 9 included), cells drawn over, strings and
// frames partly off the window, and characters outside printable ASCII, whose glyphs are loaded
// mid-frame: loading one must not disturb the cells queued before it or drawn after.
TEST_F(BatchedDrawingTest, ABusyFrameMatches) {
    startScripted();
    gm().drawString(Position(-1, 0), std::string(80, '#'), ks::LEFT_JUSTIFIED, ks::WHITE);
    for (int x = 0; x < 80; x += 3)
        gm().drawCh(Position(x, 0), ' ', ks::WHITE);
    for (int i = 0; i < 80 * 23; i++)
        gm().drawCh(Position(i % 80, 1 + i / 80), char(32 + i % 95), i / 95 % 10);
    for (int y = 1; y < 24; y += 2)
        for (int x = y % 3; x < 80; x += 3)
            gm().drawCh(Position(x, y), x % 2 ? ' ' : 'M', ks::YELLOW);
    gm().drawString(Position(40, 11), "Health: 30", ks::CENTER_JUSTIFIED, ks::RED);
    gm().drawString(Position(79, 0), "Score: 1200", ks::RIGHT_JUSTIFIED, ks::GREEN);
    gm().drawFrame(Position(-2, 21), ks::Frame(6, 3, "/----\\| @@ |\\----/"), false, ks::CYAN);
    gm().drawFrame(Position(77, -1), ks::Frame(4, 2, "####%%%%"), false, ks::MAGENTA);
    const char unusual[] = {'\t', '\n', '\r', '\0', '\x01', '\x7f', '\xe9', '\xff'};
    for (int i = 0; i < 8; i++) {
        gm().drawCh(Position(5 * i + 3, 4 + i), unusual[i], ks::WHITE);
        gm().drawCh(Position(5 * i + 4, 4 + i), '%', i);
    }
    EXPECT_GT(litIfSame(gm().getFrameDraws()), 40000);
}

TEST_F(BatchedDrawingTest, ARoomOfTheGameMatches) {
    startScripted();
    const unsigned long next_seed = Map::getNextSeed();
    loadResources();
    Map::setNextSeed(7);
    Map::spawn();
    new Zombie(Position(12, 5), 0);
    new ArrowTrap(Position(3, 10), EAST);
    new Moneybag(Position(65, 19));
    PopUp::spawn("Defence up!");
    ks::WorldManager::getInstance().update(); // the other rooms' objects leave the world
    ks::WorldManager::getInstance().draw();
    EXPECT_GT(litIfSame(gm().getFrameDraws()), 10000);
    Map::setNextSeed(next_seed);
}

} // namespace
