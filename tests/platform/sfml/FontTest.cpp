// The committed font: every printable ASCII glyph, bold at the size the cells draw it (23),
// stays within a pixel of the background rectangle its cell paints, so that a glyph neither
// spills into its neighbours nor leaves slivers behind when its cell is drawn over.
#include <sstream>

#include <SFML/Graphics/Font.hpp>

#include "TestSupport.h"

TEST(FontTest, EveryPrintableGlyphStaysWithinAPixelOfItsCell) {
    if (!hasDisplay())
        GTEST_SKIP() << "no display"; // glyphs are rendered into a texture, which needs one
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("ks-font.ttf"));
    // Relative to the cell's pixel corner, where the glyph's origin is: the background
    // rectangle of a 921 / 80 by 691 / 24 cell spans x 0.75625 to 12.26875 and y 2.39583 to
    // 30.1875; the baseline is at y 23.
    const float left = 0.75625f, right = 12.26875f, top = 2.39583f, bottom = 30.1875f;
    const float slack = 1.f, baseline = 23.f;
    std::ostringstream outside;
    for (char ch = '!'; ch <= '~'; ch++) {
        sf::FloatRect bounds = font.getGlyph(ch, 23, true).bounds;
        EXPECT_GT(bounds.width, 0.f) << "'" << ch << "' has no glyph";
        float x0 = bounds.left, x1 = bounds.left + bounds.width;
        float y0 = baseline + bounds.top, y1 = y0 + bounds.height;
        if (x0 < left - slack || x1 > right + slack || y0 < top - slack || y1 > bottom + slack)
            outside << " '" << ch << "' x " << x0 << ".." << x1 << " y " << y0 << ".." << y1;
    }
    EXPECT_EQ(outside.str(), "");
}
