// What each seed builds: floors 1 to 3 of seeds 1, 2 and 3, room by room, compared with the
// catalogue in tests/data/seeds/. A change to the generator or to the order of its random draws
// shows up here as a difference in the listing. To change what seeds build on purpose, run
// tools/regenerate-golden.sh and commit the new listings with the reason.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ArrowTrap.h"
#include "Enemy.h"
#include "GameHelpers.h"
#include "Spikes.h"

namespace {

const int SEEDS[] = {1, 2, 3};
const int FLOORS = 3;

std::string catalogueFile(int seed) {
    return std::string(MURKVAULT_SOURCE_DIR) + "/tests/data/seeds/seed-" + std::to_string(seed) +
           ".txt";
}

std::string doorsOf(const Room* p_room) {
    const char* const names[] = {" north", " east", " south", " west"}; // by direction
    std::string doors;
    for (int direction : {NORTH, SOUTH, EAST, WEST})
        doors += p_room->getNeighbour(direction) ? names[direction] : "";
    return doors;
}

// One line per object: its kind, its place, and the way it faces where it has one.
std::string describe(ks::Object* p_object) {
    std::ostringstream line;
    const ks::Position pos = p_object->getPosition();
    // Spikes take their type label only when they first act.
    const std::string kind = dynamic_cast<Spikes*>(p_object) ? "Spikes" : p_object->getType();
    line << "    " << kind << " at (" << pos.getX() << "," << pos.getY() << ")";
    if (const Enemy* p_enemy = dynamic_cast<const Enemy*>(p_object))
        line << " facing " << p_enemy->getFacing();
    if (const ArrowTrap* p_trap = dynamic_cast<const ArrowTrap*>(p_object))
        line << " shooting " << p_trap->getDirection();
    return line.str();
}

// Every room with a door, in the generator's order, with its doors and objects.
std::string listFloor(const Map* p_map) {
    std::ostringstream out;
    for (int x = 0; x < MAP_SIZE; x++)
        for (int y = 0; y < MAP_SIZE; y++) {
            const Room* p_room = p_map->getRoom(x, y);
            if (!p_room->hasDoors())
                continue;
            out << "  room (" << x << "," << y << ") doors:" << doorsOf(p_room) << "\n";
            for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next())
                out << describe(it.currentObject()) << "\n";
        }
    return out.str();
}

std::string catalogue(int seed) {
    std::ostringstream out;
    out << "# What seed " << seed << " builds: floors 1 to " << FLOORS
        << ", every room with a door (grid x, y), its doors and objects.\n";
    Map::setNextSeed(static_cast<unsigned long>(seed));
    Map* p_map = Map::spawn();
    for (int f = 1; f <= FLOORS; f++) {
        if (f > 1)
            p_map->generateFloor();
        out << "floor " << f << "\n" << listFloor(p_map);
    }
    return out.str();
}

using SeedCatalogueTest = GameTest;

TEST_F(SeedCatalogueTest, EachSeedBuildsTheFloorsOfTheCatalogue) {
    const bool regenerate = std::getenv("MURKVAULT_REGENERATE") != nullptr;
    for (int seed : SEEDS) {
        resetEngine();
        const std::string listing = catalogue(seed);
        if (regenerate) {
            std::ofstream(catalogueFile(seed)) << listing;
            continue;
        }
        EXPECT_EQ(fileText(catalogueFile(seed)), listing)
            << "seed " << seed << " builds other floors than " << catalogueFile(seed);
    }
}

} // namespace
