// The window-free cells of a frame.
#include <gtest/gtest.h>

#include "CellGrid.h"

TEST(CellGridTest, TwoFramesAreEqualOnlyWithTheSameCharactersAndColours) {
    ks::CellGrid a(3, 1), b(3, 1);
    a.set(0, 0, '#', 6);
    b.set(0, 0, '#', 6);
    EXPECT_EQ(a, b);
    b.set(0, 0, '#', 1);
    EXPECT_NE(a, b);
    b.clear();
    EXPECT_EQ(b, ks::CellGrid(3, 1));
    EXPECT_NE(a, ks::CellGrid(4, 1));
}
