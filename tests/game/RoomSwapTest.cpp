#include "GameHelpers.h"

// Seed 11's centre room has all four doors, as every floor's; its north room holds enemies.
class RoomSwapTest : public GameTest {};

TEST_F(RoomSwapTest, TheOldRoomsObjectsLeaveButThePlayerMapDisplaysAndPopUpsStay) {
    Map* p_map = newMap(11);
    Player* p_player = p_map->getPlayer();
    PopUp::spawn("kept");
    Arrow::spawn(ks::Position(10, 10), EAST);
    p_player->attack(1, 0); // its hitboxes stay in the world
    while (p_player->isAttacking())
        p_player->step();
    walkOut(p_map, ks::Position(40, 3), 0, -1);
    Room* p_north = p_map->getRoom(2, 3);
    ASSERT_EQ(p_map->getCurrentRoom(), p_north);
    EXPECT_TRUE(inWorld(p_player) && inWorld(p_map));
    EXPECT_EQ(objectsInWorld<ks::ViewObject>().size() + objectsInWorld<PopUp>().size(), 4u);
    for (ks::Object* p_object : objectsInWorld()) // no sword, arrow or sign is left
        EXPECT_TRUE(p_object == p_map || p_object == p_player ||
                    dynamic_cast<ks::ViewObject*>(p_object) || dynamic_cast<PopUp*>(p_object) ||
                    dynamic_cast<Wall*>(p_object) || p_north->getObjects()->contains(p_object))
            << "stray object of type '" << p_object->getType() << "'";
}

// Also: going south puts the player in the top doorway, between the centre room's eight walls.
TEST_F(RoomSwapTest, ARoomKeepsItsObjectsAsTheyWereWhileThePlayerIsAway) {
    Map* p_map = newMap(11);
    walkOut(p_map, ks::Position(40, 3), 0, -1);
    const std::vector<Enemy*> enemies = objectsIn<Enemy>(p_map->getCurrentRoom()->getObjects());
    ASSERT_FALSE(enemies.empty());
    Enemy* p_enemy = enemies[0];
    p_enemy->setPosition(ks::Position(20, 15));
    walkOut(p_map, ks::Position(40, 18), 0, 1);
    EXPECT_FALSE(inWorld(p_enemy));
    EXPECT_EQ(p_map->getPlayer()->getPosition(), ks::Position(40, 2));
    std::multiset<std::tuple<int, int, int, int>> walls; // corner x, y, width, height
    for (Wall* p_wall : objectsInWorld<Wall>()) {
        const ks::Box box = getWorldBox(p_wall);
        walls.emplace(box.getCorner().getX(), box.getCorner().getY(), box.getHorizontal(),
                      box.getVertical());
    }
    EXPECT_EQ(walls, (std::multiset<std::tuple<int, int, int, int>>{{0, 0, 38, 2},
                                                                    {44, 0, 36, 2},
                                                                    {0, 22, 38, 2},
                                                                    {44, 22, 36, 2},
                                                                    {0, 2, 2, 8},
                                                                    {0, 14, 2, 8},
                                                                    {78, 2, 2, 8},
                                                                    {78, 14, 2, 8}}));
    walkOut(p_map, ks::Position(40, 3), 0, -1);
    EXPECT_TRUE(inWorld(p_enemy));
    EXPECT_EQ(p_enemy->getPosition(), ks::Position(20, 15));
}
