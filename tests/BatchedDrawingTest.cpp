// Batched drawing (one draw call a frame) against drawing each cell's rectangle and text at once:
// the same scenes must give the same pixels.
#include <functional>
#include <sstream>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "ArrowTrap.h"
#include "Atkup.h"
#include "Box.h"
#include "Defup.h"
#include "Direction.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "Heart.h"
#include "Ladder.h"
#include "Map.h"
#include "Moneybag.h"
#include "PopUp.h"
#include "Skeleton.h"
#include "Spikes.h"
#include "TestSupport.h"
#include "WorldManager.h"
#include "Zombie.h"

namespace {

ks::GraphicsManager& gm() {
    return ks::GraphicsManager::getInstance();
}

class BatchedDrawingTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (!openWindow())
            GTEST_SKIP() << "no display";
        gm().setBatching(true);
        gm().swapBuffers();
    }
    void TearDown() override { gm().setBatching(true); }
};

// Everything drawn since the last swap.
sf::Image grab() {
    gm().flush();
    sf::RenderWindow* window = gm().getWindow();
    sf::Texture texture;
    texture.create(window->getSize().x, window->getSize().y);
    texture.update(*window);
    return texture.copyToImage();
}

// The pixels of the rectangle from (x0, y0), w by h (the whole image by default), not black.
int litPixels(const sf::Image& img, int x0 = 0, int y0 = 0, int w = -1, int h = -1) {
    if (w < 0)
        w = static_cast<int>(img.getSize().x);
    if (h < 0)
        h = static_cast<int>(img.getSize().y);
    int lit = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            if (img.getPixel(x, y) != sf::Color::Black)
                lit++;
    return lit;
}

// Draws the scene batched and then cell by cell; returns "" when the frames are identical, or
// the count of differing pixels and the first of them.
std::string differences(const std::function<void()>& scene, int* p_lit = nullptr) {
    gm().setBatching(true);
    scene();
    sf::Image batched = grab();
    gm().swapBuffers();
    gm().setBatching(false);
    scene();
    sf::Image direct = grab();
    gm().swapBuffers();
    gm().setBatching(true);
    if (p_lit)
        *p_lit = litPixels(batched);

    int count = 0;
    std::ostringstream first;
    for (unsigned y = 0; y < batched.getSize().y; y++) {
        for (unsigned x = 0; x < batched.getSize().x; x++) {
            sf::Color b = batched.getPixel(x, y), d = direct.getPixel(x, y);
            if (b == d)
                continue;
            if (count++ == 0)
                first << " first at " << x << "," << y << ": batched " << int(b.r) << ","
                      << int(b.g) << "," << int(b.b) << " direct " << int(d.r) << "," << int(d.g)
                      << "," << int(d.b);
        }
    }
    if (count == 0)
        return "";
    std::ostringstream out;
    out << count << " pixels differ;" << first.str();
    return out.str();
}

TEST_F(BatchedDrawingTest, EveryPrintableCharacterInEveryColourMatches) {
    int lit = 0;
    EXPECT_EQ("", differences(
                      [] {
                          for (int y = 0; y < 24; y++)
                              for (int x = 0; x < 80; x++)
                                  gm().drawCh(ks::Position(x, y), char(32 + (x + 80 * y) % 95),
                                              (x + y) % 10);
                      },
                      &lit));
    EXPECT_GT(lit, 50000);
}

TEST_F(BatchedDrawingTest, LaterCellsCoverEarlierOnesAsBefore) {
    // Wide glyphs spill into their neighbours; a second pass blanks or redraws some cells, and
    // strings and frames land across both, some of it off the window's edges.
    EXPECT_EQ(
        "", differences([] {
            for (int y = 0; y < 24; y++)
                for (int x = 0; x < 80; x++)
                    gm().drawCh(ks::Position(x, y), (x + y) % 2 ? '#' : 'W', (x * y) % 8);
            for (int y = 0; y < 24; y += 2)
                for (int x = y % 3; x < 80; x += 3)
                    gm().drawCh(ks::Position(x, y), x % 2 ? ' ' : 'M', ks::YELLOW);
            gm().drawString(ks::Position(40, 11), "Health: 30", ks::CENTER_JUSTIFIED, ks::RED);
            gm().drawString(ks::Position(79, 0), "Score: 1200", ks::RIGHT_JUSTIFIED, ks::GREEN);
            gm().drawFrame(ks::Position(-2, 21), ks::Frame(6, 3, "/----\\| @@ |\\----/"), false,
                           ks::CYAN);
            gm().drawFrame(ks::Position(77, -1), ks::Frame(4, 2, "####%%%%"), false, ks::MAGENTA);
        }));
}

