// The cells of the world's grid that a box touches (8 x 8 cells, rounded toward minus infinity).
#include <climits>

#include <gtest/gtest.h>

#include "SpatialGrid.h"

using ks::Box;
using ks::CellSpan;
using ks::Position;

TEST(SpatialGrid, SpanCoversTheCellsOfTheBoxAndRefusesBoxesOfMoreThan64Cells) {
    const struct {
        Box box;
        CellSpan span;
    } cases[] = {
        {Box(Position(0, 0), 8, 8), {0, 0, 0, 0}},       // one cell exactly
        {Box(Position(7, 7), 2, 2), {0, 0, 1, 1}},       // across a corner
        {Box(Position(-1, -8), 1, 1), {-1, -1, -1, -1}}, // left of and above the origin
        {Box(Position(-9, 0), 0, 0), {-2, 0, -2, 0}},    // zero extent: its corner's cell
        {Box(Position(3, 3), -5, 2), {0, 0, 0, 0}},      // negative extent: the same
        {Box(Position(0, 0), 64, 8), {0, 0, 7, 0}},      // 8 cells
        {Box(Position(INT_MAX, INT_MIN), INT_MAX, 1), {0, 0, 0, 0}}, // too large: refused
    };
    for (const auto& c : cases) {
        CellSpan span{0, 0, 0, 0};
        const bool fits = ks::SpatialGrid::spanOf(c.box, span);
        EXPECT_EQ(fits, &c != &cases[6]) << "case " << &c - cases;
        if (fits) {
            EXPECT_TRUE(span == c.span) << "case " << &c - cases << ": " << span.x0 << ","
                                        << span.y0 << " to " << span.x1 << "," << span.y1;
        }
    }
    CellSpan span;
    EXPECT_TRUE(ks::SpatialGrid::spanOf(Box(Position(0, 0), 64, 64), span));  // 64 cells
    EXPECT_FALSE(ks::SpatialGrid::spanOf(Box(Position(1, 0), 64, 64), span)); // 9 x 8
}
