#include <gtest/gtest.h>

#include <string>

#include "Color.h"
#include "GameHelpers.h"
#include "Gameover.h"
#include "GraphicsManager.h"
#include "Ladder.h"
#include "Map.h"
#include "Player.h"
#include "Room.h"
#include "Setup.h"
#include "TestSupport.h"
#include "TitleScreen.h"
#include "ViewObject.h"

using ks::Position;

class ScreensTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
};

TEST_F(ScreensTest, TitleScreenStartsExactlyOneGameOnItsStep122) {
    populateWorld();
    runCycles(121);
    EXPECT_EQ(worldCount("Map"), 0);
    runCycles(1);
    EXPECT_EQ(worldCount("Map"), 1);
    EXPECT_EQ(worldObjectsOf<TitleScreen>().size(), 1u);
    runCycles(1);
    EXPECT_TRUE(worldObjectsOf<TitleScreen>().empty());
    runCycles(5);
    EXPECT_EQ(worldCount("Map"), 1);
}

TEST_F(ScreensTest, LadderGivesFloorPointsAndLeadsToTheNextFloor) {
    Map::setSeedOverride(21);
    Map* p_map = new Map();
    Map::setSeedOverride(Map::SEED_FROM_TIME);
    Player* p_player = p_map->getPlayer();
    for (int floor = 1; floor <= 2; floor++) {
        Room* p_ladder_room = nullptr;
        for (int x = 0; x < MAP_SIZE; x++)
            for (int y = 0; y < MAP_SIZE; y++)
                for (ks::ObjectListIterator it(p_map->getRoom(x, y)->getObjects()); !it.isDone();
                     it.next())
                    if (dynamic_cast<Ladder*>(it.currentObject()))
                        p_ladder_room = p_map->getRoom(x, y);
        ASSERT_NE(p_ladder_room, nullptr);
        p_player->setPosition(Position(9, 3)); // clear of the room's item; the ladder is at (5,3)
        p_map->swapRoom(p_ladder_room, -1);
        ks::WorldManager::getInstance().update();
        for (int i = 0; i < 2; i++) {
            while (p_player->getMoveCountdown() > 0)
                p_player->step();
            p_player->move(-1, 0);
        }
        EXPECT_EQ(p_map->getFloor(), floor + 2);
        EXPECT_EQ(p_map->getCurrentRoom(), p_map->getRoom(MAP_CENTRE, MAP_CENTRE));
        EXPECT_EQ(p_player->getPosition(), Position(39, 11));
        EXPECT_TRUE(p_player->isInvulnerable());
        ks::WorldManager::getInstance().update();
        EXPECT_EQ(worldCount("Ladder") + worldCount("Zombie"), 0);
        EXPECT_EQ(worldCount("Wall"), 8);
    }
    EXPECT_EQ(p_player->getScoreView()->getValue(), 100 + 200);
}

TEST_F(ScreensTest, GameoverShowsTheFinalScoreCentredOnRow16) {
    if (!openWindow())
        GTEST_SKIP() << "no display";
    const int scores[] = {0, 1250};
    const int first_columns[] = {34, 33};
    for (int i = 0; i < 2; i++) {
        resetEngine();
        new Gameover(scores[i]);
        ks::WorldManager::getInstance().draw();
        const std::string text = "Final score: " + std::to_string(scores[i]);
        EXPECT_EQ(row(16).substr(first_columns[i], text.size()), text);
        EXPECT_EQ(ks::GraphicsManager::getInstance().getCellColor(first_columns[i], 16), ks::RED);
        ks::GraphicsManager::getInstance().swapBuffers();
    }
}
