#include <string>

#include "Arrow.h"
#include "Direction.h"
#include "Enemy.h"
#include "EventCollision.h"
#include "EventKeyboard.h"
#include "GameManager.h"
#include "Gameover.h"
#include "LongPlayHelpers.h"
#include "PopUp.h"
#include "Setup.h"
#include "TestSupport.h"
#include "Wall.h"

namespace {

ks::WorldManager& world() {
    return ks::WorldManager::getInstance();
}

// The hitbox's destructor line; spelt with escapes so that no trigraph is read.
const char* const SWORD_GOODBYE = "calling Sword deconstructor (\?\?\?)";

int live() {
    return ks::Object::getLiveCount();
}

void runCycles(int cycles) {
    for (int i = 0; i < cycles; i++)
        ks::GameManager::getInstance().cycle();
}

int worldCount(const std::string& type) {
    int n = 0;
    ks::ObjectList all = world().getAllObjects();
    for (ks::ObjectListIterator it(&all); !it.isDone(); it.next())
        n += it.currentObject()->getType() == type ? 1 : 0;
    return n;
}

// The first object of the dynamic class T in the room, or null.
template <typename T> T* firstIn(Room* p_room) {
    for (ks::ObjectListIterator it(p_room->getObjects()); !it.isDone(); it.next())
        if (T* p_t = dynamic_cast<T*>(it.currentObject()))
            return p_t;
    return nullptr;
}

// Touches the ladder of the map's floor with the player, as the world reports it.
void takeLadder(Map* p_map) {
    Ladder* p_ladder = findLadder(p_map);
    ASSERT_NE(p_ladder, nullptr);
    ks::EventCollision touch(p_map->getPlayer(), p_ladder, p_ladder->getPosition());
    p_map->getPlayer()->eventHandler(&touch);
    p_ladder->eventHandler(&touch);
}

} // namespace

class DisposalTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        loadGameResources();
        srand(1);
    }
    void TearDown() override { Map::setSeedOverride(Map::SEED_FROM_TIME); }

    Map* newGame(long seed) {
        Map::setSeedOverride(seed);
        Map* p_map = new Map();
        world().update();
        return p_map;
    }
};

TEST_F(DisposalTest, WallsOfARoomLeftBehindAreDestroyed) {
    Map* p_map = newGame(3);
    Room* p_centre = p_map->getCurrentRoom();
    Room* p_north = p_centre->getNorth();
    p_map->swapRoom(p_north, NORTH);
    world().update();
    p_map->swapRoom(p_centre, SOUTH);
    world().update();
    const int settled = live();
    for (int i = 0; i < 20; i++) {
        p_map->swapRoom(p_north, NORTH);
        world().update();
        p_map->swapRoom(p_centre, SOUTH);
        world().update();
        ASSERT_EQ(live(), settled) << "round trip " << i;
    }
    EXPECT_EQ(worldCount("Wall"), 8); // the centre room has four doors: two pieces a side
    EXPECT_EQ(unaccountedObjects(p_map), 0);
}

TEST_F(DisposalTest, SpentSwordHitboxesAreDestroyedAfterTheirLastStep) {
    Player* p_player = new Player();
    const int before = live();
    p_player->attack(1, 0);
    ASSERT_EQ(live(), before + 3);
    runCycles(11); // marked at their eleventh step, still in the world until the next update
    EXPECT_EQ(live(), before + 3);
    EXPECT_EQ(logCount(SWORD_GOODBYE), 0);
    runCycles(1);
    EXPECT_EQ(live(), before);
    EXPECT_EQ(logCount(SWORD_GOODBYE), 3);
}

TEST_F(DisposalTest, ArrowsAreDestroyedOnceTheyHitSomethingOrLeaveTheWindow) {
    new Wall(ks::Box(ks::Position(60, 0), 2, 24));
    const int before = live();
    new Arrow(ks::Position(50, 5), EAST);   // into the wall
    new Arrow(ks::Position(75, 15), EAST);  // out through the right edge
    new Arrow(ks::Position(10, 20), NORTH); // out through the bottom edge
    new Arrow(ks::Position(20, 3), SOUTH);  // out through the top edge
    runCycles(2);
    EXPECT_EQ(live(), before + 4);
    runCycles(40);
    EXPECT_EQ(live(), before);
    EXPECT_EQ(worldCount("Wall"), 1);
}

TEST_F(DisposalTest, ExpiredPopUpsAreDestroyed) {
    const int before = live();
    new PopUp("health acquired");
    runCycles(122); // marked at its 122nd step
    EXPECT_EQ(live(), before + 1);
    runCycles(1);
    EXPECT_EQ(live(), before);
}

