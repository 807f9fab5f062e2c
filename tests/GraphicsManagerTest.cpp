// Cell geometry, justification, frames and colours: in the cell model and on the window's pixels.
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "Box.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace {

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
    sf::RenderWindow* window = gm().getWindow();
    sf::Texture texture;
    texture.create(window->getSize().x, window->getSize().y);
    texture.update(*window);
    return texture.copyToImage();
}

// The pixels of the rectangle from (x0, y0), w by h, that are not black.
int litPixels(const sf::Image& img, int x0, int y0, int w, int h) {
    int lit = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            if (img.getPixel(x, y) != sf::Color::Black)
                lit++;
    return lit;
}

TEST(GraphicsGeometryTest, CellsScaleToTruncatedPixels) {
    ks::GraphicsManager& g = gm();
    EXPECT_FLOAT_EQ(11.5125f, g.charWidth());
    EXPECT_EQ(ks::Position(0, 0), g.spacesToPixels(ks::Position(0, 0)));
    EXPECT_EQ(ks::Position(115, 143), g.spacesToPixels(ks::Position(10, 5)));
    EXPECT_EQ(ks::Position(909, 662), g.spacesToPixels(ks::Position(79, 23)));
    EXPECT_EQ(ks::Position(10, 5), g.pixelsToSpaces(ks::Position(116, 144)));
}

TEST_F(GraphicsManagerTest, CellModelUsesViewCellsAndSwapClearsIt) {
    ks::WorldManager::getInstance().setBoundary(ks::Box(ks::Position(), 200, 100));
    ks::WorldManager::getInstance().setView(ks::Box(ks::Position(5, 2), 80, 24));
    EXPECT_EQ(0, gm().drawCh(ks::Position(15, 7), 'Q', ks::CYAN));
    EXPECT_EQ(0, gm().drawCh(ks::Position(4, 2), 'L', ks::CYAN));  // left of the view
    EXPECT_EQ(0, gm().drawCh(ks::Position(85, 2), 'R', ks::CYAN)); // right of the view
    EXPECT_EQ('Q', gm().getCellChar(10, 5));
    EXPECT_EQ(ks::CYAN, gm().getCellColor(10, 5));
    EXPECT_EQ(std::string(10, ' ') + "Q" + std::string(69, ' '), row(5));
    EXPECT_EQ(std::string(80, ' '), row(0));
    EXPECT_EQ(0, gm().swapBuffers());
    EXPECT_EQ(' ', gm().getCellChar(10, 5));
    EXPECT_EQ(-1, gm().getCellColor(10, 5));
}

TEST_F(GraphicsManagerTest, StringsAreJustifiedAroundTheirColumn) {
    gm().drawString(ks::Position(10, 0), "Score:", ks::LEFT_JUSTIFIED, ks::WHITE);
    gm().drawString(ks::Position(20, 1), "Score:", ks::RIGHT_JUSTIFIED, ks::WHITE);
    gm().drawString(ks::Position(20, 2), "Score:", ks::CENTER_JUSTIFIED, ks::WHITE);
    gm().drawString(ks::Position(20, 3), "odd", ks::CENTER_JUSTIFIED, ks::WHITE);
    EXPECT_EQ(11u, row(0).find("Score:"));
    EXPECT_EQ(15u, row(1).find("Score:"));
    EXPECT_EQ(18u, row(2).find("Score:"));
    EXPECT_EQ(20u, row(3).find("odd"));
}

TEST_F(GraphicsManagerTest, FramesDrawEveryCellAndCentreByAddingHalf) {
    ks::Frame frame(3, 2, "ab ef ");
    EXPECT_EQ(0, gm().drawFrame(ks::Position(4, 7), frame, false, ks::RED));
    EXPECT_EQ("ab ", row(7).substr(4, 3));
    EXPECT_EQ("ef ", row(8).substr(4, 3));
    EXPECT_EQ(ks::RED, gm().getCellColor(6, 8)); // spaces are drawn too
    gm().swapBuffers();
    gm().drawFrame(ks::Position(4, 7), frame, true, ks::RED);
    EXPECT_EQ("ab", row(8).substr(5, 2));
    EXPECT_EQ("ef", row(9).substr(5, 2));
    gm().swapBuffers();
    EXPECT_EQ(-1, gm().drawFrame(ks::Position(4, 7), ks::Frame(), false, ks::RED));
    // A frame whose string is short draws blanks instead of reading past it.
    EXPECT_EQ(0, gm().drawFrame(ks::Position(0, 0), ks::Frame(2, 2, "x"), false, ks::RED));
    EXPECT_EQ("x ", row(0).substr(0, 2));
    EXPECT_EQ(ks::RED, gm().getCellColor(1, 1));
}

TEST_F(GraphicsManagerTest, GlyphsLandInTheirCellInTheirColour) {
    const sf::Color expected[] = {sf::Color::Red,   sf::Color::Green,   sf::Color::Blue,
                                  sf::Color::Cyan,  sf::Color::Magenta, sf::Color::Yellow,
                                  sf::Color::White, sf::Color::White};
    const int colors[] = {1, 2, 3, 4, 5, 6, 7, 9};
    for (int i = 0; i < 8; i++)
        gm().drawCh(ks::Position(4 * i + 2, 5), '#', colors[i]);
    sf::Image img = grab();
    for (int i = 0; i < 8; i++) {
        ks::Position p = gm().spacesToPixels(ks::Position(4 * i + 2, 5));
        int x0 = p.getX() - 6, y0 = p.getY(), w = 36, h = 32;
        bool full = false;
        for (int y = y0; y < y0 + h; y++) {
            for (int x = x0; x < x0 + w; x++) {
                sf::Color c = img.getPixel(x, y);
                // Antialiasing only scales the colour down: no channel the colour lacks lights up.
                EXPECT_TRUE((expected[i].r || !c.r) && (expected[i].g || !c.g) &&
                            (expected[i].b || !c.b))
                    << "colour " << colors[i] << " at " << x << "," << y;
                full = full || c == expected[i];
            }
        }
        EXPECT_TRUE(full) << "colour " << colors[i];
    }
    // Everything lit lies in the glyphs' own cells.
    EXPECT_EQ(0, litPixels(img, 0, 0, 921, 140));
    EXPECT_EQ(0, litPixels(img, 0, 180, 921, 691 - 180));
}

TEST_F(GraphicsManagerTest, BackgroundBlanksAnEarlierGlyph) {
    gm().drawCh(ks::Position(0, 0), '#', ks::WHITE);
    gm().drawCh(ks::Position(10, 5), '#', ks::WHITE);
    sf::Image before = grab();
    EXPECT_GT(litPixels(before, 0, 0, 12, 29), 0); // the view corner is pixel (0, 0)
    EXPECT_GT(litPixels(before, 115, 143, 12, 29), 0);
    gm().drawCh(ks::Position(10, 5), ' ', ks::WHITE);
    sf::Image after = grab();
    // The rectangle spans x 115.76 .. 127.27 and y 146.35 .. 174.15 for this cell.
    EXPECT_EQ(0, litPixels(after, 116, 147, 11, 27));
    EXPECT_GT(litPixels(after, 0, 0, 12, 29), 0);
}

} // namespace
