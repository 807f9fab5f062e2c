// The door table that room building, room swapping and drawing share. Two sides swapped in it,
// or a box off by a cell, would change every recorded game; here it shows up by side and cell.
#include "GameHelpers.h"

namespace {

bool holds(const ks::Box& box, int x, int y) {
    return boxIntersectsBox(box, ks::Box(ks::Position(x, y), 1, 1));
}

int area(const ks::Box& box) {
    return box.getHorizontal() * box.getVertical();
}

// Every cell of a side is wall beside the doorway or doorway, never both, and no wall reaches
// out of the side: the doorway is x 38..43 at the top and the bottom and y 10..13 at the sides.
TEST(DoorSideTest, EachSideIsWallButForItsDoorway) {
    const int sides[4][4] = {{0, 0, 80, 2}, {0, 2, 2, 20}, {0, 22, 80, 2}, {78, 2, 2, 20}};
    for (int d = NORTH; d <= WEST; d++) {
        const auto [x0, y0, width, height] = sides[d];
        const DoorSide& side = DoorSide::of(d);
        EXPECT_TRUE(side.whole.getCorner() == ks::Position(x0, y0) &&
                    side.whole.getHorizontal() == width && side.whole.getVertical() == height)
            << d;
        const bool across = width == 80;
        for (int x = x0; x < x0 + width; x++)
            for (int y = y0; y < y0 + height; y++) {
                const bool doorway = across ? x >= 38 && x <= 43 : y >= 10 && y <= 13;
                EXPECT_EQ(holds(side.beside[0], x, y) + holds(side.beside[1], x, y) + doorway, 1)
                    << "side " << d << " cell (" << x << "," << y << ")";
            }
        EXPECT_EQ(area(side.beside[0]) + area(side.beside[1]), width * height - (across ? 12 : 8))
            << d;
    }
}

// Leaving by a door, the player (3 x 3) comes out in the middle of the next room's opposite
// doorway, one step short of its trigger: it neither swaps straight back nor has far to go.
TEST(DoorSideTest, APlayerComesOutOneStepShortOfTheOppositeTrigger) {
    // By direction: the arrival and the step back; the entry keeps the other coordinate (-1).
    const int arrivals[4][4] = {{40, 19, 0, 1}, {75, 11, 1, 0}, {40, 2, 0, -1}, {2, 11, -1, 0}};
    for (int d = NORTH; d <= WEST; d++) {
        const auto [x, y, dx, dy] = arrivals[d];
        EXPECT_EQ(DoorSide::of(d).entry, ks::Position(dx ? x : -1, dy ? y : -1)) << d;
        const ks::Box& back = DoorSide::of(oppositeDirection(d)).trigger;
        EXPECT_FALSE(boxIntersectsBox(ks::Box(ks::Position(x, y), 3, 3), back)) << d;
        EXPECT_TRUE(boxIntersectsBox(ks::Box(ks::Position(x + dx, y + dy), 3, 3), back)) << d;
    }
}

} // namespace
