#include "GameHelpers.h"

class ScreensTest : public GameTest {};

TEST_F(ScreensTest, LadderGivesFloorTimesHundredPointsAndLeadsToTheNextFloor) {
    Map* p_map = newMap(21);
    Player* p_player = p_map->getPlayer();
    for (int floor = 1; floor <= 2; floor++) {
        Room* p_ladder_room = nullptr;
        for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++)
            if (!objectsIn<Ladder>(p_map->getRoom(i / MAP_SIZE, i % MAP_SIZE)->getObjects())
                     .empty())
                p_ladder_room = p_map->getRoom(i / MAP_SIZE, i % MAP_SIZE);
        ASSERT_NE(p_ladder_room, nullptr);
        p_player->setPosition(ks::Position(9, 3)); // clear of the room's item
        p_map->swapRoom(p_ladder_room, -1);
        updateWorld();
        walkOut(p_map, ks::Position(9, 3), -1, 0); // onto the ladder at (5,3)
        EXPECT_EQ(p_map->getFloor(), floor + 2);
        EXPECT_EQ(p_player->getPosition(), ks::Position(39, 11));
    }
    EXPECT_EQ(p_player->getScoreView()->getValue(), 100 + 200);
}

TEST_F(ScreensTest, GameoverShowsTheFinalScoreCentredOnRow16) {
    Gameover::spawn(1250);
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(16).substr(33, 17), "Final score: 1250");
}
