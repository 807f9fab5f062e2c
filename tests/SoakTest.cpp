// Hours of play compressed: tens of thousands of game-loop cycles of walking, swinging, room
// changes, ladders twenty floors down and more, deaths and new games. Nothing may pile up: the
// live objects and the heap must come back to the same level at the start of every game.
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "Direction.h"
#include "EventCollision.h"
#include "EventKeyboard.h"
#include "GameManager.h"
#include "LogManager.h"
#include "LongPlayHelpers.h"
#include "Setup.h"
#include "TestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count: its allocator does not show in mallinfo2. (GCC ships no header.)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

const unsigned SEED = 20240607;
const int CYCLES = 30000;
// Cycles on a floor before the player takes its ladder: in every other game the player looks
// around; in the others it dives (deep floors are deadly, and every depth must be reached).
const int LADDER_EVERY = 50;
const int LADDER_EVERY_DIVING = 6;
// Cycles between walks through a doorway.
const int DOOR_EVERY = 17;
// Each game goes at least this deep before the player dies.
const int DEEPEST_GAME_FLOOR = 21;
// Cycles after a new game starts before it is measured and played (the old game's owners hand
// over what they own one update after another).
const int SETTLE_CYCLES = 5;
// Games that warm the allocator up before the heap is compared.
const int WARM_UP_GAMES = 2;
// Growth of the heap from the first game after the warm-up to the last game that is not a leak
// (allocator bookkeeping; a room alone is 40 KB).
const long MEMORY_TOLERANCE = 16 * 1024;

// Bytes of heap in use.
long heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

struct Sample {
    int game;
    int cycle;
    int live;
    long heap;
    int unaccounted;
};

// Plays the game through its own events, with choices from a seeded generator.
class SoakPlayer {
public:
    explicit SoakPlayer(unsigned seed) : choices(seed) {}

    // The input of one cycle: a held movement key, sometimes a swing or a mode key, and on their
    // turn a walk through a doorway, the ladder, or death.
    void act(Map* p_map, int cycle) {
        Player* p_player = p_map->getPlayer();
        if (!p_player || p_player->isDead() ||
            !ks::WorldManager::getInstance().getAllObjects().contains(p_player))
            return;
        if (p_map->getFloor() != floor_seen) {
            floor_seen = p_map->getFloor();
            floor_start = cycle;
            target_floor = target_floor == 0 ? DEEPEST_GAME_FLOOR + pick(5) : target_floor;
        }
        // getFloor() is the number of the next floor to build.
        const int floor = p_map->getFloor() - 1;
        if (floor >= target_floor) {
            if (!p_player->isInvulnerable())
                p_player->setHealth(0, false);
            return;
        }
        if (cycle - floor_start >= (diving ? LADDER_EVERY_DIVING : LADDER_EVERY)) {
            takeLadder(p_map);
            return;
        }
        if (cycle % DOOR_EVERY == 0)
            door_pending = true;
        if (door_pending && p_player->getMoveCountdown() == 0 && !p_player->isAttacking()) {
            door_pending = false;
            walkThroughADoor(p_map);
            return;
        }

        if (pick(12) == 0)
            heading = pick(4);
        static const int WALK_KEYS[] = {ks::Keyboard::W, ks::Keyboard::D, ks::Keyboard::S,
                                        ks::Keyboard::A};
        static const int SWING_KEYS[] = {ks::Keyboard::UPARROW, ks::Keyboard::RIGHTARROW,
                                         ks::Keyboard::DOWNARROW, ks::Keyboard::LEFTARROW};
        press(ks::KEY_DOWN, WALK_KEYS[heading]);
        if (pick(20) == 0)
            press(ks::KEY_PRESSED, SWING_KEYS[pick(4)]);
        if (pick(40) == 0)
            press(pick(2) ? ks::KEY_PRESSED : ks::KEY_RELEASED, ks::Keyboard::LEFTSHIFT);
    }

    // A new game: a new depth to reach.
    void newGame() {
        target_floor = 0;
        floor_seen = 0;
        diving = !diving;
    }

    int ladders_taken = 0;
    int doors_tried = 0;
    int deepest_floor = 0;

private:
    int pick(int n) { return static_cast<int>(choices() % static_cast<unsigned>(n)); }

    void press(int action, int key) {
        ks::EventKeyboard event(action, key);
        ks::WorldManager::getInstance().onEvent(&event);
    }

    // Puts the player just inside a doorway of the room and steps out through it.
    void walkThroughADoor(Map* p_map) {
        Player* p_player = p_map->getPlayer();
        Room* p_room = p_map->getCurrentRoom();
        std::vector<int> doors;
        for (int d = NORTH; d <= WEST; d++)
            if (p_room->getNeighbour(d))
                doors.push_back(d);
        if (doors.empty())
            return;
        const int width = p_player->getBox().getHorizontal();
        const int height = p_player->getBox().getVertical();
        doors_tried++;
        switch (doors[pick(static_cast<int>(doors.size()))]) {
        case NORTH:
            p_player->setPosition(ks::Position(39, 2));
            press(ks::KEY_DOWN, ks::Keyboard::W);
            break;
        case SOUTH:
            p_player->setPosition(ks::Position(39, 22 - height));
            press(ks::KEY_DOWN, ks::Keyboard::S);
            break;
        case WEST:
            p_player->setPosition(ks::Position(78 - width, 10));
            press(ks::KEY_DOWN, ks::Keyboard::D);
            break;
        default:
            p_player->setPosition(ks::Position(2, 10));
            press(ks::KEY_DOWN, ks::Keyboard::A);
            break;
        }
    }

