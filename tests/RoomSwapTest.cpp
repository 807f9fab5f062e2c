#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "Direction.h"
#include "Enemy.h"
#include "GameHelpers.h"
#include "Map.h"
#include "Player.h"
#include "PopUp.h"
#include "Room.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "Wall.h"

using ks::Position;

namespace {

using BoxKey = std::tuple<int, int, int, int>;

// Two pieces beside each doorway, one whole piece on a side without a door.
std::multiset<BoxKey> expectedWalls(const Room* p_room) {
    std::multiset<BoxKey> walls;
    auto side = [&](bool door, BoxKey first, BoxKey second, BoxKey whole) {
        walls.insert(door ? first : whole);
        if (door)
            walls.insert(second);
    };
    side(p_room->hasNorth(), {0, 0, 38, 2}, {44, 0, 36, 2}, {0, 0, 80, 2});
    side(p_room->hasSouth(), {0, 22, 38, 2}, {44, 22, 36, 2}, {0, 22, 80, 2});
    side(p_room->hasEast(), {0, 2, 2, 8}, {0, 14, 2, 8}, {0, 2, 2, 20});
    side(p_room->hasWest(), {78, 2, 2, 8}, {78, 14, 2, 8}, {78, 2, 2, 20});
    return walls;
}

std::multiset<BoxKey> wallsInWorld() {
    std::multiset<BoxKey> walls;
    for (Wall* p_wall : worldObjectsOf<Wall>()) {
        ks::Box box = getWorldBox(p_wall);
        walls.insert(BoxKey(box.getCorner().getX(), box.getCorner().getY(), box.getHorizontal(),
                            box.getVertical()));
    }
    return walls;
}

class RoomSwapTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
        Map::setSeedOverride(11);
        p_map = new Map();
        p_player = p_map->getPlayer();
    }
    void TearDown() override { Map::setSeedOverride(Map::SEED_FROM_TIME); }

    Room* room(int x, int y) const { return p_map->getRoom(x, y); }

    // Walks the player from start in a straight line until the room changes, then updates.
    void walkOut(Position start, int dx, int dy) {
        p_player->setPosition(start);
        Room* p_before = p_map->getCurrentRoom();
        for (int i = 0; i < 10 && p_map->getCurrentRoom() == p_before; i++) {
            while (p_player->getMoveCountdown() > 0)
                p_player->step();
            p_player->move(dx, dy);
        }
        ks::WorldManager::getInstance().update();
    }

    Map* p_map = nullptr;
    Player* p_player = nullptr;
};

} // namespace

TEST_F(RoomSwapTest, PlayerComesOutOfTheOppositeDoorway) {
    struct Case {
        Position start;
        int dx, dy, room_x, room_y;
        Position arrival;
    };
    const Case cases[] = {
        {Position(40, 3), 0, -1, 2, 3, Position(40, 19)}, // top doorway: NORTH
        {Position(40, 18), 0, 1, 2, 1, Position(40, 2)},  // bottom doorway: SOUTH
        {Position(4, 11), -1, 0, 3, 2, Position(75, 11)}, // left doorway: EAST
        {Position(74, 10), 1, 0, 1, 2, Position(2, 10)},  // right doorway: WEST
    };
    for (const Case& c : cases) {
        p_map->swapRoom(room(MAP_CENTRE, MAP_CENTRE), NO_DIRECTION);
        ks::WorldManager::getInstance().update();
        walkOut(c.start, c.dx, c.dy);
        EXPECT_EQ(p_map->getCurrentRoom(), room(c.room_x, c.room_y));
        EXPECT_EQ(p_player->getPosition(), c.arrival);
        EXPECT_EQ(wallsInWorld(), expectedWalls(room(c.room_x, c.room_y)));
    }
}

TEST_F(RoomSwapTest, WorldHoldsTheNewRoomItsWallsAndWhatOutlivesRooms) {
    MoveListener outsider; // belongs to no room
    new PopUp("kept");
    p_player->attack(1, 0);
    while (p_player->isAttacking())
        p_player->step();
    walkOut(Position(40, 3), 0, -1);
    Room* p_north = room(2, 3);
    ASSERT_EQ(p_map->getCurrentRoom(), p_north);
    EXPECT_FALSE(inWorld(&outsider));
    EXPECT_EQ(worldCount("Sword") + worldCount("Instructions"), 0);
    EXPECT_EQ(worldObjectsOf<ks::ViewObject>().size() + worldObjectsOf<PopUp>().size(), 3u);
    EXPECT_EQ(wallsInWorld(), expectedWalls(p_north)); // gaps only where it has doors
    for (ks::ObjectListIterator it(p_north->getObjects()); !it.isDone(); it.next())
        EXPECT_TRUE(inWorld(it.currentObject()));
    for (ks::Object* p_object : worldObjectsOf())
        EXPECT_TRUE(p_object == p_map || p_object == p_player ||
                    dynamic_cast<ks::ViewObject*>(p_object) || dynamic_cast<PopUp*>(p_object) ||
                    dynamic_cast<Wall*>(p_object) || p_north->getObjects()->contains(p_object))
            << "stray object of type '" << p_object->getType() << "'";
}

TEST_F(RoomSwapTest, RoomKeepsItsObjectsAndTheirStateWhileAway) {
    walkOut(Position(40, 3), 0, -1);
    Room* p_north = room(2, 3);
    Enemy* p_enemy = nullptr;
    for (ks::ObjectListIterator it(p_north->getObjects()); !it.isDone() && !p_enemy; it.next())
        p_enemy = dynamic_cast<Enemy*>(it.currentObject());
    ASSERT_NE(p_enemy, nullptr);
    p_enemy->setPosition(Position(20, 15));
    p_enemy->setSpriteIndex(2);
    walkOut(Position(40, 18), 0, 1);
    EXPECT_FALSE(inWorld(p_enemy));
    walkOut(Position(40, 3), 0, -1);
    ASSERT_EQ(p_map->getCurrentRoom(), p_north);
    EXPECT_TRUE(inWorld(p_enemy));
    EXPECT_EQ(p_enemy->getPosition(), Position(20, 15));
    EXPECT_EQ(p_enemy->getSpriteIndex(), 2);
}
