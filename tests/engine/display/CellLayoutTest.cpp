// Where a web page's canvas puts the cells: on the pixels the desktop's window puts them.
#include <vector>

#include <gtest/gtest.h>

#include "CellLayout.h"

namespace {

ks::CellLayout layoutAt(int scale) {
    ks::ScreenSettings settings;
    settings.scale = scale;
    return ks::CellLayout(settings);
}

TEST(CellLayoutTest, ACellsCornerIsItsUnscaledPixelTruncatedThenScaled) {
    // 10 x 11.5125 = 115.125 and 5 x 28.7917 = 143.96, both truncated.
    EXPECT_EQ(layoutAt(1).corner(10, 5), ks::Position(115, 143));
    EXPECT_EQ(layoutAt(2).corner(10, 5), ks::Position(230, 286));
    EXPECT_EQ(layoutAt(1).corner(79, 23), ks::Position(909, 662));
    EXPECT_EQ(layoutAt(1).corner(-1, -1), ks::Position(-11, -28));
}

TEST(CellLayoutTest, TheCanvasAndTheGlyphsGrowWithTheScale) {
    EXPECT_EQ(layoutAt(1).getWidth(), 921);
    EXPECT_EQ(layoutAt(1).getHeight(), 691);
    EXPECT_EQ(layoutAt(1).getGlyphSize(), 23);
    EXPECT_EQ(layoutAt(3).getWidth(), 2763);
    EXPECT_EQ(layoutAt(3).getGlyphSize(), 69);
    EXPECT_EQ(layoutAt(0).getScale(), 1);
}

// The desktop's background rectangle of cell (0, 0) stands at (0.75625, 2.3958) and is 11.5125
// by 27.7917 pixels: the pixels whose centres it holds are columns 1 to 11 and rows 2 to 29.
// Cell (10, 5): corner (115, 143), rectangle from (115.75625, 145.3958). At scale 2 from
// (1.5125, 4.7917), 23.025 by 55.5833: columns 2 to 24, rows 5 to 59.
TEST(CellLayoutTest, ABackgroundCoversThePixelsWhoseCentresTheDesktopsRectangleHolds) {
    const int cases[][7] = {// scale, x, y; left, top, right, bottom
                            {1, 0, 0, 1, 2, 12, 30},
                            {1, 10, 5, 116, 145, 127, 173},
                            {2, 0, 0, 2, 5, 25, 60}};
    for (const auto& c : cases) {
        const ks::PixelRect rect = layoutAt(c[0]).background(c[1], c[2]);
        EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}),
                  (std::vector<int>{c[3], c[4], c[5], c[6]}))
            << "scale " << c[0] << " cell " << c[1] << "," << c[2];
    }
}

} // namespace
