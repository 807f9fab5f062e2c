#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Direction.h"
#include "GameHelpers.h"
#include "Ladder.h"
#include "Map.h"
#include "Room.h"
#include "Spikes.h"
#include "TestSupport.h"

using ks::Position;

namespace {

// Objects per type label; the spikes have an empty label and are counted as "Spikes".
std::map<std::string, int> kindsIn(const Room* p_room) {
    std::map<std::string, int> kinds;
    for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next())
        kinds[dynamic_cast<Spikes*>(it.currentObject()) ? "Spikes"
                                                        : it.currentObject()->getType()]++;
    return kinds;
}

// "no free place" warnings so far for the room, or for all rooms.
int noPlaceLines(const Room* p_room = nullptr) {
    const std::string prefix = "Map::generateFloor(): Warning! no free place";
    const std::string room = p_room ? "in room (" + std::to_string(p_room->getX()) + "," +
                                          std::to_string(p_room->getY()) + ")"
                                    : "";
    int n = 0;
    for (const std::string& line : logLines())
        n += line.rfind(prefix, 0) == 0 && line.find(room) != std::string::npos ? 1 : 0;
    return n;
}

class MapTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
    void TearDown() override { Map::setSeedOverride(Map::SEED_FROM_TIME); }

    static Map* newMap(long seed) {
        resetEngine();
        Map::setSeedOverride(seed);
        return new Map();
    }
    // The update lets the world take the old floor out and destroy it.
    static void nextFloor(Map* p_map) {
        p_map->generateFloor();
        ks::WorldManager::getInstance().update();
    }
    // Calls check(room) for every room with a door except the centre.
    template <typename F> static void forFilledRooms(Map* p_map, F check) {
        for (int x = 0; x < MAP_SIZE; x++)
            for (int y = 0; y < MAP_SIZE; y++)
                if (p_map->getRoom(x, y)->hasDoors() && !(x == MAP_CENTRE && y == MAP_CENTRE))
                    check(p_map->getRoom(x, y));
    }
};

} // namespace

TEST_F(MapTest, FloorsAreWellFormedOverManySeeds) {
    for (long seed = 1; seed <= 40; seed++) {
        Map* p_map = newMap(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        Room* p_centre = p_map->getRoom(MAP_CENTRE, MAP_CENTRE);
        EXPECT_EQ(p_map->getCurrentRoom(), p_centre);
        EXPECT_TRUE(p_centre->hasNorth() && p_centre->hasSouth() && p_centre->hasEast() &&
                    p_centre->hasWest());
        EXPECT_TRUE(p_centre->getObjects()->isEmpty());
        Position furthest(MAP_CENTRE, MAP_CENTRE), ladder_room(-1, -1);
        for (int x = 0; x < MAP_SIZE; x++)
            for (int y = 0; y < MAP_SIZE; y++) {
                Room* p_room = p_map->getRoom(x, y);
                for (int d = NORTH; d <= WEST; d++) {
                    Position next = adjacentPosition(Position(x, y), d);
                    if (p_room->getNeighbour(d)) { // paired with the neighbour's opposite door
                        EXPECT_EQ(p_room->getNeighbour(d),
                                  p_map->getRoom(next.getX(), next.getY()));
                        EXPECT_EQ(p_room->getNeighbour(d)->getNeighbour(oppositeDirection(d)),
                                  p_room);
                    }
                }
                EXPECT_TRUE(p_room->hasDoors() || p_room->getObjects()->isEmpty());
                if (p_room->hasDoors() &&
                    abs(x - 2) + abs(y - 2) > abs(furthest.getX() - 2) + abs(furthest.getY() - 2))
                    furthest = Position(x, y);
                for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next())
                    if (dynamic_cast<Ladder*>(it.currentObject())) {
                        EXPECT_EQ(ladder_room, Position(-1, -1)); // only one
                        EXPECT_EQ(it.currentObject()->getPosition(), Position(5, 3));
                        ladder_room = Position(x, y);
                    }
            }
        EXPECT_EQ(ladder_room, furthest);
    }
}

