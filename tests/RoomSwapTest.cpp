#include "GameHelpers.h"

class RoomSwapTest : public GameTest {};

TEST_F(RoomSwapTest, RoomChangesSwapTheWorldsObjectsBuildWallsAndPlaceThePlayer) {
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
    EXPECT_EQ(objectsInWorld<ks::ViewObject>().size() + objectsInWorld<PopUp>().size(), 3u);
    for (ks::Object* p_object : objectsInWorld()) // no sword, arrow or sign is left
        EXPECT_TRUE(p_object == p_map || p_object == p_player ||
                    dynamic_cast<ks::ViewObject*>(p_object) || dynamic_cast<PopUp*>(p_object) ||
                    dynamic_cast<Wall*>(p_object) || p_north->getObjects()->contains(p_object))
            << "stray object of type '" << p_object->getType() << "'";
    // A room keeps its objects, as they were, while the player is away.
    const std::vector<Enemy*> enemies = objectsIn<Enemy>(p_north->getObjects());
    ASSERT_FALSE(enemies.empty());
    Enemy* p_enemy = enemies[0];
    p_enemy->setPosition(ks::Position(20, 15));
    walkOut(p_map, ks::Position(40, 18), 0, 1);
    EXPECT_FALSE(inWorld(p_enemy));
    walkOut(p_map, ks::Position(40, 3), 0, -1);
    EXPECT_TRUE(inWorld(p_enemy));
    EXPECT_EQ(p_enemy->getPosition(), ks::Position(20, 15));
    // Where the walk starts and which way it goes, the room reached and where it is entered.
    const std::tuple<ks::Position, int, int, int, int, ks::Position> cases[] = {
        {{40, 3}, 0, -1, 2, 3, {40, 19}}, // top doorway: NORTH
        {{40, 18}, 0, 1, 2, 1, {40, 2}},  // bottom doorway: SOUTH
        {{4, 11}, -1, 0, 3, 2, {75, 11}}, // left doorway: EAST
        {{74, 10}, 1, 0, 1, 2, {2, 10}}}; // right doorway: WEST
    // Per side (N, S, E, W): the two wall pieces beside a doorway, or the whole side.
    using Piece = std::tuple<int, int, int, int>;
    const Piece pieces[4][3] = {{{0, 0, 38, 2}, {44, 0, 36, 2}, {0, 0, 80, 2}},
                                {{0, 22, 38, 2}, {44, 22, 36, 2}, {0, 22, 80, 2}},
                                {{0, 2, 2, 8}, {0, 14, 2, 8}, {0, 2, 2, 20}},
                                {{78, 2, 2, 8}, {78, 14, 2, 8}, {78, 2, 2, 20}}};
    for (const auto& [start, dx, dy, room_x, room_y, arrival] : cases) {
        p_map->swapRoom(p_map->getRoom(MAP_CENTRE, MAP_CENTRE), NO_DIRECTION);
        updateWorld();
        walkOut(p_map, start, dx, dy);
        Room* p_room = p_map->getRoom(room_x, room_y);
        EXPECT_EQ(p_map->getCurrentRoom(), p_room);
        EXPECT_EQ(p_player->getPosition(), arrival);
        std::multiset<Piece> expected, walls;
        const bool doors[] = {p_room->hasNorth(), p_room->hasSouth(), p_room->hasEast(),
                              p_room->hasWest()};
        for (int side = 0; side < 4; side++)
            expected.insert(pieces[side] + (doors[side] ? 0 : 2),
                            pieces[side] + (doors[side] ? 2 : 3));
        for (Wall* p_wall : objectsInWorld<Wall>()) {
            ks::Box box = getWorldBox(p_wall);
            walls.emplace(box.getCorner().getX(), box.getCorner().getY(), box.getHorizontal(),
                          box.getVertical());
        }
        EXPECT_EQ(walls, expected);
    }
}
