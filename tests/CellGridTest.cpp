// The window-free cells of a frame.
#include <gtest/gtest.h>

#include "CellGrid.h"

TEST(CellGridTest, KeepsTheLastCharacterOfEachCellAndIgnoresCellsOutside) {
    ks::CellGrid cells(5, 2);
    cells.set(1, 0, 'a', 3);
    cells.set(1, 0, 'b', 4);
    cells.set(4, 1, 'z', 1);
    cells.set(5, 0, 'X', 1); // outside: every cell stays as it was
    cells.set(-1, 1, 'X', 1);
    cells.set(0, 2, 'X', 1);
    EXPECT_EQ(cells.rowText(0), " b   ");
    EXPECT_EQ(cells.rowText(1), "    z");
    EXPECT_EQ(cells.rowText(2), "     ");
    EXPECT_EQ(cells.getColor(1, 0), 4);
    EXPECT_EQ(cells.getChar(9, 9), ' ');
    EXPECT_EQ(cells.getColor(9, 9), -1);
}

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
