// Hours of play compressed into game-loop cycles: nothing may pile up, the live objects and the
// heap come back to the same level at the start of every game.
#include <cstdio>
#include <malloc.h>
#include <random>

#include "GameHelpers.h"

#if defined(__SANITIZE_ADDRESS__) // its allocator does not show in mallinfo2; GCC has no header
extern "C" size_t __sanitizer_get_current_allocated_bytes();
const auto heapInUse = [] { return long(__sanitizer_get_current_allocated_bytes()); };
#else
const auto heapInUse = [] { return long(mallinfo2().uordblks); };
#endif

namespace {
const int CYCLES = 30000, SEED = 20240607;
// Cycles on a floor before the ladder: in every other game the player looks around, in the
// others it dives (deep floors are deadly, and every depth must be reached).
const int LADDER_EVERY[] = {6, 50};
const int DOOR_EVERY = 17;         // cycles between walks through a doorway
const int DEEPEST_GAME_FLOOR = 21; // each game goes at least this deep before the player dies
// The old game's owners hand over what they own one update after another before it is measured.
const int SETTLE_CYCLES = 5;
const int WARM_UP_GAMES = 2;             // they warm the allocator up before the heap is compared
const long MEMORY_TOLERANCE = 16 * 1024; // allocator bookkeeping; a room alone is 40 KB

// Touches the floor's ladder with the player, as the world reports it; false without one.
bool takeLadder(Map* p_map) {
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++)
        for (Ladder* p_ladder : GameTest::objectsIn<Ladder>(
                 p_map->getRoom(i % MAP_SIZE, i / MAP_SIZE)->getObjects())) {
            ks::EventCollision touch(p_map->getPlayer(), p_ladder, p_ladder->getPosition());
            p_map->getPlayer()->eventHandler(&touch);
            p_ladder->eventHandler(&touch);
            return true;
        }
    return false;
}
} // namespace

using SoakTest = GameTest;

TEST_F(SoakTest, LongPlayKeepsLiveObjectsAndHeapBounded) {
    std::mt19937 choices(SEED); // and so are the player's choices
    const auto pick = [&](int n) { return static_cast<int>(choices() % static_cast<unsigned>(n)); };
    ks::LogManager::getInstance().shutDown(); // gigabytes of log would only measure the disk
    populateWorld();
    int games = 0, map_id = -1, measure_at = -1, target_floor = 0, floor_start = 0, heading = 0;
    int ladders = 0, deepest = 0, most_live = 0, first_live = -1;
    long early_live = 0, late_live = 0, early_heap = 0, late_heap = 0;
    bool door_pending = false;
    for (int cycle = 0; cycle < CYCLES; cycle++) {
        Map::setNextSeed(SEED); // every floor of every game is the same for its number
        Map* p_map = mapInWorld();
        if (p_map && p_map->getId() != map_id) { // a new game, with a new depth to reach
            map_id = p_map->getId();
            games++;
            measure_at = floor_start = cycle + SETTLE_CYCLES;
            target_floor = DEEPEST_GAME_FLOOR + pick(5);
        }
        Player* p_player = p_map ? p_map->getPlayer() : nullptr;
        // Until it is measured, a new game is left as it starts; then it is played until death.
        if (cycle > measure_at && p_player && !p_player->isDead() && inWorld(p_player)) {
            door_pending = door_pending || cycle % DOOR_EVERY == 0;
            // The way out through the NORTH, EAST, SOUTH or WEST doorway; any way to walk.
            const int KEYS[] = {ks::Keyboard::W, ks::Keyboard::A, ks::Keyboard::S, ks::Keyboard::D};
            if (p_map->getFloor() - 1 >= target_floor) { // getFloor() is the next floor to build
                if (!p_player->isInvulnerable())
                    p_player->setHealth(0, false);
            } else if (cycle - floor_start >= LADDER_EVERY[games % 2]) {
                ladders += takeLadder(p_map) ? 1 : 0;
                deepest = std::max(deepest, p_map->getFloor() - 1);
                floor_start = cycle;
            } else if (door_pending && p_player->getMoveCountdown() == 0 &&
                       !p_player->isAttacking()) {
                const ks::Box box = p_player->getBox();
                const ks::Position AT[] = {
                    {39, 2}, {2, 10}, {39, 22 - box.getVertical()}, {78 - box.getHorizontal(), 10}};
                const int d = pick(4);
                door_pending = !p_map->getCurrentRoom()->getNeighbour(d); // try again next cycle
                if (!door_pending)
                    p_player->setPosition(AT[d]);
                key(p_player, KEYS[d], ks::KEY_DOWN);
            } else {
                heading = pick(12) == 0 ? pick(4) : heading;
                key(p_player, KEYS[heading], ks::KEY_DOWN);
                if (pick(20) == 0) // a swing: the four arrow keys follow each other
                    key(p_player, ks::Keyboard::LEFTARROW + pick(4));
            }
        }
        ks::GameManager::getInstance().cycle();
        most_live = std::max(most_live, live());
        if (cycle == measure_at) {
            late_heap = heapInUse();
            late_live = live();
            first_live = games == 1 ? late_live : first_live;
            early_heap = games == WARM_UP_GAMES + 1 ? late_heap : early_heap;
            early_live = games == WARM_UP_GAMES + 1 ? late_live : early_live;
            // Every game starts on the same floor 1 with nothing left of the games before.
            EXPECT_EQ(late_live, first_live) << "game " << games;
            ASSERT_NE(p_map = mapInWorld(), nullptr) << "cycle " << cycle;
            EXPECT_EQ(unaccountedObjects(p_map), 0) << "game " << games;
        }
    }
    printf("Soak: %d cycles, %d games, %d ladders taken (deepest floor %d)\n", CYCLES, games,
           ladders, deepest);
    printf(
        "Soak: at game start: live objects early %ld, late %ld (most ever %d); heap in use early "
        "%ld bytes, late %ld bytes (%+ld)\n",
        early_live, late_live, most_live, early_heap, late_heap, late_heap - early_heap);
    EXPECT_GE(deepest, DEEPEST_GAME_FLOOR);
    EXPECT_GE(games, WARM_UP_GAMES + 3);
    EXPECT_LT(most_live, ks::MAX_OBJECTS); // the list every live object must fit in
    EXPECT_LE(late_heap - early_heap, MEMORY_TOLERANCE);
}