TEST_F(MapTest, RoomContentsFollowTheirFloor) {
    int skeletons = 0;
    for (long seed = 1; seed <= 10; seed++) {
        Map* p_map = newMap(seed);
        for (int f = 1; f <= 5; f++) {
            if (f > 1)
                nextFloor(p_map);
            SCOPED_TRACE("seed " + std::to_string(seed) + " floor " + std::to_string(f));
            forFilledRooms(p_map, [&](Room* p_room) {
                std::map<std::string, int> kinds = kindsIn(p_room);
                const int traps = kinds["ArrowTrap"], enemies = kinds["Zombie"] + kinds["Skeleton"];
                EXPECT_TRUE(f == 1 ? traps == 0 : traps == f - 1 || traps == f);
                EXPECT_TRUE(kinds["Spikes"] >= f + 2 && kinds["Spikes"] <= f + 4);
                EXPECT_TRUE(enemies >= f + 1 && enemies <= f + 2 + f / 3);
                EXPECT_TRUE(f > 2 || kinds["Skeleton"] == 0);
                EXPECT_LE(kinds["Heart"] + kinds["Moneybag"] + kinds["Atkup"] + kinds["Defup"], 1);
                skeletons += kinds["Skeleton"];

                std::vector<ks::Object*> placed; // by the free-place search
                for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next()) {
                    ks::Object* p_object = it.currentObject();
                    Position pos = p_object->getPosition();
                    const std::string type = p_object->getType();
                    if (type == "Heart" || type == "Moneybag" || type == "Atkup" ||
                        type == "Defup") {
                        EXPECT_EQ(pos, type[0] == 'H' || type[0] == 'M' ? Position(40, 12)
                                                                        : Position(38, 10));
                        continue;
                    }
                    if (type == "Ladder")
                        continue;
                    EXPECT_TRUE(pos.getX() >= 10 && pos.getX() <= 69 && pos.getY() >= 7 &&
                                pos.getY() <= 16);
                    // Traps keep out of the area the player crosses.
                    EXPECT_FALSE(type == "ArrowTrap" && pos.getX() < 65 && pos.getY() > 7 &&
                                 pos.getY() < 15);
                    for (ks::Object* p_other : placed)
                        EXPECT_FALSE(boxIntersectsBox(getWorldBox(p_object), getWorldBox(p_other)));
                    placed.push_back(p_object);
                }
            });
        }
        EXPECT_EQ(noPlaceLines(), 0);
    }
    EXPECT_GT(skeletons, 0);
}

TEST_F(MapTest, DeepFloorsFinishAndLogWhatFindsNoPlace) {
    Map* p_map = newMap(5);
    for (int f = 2; f <= 40; f++)
        nextFloor(p_map);
    EXPECT_EQ(p_map->getFloor(), 41);
    const int f = 40, least_drawn = (f - 1) + (f + 2) + (f + 1);
    forFilledRooms(p_map, [&](Room* p_room) {
        std::map<std::string, int> kinds = kindsIn(p_room);
        const int placed =
            kinds["ArrowTrap"] + kinds["Spikes"] + kinds["Zombie"] + kinds["Skeleton"];
        // Whatever was drawn for the room but is missing from it has been logged.
        EXPECT_GT(noPlaceLines(p_room), 0);
        EXPECT_GE(placed + noPlaceLines(p_room), least_drawn);
    });
}

TEST_F(MapTest, FindFreePositionGivesUpOnAFullRoom) {
    Room room(1, 1);
    ks::Object left, right;
    left.setBox(ks::Box(Position(0, 0), 69, 24)); // leaves only the column x = 69
    room.addObject(&left);
    for (int i = 0; i < 20; i++)
        EXPECT_EQ(Map::findFreePosition(&room, 1, 1).getX(), 69);
    right.setPosition(Position(69, 0)); // the search puts boxes at their object's position
    right.setBox(ks::Box(Position(0, 0), 11, 24));
    room.addObject(&right);
    EXPECT_FALSE(Map::isPlaced(Map::findFreePosition(&room, 1, 1)));
}