TEST_F(DisposalTest, AFloorChangeDestroysThePreviousFloorButNoRoomThatCanBeShownAgain) {
    Map* p_map = newGame(5);
    Room* p_centre = p_map->getCurrentRoom();
    Room* p_north = p_centre->getNorth();
    Enemy* p_enemy = firstIn<Enemy>(p_north);
    ASSERT_NE(p_enemy, nullptr);
    const ks::Position where = p_enemy->getPosition();

    // The room is left and kept: its objects live on out of the world.
    p_map->swapRoom(p_north, NORTH);
    world().update();
    p_map->swapRoom(p_centre, SOUTH);
    for (int i = 0; i < 5; i++)
        world().update();
    EXPECT_EQ(p_enemy->getPosition(), where);
    EXPECT_EQ(unaccountedObjects(p_map), 0);

    takeLadder(p_map);
    EXPECT_EQ(p_map->getFloor(), 3);
    world().update();
    // Everything alive is in the world or in a room of floor 2; floor 1 is gone.
    EXPECT_EQ(unaccountedObjects(p_map), 0);
    EXPECT_EQ(findLadder(p_map)->getFloor(), 2);
}

TEST_F(DisposalTest, ANewGameDestroysThePreviousGameWithItsScreens) {
    const int empty = live();
    Map::setSeedOverride(8);
    populateWorld();
    runCycles(123); // the title screen starts the game at its 122nd step
    Map* p_map = findInWorld<Map>();
    ASSERT_NE(p_map, nullptr);
    runCycles(1);
    EXPECT_EQ(unaccountedObjects(p_map), 0); // the title screen is gone
    const int first_game = live();

    Player* p_player = p_map->getPlayer();
    p_player->setInvulnerable(false);
    p_player->setHealth(0, false);
    runCycles(1); // dies and shows the game-over screen
    ASSERT_NE(findInWorld<Gameover>(), nullptr);
    // Map, rooms and walls; then the player; then its displays: one update each.
    runCycles(3);
    EXPECT_EQ(live(), empty + 1);

    runCycles(120); // the game-over screen starts a new game at its 120th step
    Map* p_new_map = findInWorld<Map>();
    ASSERT_NE(p_new_map, nullptr);
    runCycles(1);
    EXPECT_EQ(findInWorld<Gameover>(), nullptr);
    EXPECT_EQ(unaccountedObjects(p_new_map), 0);
    EXPECT_EQ(live(), first_game); // the same floor 1 from the same seed
}

TEST_F(DisposalTest, AKeyJustAfterDeathCannotStopTheNextGame) {
    Map* p_map = newGame(4);
    const int old_map = p_map->getId();
    Player* p_player = p_map->getPlayer();
    runCycles(3);                               // ready to move, no longer invulnerable
    p_player->setPosition(ks::Position(39, 2)); // one step below the north doorway
    p_player->setHealth(0, false);
    runCycles(1);
    ASSERT_TRUE(p_player->isDead());
    // Still in the world until the next update: the held key must not swap rooms, which would
    // take the game-over screen out with the room.
    ks::EventKeyboard w(ks::KEY_DOWN, ks::Keyboard::W);
    world().onEvent(&w);
    EXPECT_EQ(p_player->getPosition(), ks::Position(39, 2));
    runCycles(121);
    Map* p_new_map = findInWorld<Map>();
    ASSERT_NE(p_new_map, nullptr);
    EXPECT_NE(p_new_map->getId(), old_map);
}

TEST_F(DisposalTest, ShutDownDestroysEveryObjectOnceWhoeverOwnsIt) {
    const int empty = live();
    {
        SCOPED_TRACE("a game with a room left behind");
        Map* p_map = newGame(2);
        p_map->swapRoom(p_map->getCurrentRoom()->getWest(), WEST);
        world().update();
        world().shutDown();
        EXPECT_EQ(live(), empty);
        world().startUp();
    }
    {
        SCOPED_TRACE("the map destroyed, its player and displays not yet");
        Map* p_map = newGame(2);
        p_map->getPlayer()->setInvulnerable(false);
        p_map->getPlayer()->setHealth(0, false);
        runCycles(2);
        world().shutDown();
        EXPECT_EQ(live(), empty);
        world().startUp();
    }
    {
        SCOPED_TRACE("the player taken out with Q while its displays stay");
        Map* p_map = newGame(2);
        ks::EventKeyboard q(ks::KEY_PRESSED, ks::Keyboard::Q);
        p_map->getPlayer()->eventHandler(&q);
        world().update();
        world().shutDown();
        EXPECT_EQ(live(), empty);
        world().startUp();
    }
}
