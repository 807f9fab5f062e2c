#include "GameHelpers.h"

class SwordTest : public GameTest {};

TEST_F(SwordTest, BladesInTheTopRowNeverCoverTheHealthFloorOrScore) {
    // A swing upwards from beside the top wall puts blades in row 0, where the displays are;
    // the blades are created after the displays, at the same altitude.
    Player player;
    for (int x = 0; x < 80; x++)
        Sword::spawn(15, ks::Position(x, 0));
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(0), "//Health: 100//Floor: 1" + std::string(47, '/') + "Score: 0//");
}
