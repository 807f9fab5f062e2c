// The door table that room building, room swapping and drawing share. Two sides swapped in it,
// or a box off by a cell, would change every recorded game; here it shows up by side and cell.
#include "GameHelpers.h"

namespace {

// A box as corner x, corner y, width, height.
using Cells = std::tuple<int, int, int, int>;

Cells cellsOf(const ks::Box& box) {
    return {box.getCorner().getX(), box.getCorner().getY(), box.getHorizontal(), box.getVertical()};
}

bool holds(const ks::Box& box, int x, int y) {
    return boxIntersectsBox(box, ks::Box(ks::Position(x, y), 1, 1));
}

// The player's box is 3 x 3 cells.
bool playerTouches(ks::Position corner, const ks::Box& box) {
    return boxIntersectsBox(ks::Box(corner, 3, 3), box);
}

const char* const NAMES[] = {"north", "east", "south", "west"};

} // namespace

// Every cell of a side is wall beside the doorway or doorway, never both: the doorway is x 38..43
// at the top and the bottom and y 10..13 at the sides. The player swaps rooms in its trigger.
TEST(DoorSideTest, EachSideIsWallButForItsDoorway) {
    // By direction: the whole side, the trigger, and whether the doorway is a range of x.
    const std::tuple<Cells, Cells, bool> sides[] = {{{0, 0, 80, 2}, {38, 0, 8, 2}, true},
                                                    {{0, 2, 2, 20}, {0, 10, 2, 6}, false},
                                                    {{0, 22, 80, 2}, {40, 22, 8, 2}, true},
                                                    {{78, 2, 2, 20}, {78, 10, 2, 6}, false}};
    for (int d = NORTH; d <= WEST; d++) {
        const auto& [whole, trigger, across] = sides[d];
        const DoorSide& side = DoorSide::of(d);
        EXPECT_EQ(cellsOf(side.whole), whole) << NAMES[d];
        EXPECT_EQ(cellsOf(side.trigger), trigger) << NAMES[d];
        const auto [x0, y0, width, height] = whole;
        int doorway_cells = 0;
        for (int x = x0; x < x0 + width; x++)
            for (int y = y0; y < y0 + height; y++) {
                const bool doorway = across ? x >= 38 && x <= 43 : y >= 10 && y <= 13;
                doorway_cells += doorway;
                EXPECT_EQ(holds(side.beside[0], x, y) + holds(side.beside[1], x, y) + doorway, 1)
                    << NAMES[d] << " cell (" << x << "," << y << ")";
            }
        EXPECT_EQ(doorway_cells, across ? 12 : 8) << NAMES[d];
        for (const ks::Box& wall : side.beside) // nothing sticks out of the side
            EXPECT_TRUE(holds(side.whole, wall.getCorner().getX(), wall.getCorner().getY()) &&
                        holds(side.whole, wall.getCorner().getX() + wall.getHorizontal() - 1,
                              wall.getCorner().getY() + wall.getVertical() - 1))
                << NAMES[d];
    }
}

// Leaving by a door, the player comes out of the next room beside the doorway it came through
// (the opposite side): one step short of its trigger, so it neither swaps straight back nor has
// far to go to return.
TEST(DoorSideTest, APlayerComesOutOneStepShortOfTheOppositeTrigger) {
    // By direction: the entry, the arrival in the middle of the doorway, the step back.
    const std::tuple<ks::Position, ks::Position, int, int> arrivals[] = {
        {ks::Position(-1, 19), ks::Position(40, 19), 0, 1},
        {ks::Position(75, -1), ks::Position(75, 11), 1, 0},
        {ks::Position(-1, 2), ks::Position(40, 2), 0, -1},
        {ks::Position(2, -1), ks::Position(2, 11), -1, 0}};
    for (int d = NORTH; d <= WEST; d++) {
        const auto& [entry, arrival, dx, dy] = arrivals[d];
        EXPECT_EQ(DoorSide::of(d).entry, entry) << NAMES[d];
        const ks::Box& back = DoorSide::of(oppositeDirection(d)).trigger;
        EXPECT_FALSE(playerTouches(arrival, back)) << NAMES[d];
        EXPECT_TRUE(playerTouches(ks::Position(arrival.getX() + dx, arrival.getY() + dy), back))
            << NAMES[d];
    }
}
