#include "GameHelpers.h"

class ScreensTest : public GameTest {};

TEST_F(ScreensTest, GameoverShowsTheFinalScoreCentredOnRow16) {
    Gameover::spawn(1250);
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(16).substr(33, 17), "Final score: 1250");
}
