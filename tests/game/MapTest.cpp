#include <chrono>

#include "GameHelpers.h"

class MapTest : public GameTest {};

// Deep rooms are too crowded for all their objects: the search gives up on those it finds no
// place for, with a line each, instead of searching for ever; every floor builds in well under a
// second. (What floors 1 to 3 hold is checked against the seed catalogue.)
TEST_F(MapTest, CrowdedDeepFloorsGiveUpOnPlacesWithALineInsteadOfSearchingForever) {
    const std::string gave_up = "Map::generateFloor(): Warning! no free place for a ";
    for (long seed = 1; seed <= 3; seed++) {
        resetEngine();
        Map* p_map = newMap(seed);
        for (int f = 2; f <= 40; f++) {
            const auto start = std::chrono::steady_clock::now();
            p_map->generateFloor();
            updateWorld(); // the floor left behind is destroyed here
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            EXPECT_LT(took.count(), 1.0) << "seed " << seed << " floor " << f;
        }
        int lines = 0;
        for (const std::string& line : logLines())
            lines += line.rfind(gave_up, 0) == 0;
        EXPECT_GT(lines, 0) << "seed " << seed;
    }
    Room full(1, 1);
    ks::Object all;
    all.setBox(ks::Box(ks::Position(0, 0), 80, 24));
    full.addObject(&all);
    EXPECT_FALSE(FloorGenerator::isPlaced(FloorGenerator::findFreePosition(&full, 1, 1)));
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