TEST_F(BatchedDrawingTest, UnusualCharactersMatchAndKeepTheirPlaceInTheFrame) {
    // These are not preloaded: loading one mid-frame must not disturb what is queued.
    const char unusual[] = {'\t', '\n', '\r', '\0', '\x01', '\x7f', '\xe9', '\xff'};
    int lit = 0;
    EXPECT_EQ("", differences(
                      [&] {
                          for (int i = 0; i < 8; i++) {
                              ks::Position p(5 * i + 3, 4 + i);
                              gm().drawCh(p, '@', ks::BLUE);
                              gm().drawCh(p, unusual[i], ks::WHITE);
                              gm().drawCh(ks::Position(p.getX() + 1, p.getY()), '%', i);
                          }
                      },
                      &lit));
    EXPECT_GT(lit, 0);
}

TEST_F(BatchedDrawingTest, SwitchingToDirectDrawingKeepsTheQueuedCellsUnderneath) {
    gm().drawCh(ks::Position(10, 5), '#', ks::WHITE);
    gm().drawCh(ks::Position(30, 5), '#', ks::WHITE);
    gm().setBatching(false);
    gm().drawCh(ks::Position(10, 5), ' ', ks::WHITE); // must blank the queued '#'
    sf::Image img = grab();
    // The rectangle of cell (10, 5) spans x 115.76 .. 127.27 and y 146.35 .. 174.15.
    EXPECT_EQ(0, litPixels(img, 116, 147, 11, 27));
    EXPECT_GT(litPixels(img, 346, 147, 11, 27), 0);
}

TEST_F(BatchedDrawingTest, AQueuedBackgroundBlanksWhatWasDrawnDirectly) {
    // A background over pixels still black is left out of the batch; one over a glyph drawn
    // cell by cell earlier in the frame is not.
    gm().setBatching(false);
    gm().drawCh(ks::Position(10, 5), '#', ks::WHITE);
    gm().drawCh(ks::Position(30, 5), '#', ks::WHITE);
    gm().setBatching(true);
    gm().drawCh(ks::Position(10, 5), ' ', ks::WHITE);
    sf::Image img = grab();
    EXPECT_EQ(0, litPixels(img, 116, 147, 11, 27));
    EXPECT_GT(litPixels(img, 346, 147, 11, 27), 0);
}

TEST_F(BatchedDrawingTest, ARoomOfTheGameMatches) {
    loadGameResources();
    Map::setSeedOverride(7);
    new Map();
    Map::setSeedOverride(Map::SEED_FROM_TIME);
    new Zombie(ks::Position(12, 5), 0);
    new Zombie(ks::Position(60, 15), 1);
    new Skeleton(ks::Position(25, 12), 2);
    new Skeleton(ks::Position(50, 6), 3);
    new ArrowTrap(ks::Position(3, 10), EAST);
    new ArrowTrap(ks::Position(70, 3), SOUTH);
    new Spikes(ks::Position(33, 16));
    new Heart(ks::Position(20, 18));
    new Atkup(ks::Position(45, 18));
    new Defup(ks::Position(55, 10));
    new Moneybag(ks::Position(65, 19));
    new Ladder(1);
    new PopUp("Defence up!");
    ks::WorldManager::getInstance().update(); // the other rooms' objects leave the world
    int lit = 0;
    EXPECT_EQ("", differences([] { ks::WorldManager::getInstance().draw(); }, &lit));
    EXPECT_GT(lit, 10000);
}

TEST_F(BatchedDrawingTest, ANewWindowStartsWithoutTheOldQueue) {
    gm().drawString(ks::Position(0, 3), "left behind", ks::LEFT_JUSTIFIED, ks::WHITE);
    gm().shutDown();
    EXPECT_EQ(-1, gm().flush());
    ASSERT_TRUE(openWindow());
    gm().getWindow()->clear();
    EXPECT_EQ(0, litPixels(grab()));
    gm().drawCh(ks::Position(1, 1), 'x', ks::WHITE);
    EXPECT_GT(litPixels(grab()), 0);
}

} // namespace