    // Touches the floor's ladder, as the world reports it.
    void takeLadder(Map* p_map) {
        Ladder* p_ladder = findLadder(p_map);
        if (!p_ladder)
            return;
        ks::EventCollision touch(p_map->getPlayer(), p_ladder, p_ladder->getPosition());
        p_map->getPlayer()->eventHandler(&touch);
        p_ladder->eventHandler(&touch);
        ladders_taken++;
        deepest_floor = std::max(deepest_floor, p_map->getFloor() - 1);
    }

    std::mt19937 choices;
    int heading = 0;
    bool door_pending = false;
    bool diving = false;
    int target_floor = 0;
    int floor_seen = 0;
    int floor_start = 0;
};

} // namespace

class SoakTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
    }
    void TearDown() override {
        Map::setSeedOverride(Map::SEED_FROM_TIME);
        ks::LogManager::getInstance().startUp();
    }
};

TEST_F(SoakTest, LongPlayKeepsLiveObjectsAndHeapBounded) {
    // Every floor of every game is the same for its number; the choices are seeded too.
    Map::setSeedOverride(SEED);
    srand(SEED);
    SoakPlayer player(SEED);
    // Gigabytes of log lines would only measure the disk.
    ks::LogManager::getInstance().shutDown();

    ks::GameManager& game = ks::GameManager::getInstance();
    const int empty = ks::Object::getLiveCount();
    populateWorld();

    std::vector<Sample> samples;
    samples.reserve(CYCLES / 100); // growing it would show in the heap figures
    int games = 0;
    int map_id = -1;
    int measure_at = -1;
    int most_live = 0;
    int most_in_world = 0;
    int rooms_entered = 0;
    const Room* p_room_seen = nullptr;
    for (int cycle = 0; cycle < CYCLES; cycle++) {
        Map* p_map = findInWorld<Map>();
        if (p_map && p_map->getId() != map_id) {
            map_id = p_map->getId();
            games++;
            player.newGame();
            measure_at = cycle + SETTLE_CYCLES;
        }
        if (p_map) {
            if (p_map->getCurrentRoom() != p_room_seen)
                rooms_entered++;
            p_room_seen = p_map->getCurrentRoom();
            // Until it is measured, a new game is left as it starts.
            if (cycle > measure_at)
                player.act(p_map, cycle);
        }

        game.cycle();
        game.setStepCount(game.getStepCount() + 1);

        most_live = std::max(most_live, ks::Object::getLiveCount());
        most_in_world =
            std::max(most_in_world, ks::WorldManager::getInstance().getAllObjects().getCount());
        if (cycle == measure_at) {
            Map* p_measured = findInWorld<Map>();
            ASSERT_NE(p_measured, nullptr) << "cycle " << cycle;
            samples.push_back({games, cycle, ks::Object::getLiveCount(), heapInUse(),
                               unaccountedObjects(p_measured)});
        }
    }
    ks::LogManager::getInstance().startUp();
    ASSERT_GT(samples.size(), static_cast<size_t>(WARM_UP_GAMES) + 1) << "too few games";
    const Sample& early = samples[WARM_UP_GAMES];
    const Sample& late = samples.back();
    printf("Soak: %d cycles driven, %d games, %d ladders taken (deepest floor %d), %d rooms "
           "entered (%d doorways tried)\n",
           CYCLES, games, player.ladders_taken, player.deepest_floor, rooms_entered,
           player.doors_tried);
    printf("Soak: live objects at game start: early %d (game %d, cycle %d), late %d (game %d, "
           "cycle %d); most live %d, most in the world %d; %d before the title screen\n",
           early.live, early.game, early.cycle, late.live, late.game, late.cycle, most_live,
           most_in_world, empty);
    printf("Soak: heap in use at game start: early %ld bytes, late %ld bytes (%+ld)\n", early.heap,
           late.heap, late.heap - early.heap);
    fflush(stdout);

    EXPECT_GE(player.deepest_floor, DEEPEST_GAME_FLOOR);
    EXPECT_GE(games, 5);
    for (const Sample& sample : samples) {
        SCOPED_TRACE("game " + std::to_string(sample.game));
        // Every game starts on the same floor 1 with nothing left of the games before.
        EXPECT_EQ(sample.live, samples.front().live);
        EXPECT_EQ(sample.unaccounted, 0);
    }
    // Below the world's capacity, the list every live object must fit in at a floor change.
    EXPECT_LT(most_live, ks::MAX_OBJECTS);
    EXPECT_LE(late.heap - early.heap, MEMORY_TOLERANCE);
}
