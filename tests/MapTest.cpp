#include "GameHelpers.h"

class MapTest : public GameTest {};

TEST_F(MapTest, FloorsAreWellFormedOverManySeedsAndDeepOnesLogWhatFindsNoPlace) {
    auto kindsIn = [](Room* p_room) { // objects per type label (spikes have the empty label)
        std::map<std::string, int> kinds;
        for (ks::Object* p_object : objectsIn(p_room->getObjects()))
            kinds[p_object->getType()]++;
        return kinds;
    };
    int skeletons = 0;
    Map* p_map = nullptr;
    for (long seed = 1; seed <= 15; seed++) {
        resetEngine();
        p_map = newMap(seed);
        for (int f = 1; f <= 4; p_map->generateFloor(), updateWorld(), f++) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " floor " + std::to_string(f));
            Room* p_centre = p_map->getRoom(MAP_CENTRE, MAP_CENTRE);
            EXPECT_EQ(p_map->getCurrentRoom(), p_centre);
            EXPECT_TRUE(p_centre->hasNorth() && p_centre->hasSouth() && p_centre->hasEast() &&
                        p_centre->hasWest());
            ks::Position far(MAP_CENTRE, MAP_CENTRE);
            int ladders = 0;
            for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) { // x-major order
                const int x = i / MAP_SIZE, y = i % MAP_SIZE;
                Room* p_room = p_map->getRoom(x, y);
                for (int d = NORTH; d <= WEST; d++) { // each door paired both ways
                    Room* p_next = p_room->getNeighbour(d);
                    EXPECT_TRUE(!p_next || p_next->getNeighbour(oppositeDirection(d)) == p_room);
                }
                if (!p_room->hasDoors() || p_room == p_centre) {
                    EXPECT_TRUE(p_room->getObjects()->isEmpty());
                    continue;
                }
                if (abs(x - 2) + abs(y - 2) > abs(far.getX() - 2) + abs(far.getY() - 2))
                    far = ks::Position(x, y); // the first on ties
                std::map<std::string, int> kinds = kindsIn(p_room);
                const int traps = kinds["ArrowTrap"], enemies = kinds["Zombie"] + kinds["Skeleton"];
                EXPECT_TRUE(f == 1 ? traps == 0 : traps == f - 1 || traps == f);
                EXPECT_TRUE(kinds[""] >= f + 2 && kinds[""] <= f + 4);
                EXPECT_TRUE(enemies >= f + 1 && enemies <= f + 2 + f / 3);
                EXPECT_TRUE(f > 2 || kinds["Skeleton"] == 0);
                skeletons += kinds["Skeleton"];
                ladders += kinds["Ladder"];
            }
            const ks::ObjectList* p_far = p_map->getRoom(far.getX(), far.getY())->getObjects();
            ASSERT_TRUE(ladders == 1 && objectsIn<Ladder>(p_far).size() == 1);
            EXPECT_EQ(objectsIn<Ladder>(p_far)[0]->getPosition(), ks::Position(5, 3));
        }
    }
    EXPECT_GT(skeletons, 0);
    // The last map goes deep: floors 6 to 39, the update destroying each floor left, then 40.
    for (int f = 6; f <= 39; f++, updateWorld())
        p_map->generateFloor();
    ks::LogManager::getInstance().startUp(); // empties the log
    p_map->generateFloor();
    EXPECT_EQ(p_map->getFloor(), 41);
    // A room of floor 40 draws at least 39 traps, 42 spikes and 41 enemies; the missing are logged.
    int rooms = 0, placed = 0, logged = 0;
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) {
        Room* p_room = p_map->getRoom(i / MAP_SIZE, i % MAP_SIZE);
        std::map<std::string, int> kinds = kindsIn(p_room);
        rooms += p_room->hasDoors() && p_room != p_map->getCurrentRoom();
        placed += kinds["ArrowTrap"] + kinds[""] + kinds["Zombie"] + kinds["Skeleton"];
    }
    for (const std::string& line : logLines())
        logged += line.rfind("Map::generateFloor(): Warning! no free place for a ", 0) == 0;
    EXPECT_GT(logged, 0);
    EXPECT_GE(placed + logged, rooms * (39 + 42 + 41));
    Room full(1, 1); // and the search gives up on a room without a place
    ks::Object all;
    all.setBox(ks::Box(ks::Position(0, 0), 80, 24));
    full.addObject(&all);
    EXPECT_FALSE(Map::isPlaced(Map::findFreePosition(&full, 1, 1)));
}

// Each door of the shown room is drawn over the room picture at its corner; a side without a
// door shows the room picture's wall.
TEST_F(MapTest, DoorsAreDrawnAtTheirCornersOnlyWhereTheRoomHasThem) {
    Map* p_map = newMap(5);
    const std::string wall =
        ks::ResourceManager::getInstance().getSprite("room")->getFrame(0).getString();
    // Per direction (N, E, S, W): the picture's corner, its width and its rows.
    const std::tuple<int, int, int, std::vector<std::string>> doors[] = {
        {37, 0, 8, {"#      #", "#      #"}},
        {0, 9, 2, {"##", "  ", "  ", "  ", "  ", "##"}},
        {37, 22, 8, {"#      #", "#      #"}},
        {78, 9, 2, {"##", "  ", "  ", "  ", "  ", "##"}}};
    int partly_open = 0;
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) {
        Room* p_room = p_map->getRoom(i / MAP_SIZE, i % MAP_SIZE);
        if (!p_room->hasDoors())
            continue;
        p_map->swapRoom(p_room, NO_DIRECTION);
        ks::GraphicsManager::getInstance().swapBuffers();
        p_map->draw();
        int open = 0;
        for (int d = NORTH; d <= WEST; d++) {
            const auto& [x, y, width, rows] = doors[d];
            open += p_room->getNeighbour(d) != nullptr;
            for (int r = 0; r < static_cast<int>(rows.size()); r++)
                EXPECT_EQ(row(y + r).substr(x, width),
                          p_room->getNeighbour(d) ? rows[r] : wall.substr((y + r) * 80 + x, width))
                    << "room " << i << " direction " << d << " row " << r;
        }
        partly_open += open < 4;
    }
    EXPECT_GT(partly_open, 0);
}
