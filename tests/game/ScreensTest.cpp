#include "GameHelpers.h"

class ScreensTest : public GameTest {};

// Health, floor and score share the top row, in the wall above the room; the floor counts up as
// the ladders are taken, and the game-over screen shows the final score and the floor the player
// died on, centred on rows 16 and 17.
TEST_F(ScreensTest, TheTopRowShowsHealthFloorAndScoreAndTheGameoverScreenScoreAndFloor) {
    Map* p_map = newMap(3);
    ks::WorldManager& world = ks::WorldManager::getInstance();
    world.draw();
    EXPECT_EQ(row(0).substr(2, 11), "Health: 100");
    EXPECT_EQ(row(0).substr(15, 8), "Floor: 1");
    EXPECT_EQ(row(0).substr(70, 8), "Score: 0");
    for (int i = 0; i < 2; i++) {
        EventFloorSwap down;
        world.onEvent(&down);
    }
    updateWorld();
    ks::GraphicsManager::getInstance().swapBuffers();
    world.draw();
    EXPECT_EQ(row(0).substr(15, 8), "Floor: 3");
    p_map->getPlayer()->getScoreView()->setValue(1250);
    p_map->getPlayer()->die();
    updateWorld();
    ks::GraphicsManager::getInstance().swapBuffers();
    world.draw();
    EXPECT_EQ(row(16).substr(33, 17), "Final score: 1250");
    EXPECT_EQ(row(17).substr(33, 16), "Floor reached: 3");
}
