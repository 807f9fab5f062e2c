// Collisions, removal and ownership of the world manager, and objects destroyed or made
// by handlers in the middle of its work.
#include "WorldManager.h"
#include <functional>

#include "EventCollision.h"
#include "EventOut.h"
#include "EventStep.h"
#include "TestSupport.h"

using ks::Box;
using ks::Position;
using Strings = std::vector<std::string>;

// The types of the blocks told of events or destroyed ("~Type"), in order.
static Strings trace;

// A recorder with a one-cell box that also writes its type into the trace.
class Block : public Recorder {
public:
    Block(Position p, std::string type, int solidness = ks::HARD) : Recorder(p, type) {
        setBox(Box(Position(0, 0), 1, 1));
        setSolidness(solidness);
    }
    ~Block() override { trace.push_back("~" + getType()); }
    int eventHandler(const ks::Event* p_event) override {
        trace.push_back(getType());
        return Recorder::eventHandler(p_event);
    }
};

// A block that, on an event of the given type, does something to the world (its first time
// only): destroys an object, itself included, creates one, moves one.
class Saboteur : public Block {
public:
    Saboteur(Position p, std::string type, std::string on, std::function<void()> act)
        : Block(p, type), trigger(on), action(act) {}
    int eventHandler(const ks::Event* p_event) override {
        int used = Block::eventHandler(p_event);
        if (p_event->getType() == trigger && action) {
            std::function<void()> once = action;
            action = nullptr;
            once(); // may destroy this object: nothing of it is used after this
        }
        return used;
    }

private:
    std::string trigger;
    std::function<void()> action;
};

class WorldManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        trace.clear();
    }
    bool inWorld(const ks::Object* p_object) { return world.getAllObjects().contains(p_object); }
    ks::WorldManager& world = ks::WorldManager::getInstance();
};

// Walls at (0,0) whose boxes lie on the top and bottom rows never touch; a move onto two hard
// objects is stopped by the first in the world and only that one is told.
TEST_F(WorldManagerTest, HardBlocksHardAtTheFirstObstacleSoftDoesNotSpectralNeverCollides) {
    Block top(Position(0, 0), "Top"), bottom(Position(0, 0), "Bottom");
    top.setBox(Box(Position(0, 0), 80, 2));
    bottom.setBox(Box(Position(0, 22), 80, 2));
    Block mover(Position(5, 5), "Mover"), wall(Position(6, 5), "Wall");
    Block item(Position(4, 5), "Item", ks::SOFT), ghost(Position(5, 4), "Ghost", ks::SPECTRAL);
    world.update();
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(world.moveObject(&mover, Position(6, 5)), -1);
    EXPECT_EQ(mover.getPosition(), Position(5, 5));
    EXPECT_TRUE(logHas("WorldManager::isCollision(): objects with types Mover and Wall collided"));
    EXPECT_EQ(world.moveObject(&mover, Position(4, 5)), 0); // onto the item
    EXPECT_EQ(world.moveObject(&mover, Position(5, 4)), 0); // off the item, onto the ghost
    EXPECT_EQ(world.moveObject(&ghost, Position(6, 5)), 0); // the ghost onto the wall
    Block second(Position(41, 22), "Second");
    mover.setBox(Box(Position(0, 0), 3, 1));
    EXPECT_EQ(world.moveObject(&mover, Position(40, 22)), -1);
    EXPECT_EQ(trace, (Strings{"Mover", "Wall", "Mover", "Item", "Mover", "Bottom"}));
}

// Marked objects leave at the next update; only adopted ones are then destroyed, never twice.
TEST_F(WorldManagerTest, MarkedObjectsLeaveAtTheNextUpdateAdoptedOnesAreDestroyedOnce) {
    Block gone(Position(2, 2), "Gone", ks::SPECTRAL);
    Block* p_kept = new Block(Position(1, 1), "Kept", ks::SPECTRAL);
    Block* p_spent = new Block(Position(2, 1), "Spent", ks::SPECTRAL);
    Block* p_freed = new Block(Position(3, 1), "Freed", ks::SPECTRAL);
    for (Block* p_block : {p_kept, p_spent, p_freed})
        world.adoptObject(p_block);
    EXPECT_EQ(world.markForDelete(&gone), 0);
    world.markForDelete(p_spent);
    EXPECT_TRUE(inWorld(&gone));
    world.update();
    EXPECT_FALSE(inWorld(&gone));
    EXPECT_EQ(trace, Strings{"~Spent"});
    EXPECT_EQ(world.insertObject(&gone), 0);
    world.removeObject(p_kept); // adopted while already out: destroyed at the next update
    world.adoptObject(p_kept);
    world.markForDelete(p_freed);
    delete p_freed; // marked and adopted, then destroyed: the world must forget it
    world.update();
    EXPECT_EQ(trace, (Strings{"~Spent", "~Freed", "~Kept"}));
    EXPECT_EQ(world.removeObject(&gone), 0);
    EXPECT_EQ(world.removeObject(&gone), -1);
    // A full world refuses new objects.
    std::vector<ks::Object> filler(ks::MAX_OBJECTS - world.getAllObjects().getCount());
    ks::Object extra;
    EXPECT_FALSE(inWorld(&extra));
}

// A handler destroys objects of a broadcast still to come (its own successor and itself) and
// creates new ones, which may take their addresses: none of those gets this broadcast.
TEST_F(WorldManagerTest, ObjectsDestroyedOrCreatedByABroadcastsHandlerGetNothingMoreFromIt) {
    Block* p_first = new Block(Position(1, 1), "First");
    Block* p_doomed = new Block(Position(2, 1), "Doomed");
    Block* p_newcomer = nullptr;
    Saboteur* p_killer = nullptr;
    p_killer = new Saboteur(Position(3, 1), "Killer", ks::STEP_EVENT, [&] {
        delete p_doomed;
        delete p_killer;
        p_newcomer = new Block(Position(4, 1), "Newcomer");
        new Block(Position(4, 1), "Newcomer2");
    });
    world.removeObject(p_doomed); // the broadcast order: First, Killer, Doomed, Last
    world.insertObject(p_doomed);
    Block* p_last = new Block(Position(5, 1), "Last");
    ks::EventStep step(7);
    EXPECT_EQ(world.onEvent(&step), 3); // First, Killer and Last used it
    EXPECT_EQ(trace, (Strings{"First", "Killer", "~Doomed", "~Killer", "Last"}));
    trace.clear();
    EXPECT_EQ(world.broadcast(&step), 4);
    EXPECT_EQ(trace, (Strings{"First", "Last", "Newcomer", "Newcomer2"}));
    EXPECT_EQ(p_first->events.size(), 2u);
    EXPECT_EQ(p_newcomer->events.size(), 1u);
    delete p_last;
}

// During an update: a mover destroyed by the other's handler is neither moved nor told of its
// next collision; an obstacle destroyed by the mover's handler gets no event and blocks nothing;
// an object destroyed ahead of the walk is never moved, and no object is skipped for it.
TEST_F(WorldManagerTest, CollisionHandlersMayDestroyEitherObjectAndTheUpdateGoesOnWithTheRest) {
    Block* p_mover = nullptr;
    Block* p_ahead = nullptr;
    Saboteur* p_trap = nullptr;
    // Column 10: a mover two cells wide steps onto a trap, which destroys it, and a wall.
    p_mover = new Block(Position(10, 5), "Mover");
    p_mover->setXVelocity(1);
    p_mover->setBox(Box(Position(0, 0), 2, 1));
    p_trap = new Saboteur(Position(12, 5), "Trap", ks::COLLISION_EVENT, [&] {
        delete p_mover;
        delete p_ahead;
    });
    p_trap->setSolidness(ks::SOFT);
    Block* p_wall = new Block(Position(11, 5), "Wall");
    // Column 20: a breaker walks into a brick it destroys, then moves on through the gap.
    Saboteur* p_breaker = nullptr;
    Block* p_brick = new Block(Position(21, 5), "Brick");
    p_breaker =
        new Saboteur(Position(20, 5), "Breaker", ks::COLLISION_EVENT, [&] { delete p_brick; });
    p_breaker->setXVelocity(1);
    p_ahead = new Block(Position(30, 5), "Ahead");
    p_ahead->setXVelocity(1);
    Block* p_after = new Block(Position(40, 5), "After");
    p_after->setXVelocity(1);
    world.update();
    EXPECT_EQ(trace, (Strings{"Mover", "Trap", "~Mover", "~Ahead", "Breaker", "~Brick"}));
    EXPECT_EQ(p_breaker->getPosition(), Position(21, 5));
    EXPECT_EQ(p_after->getPosition(), Position(41, 5));
    EXPECT_EQ(p_wall->events.size(), 0u);
    EXPECT_EQ(world.getAllObjects().getCount(), 4);
}

// An object that destroys itself on leaving the window is not moved afterwards; the line about it
// still names it. The usual wrap-around: an object leaving at the right edge puts itself back at
// the left from its out handler, and stays there; the followed view goes along. Without a place
// of its own it goes where it was moved.
TEST_F(WorldManagerTest, AnOutHandlersOwnPlaceOrEndWinsOverTheMoveThatTookTheObjectOut) {
    Saboteur* p_runner = nullptr;
    p_runner = new Saboteur(Position(80, 3), "Runner", ks::OUT_EVENT, [&] { delete p_runner; });
    p_runner->setSolidness(ks::SPECTRAL);
    const int id = p_runner->getId();
    EXPECT_EQ(world.moveObject(p_runner, Position(81, 3)), -1);
    EXPECT_EQ(trace, (Strings{"Runner", "~Runner"}));
    EXPECT_TRUE(logHas("GraphicsManager::moveObject(): Object with id " + std::to_string(id) +
                       " went out of bounds"));
    Saboteur* p_wrapper = nullptr;
    p_wrapper = new Saboteur(Position(80, 3), "Wrapper", ks::OUT_EVENT,
                             [&] { p_wrapper->setPosition(Position(0, 3)); });
    p_wrapper->setXVelocity(1);
    world.setBoundary(Box(Position(0, 0), 160, 24));
    world.setViewFollowing(p_wrapper);
    world.update();
    EXPECT_EQ(p_wrapper->getPosition(), Position(0, 3));
    EXPECT_EQ(world.getView().getCorner(), Position(0, 0));
    world.update();
    EXPECT_EQ(p_wrapper->getPosition(), Position(1, 3));
    // A handler that moves it through the world wins the same way.
    Saboteur* p_mover = nullptr;
    p_mover = new Saboteur(Position(5, 0), "Mover", ks::OUT_EVENT, [&] {
        ks::WorldManager::getInstance().moveObject(p_mover, Position(5, 24));
    });
    EXPECT_EQ(world.moveObject(p_mover, Position(5, -1)), 0);
    EXPECT_EQ(p_mover->getPosition(), Position(5, 24));
    Block* p_leaver = new Block(Position(5, 24), "Leaver");
    EXPECT_EQ(world.moveObject(p_leaver, Position(5, 25)), 0);
    EXPECT_EQ(p_leaver->getPosition(), Position(5, 25));
    world.setViewFollowing(nullptr);
}

TEST_F(WorldManagerTest, NullObjectsAreRefusedWithALine) {
    EXPECT_EQ(world.insertObject(nullptr) + world.removeObject(nullptr) +
                  world.moveObject(nullptr, Position(1, 1)) + world.markForDelete(nullptr) +
                  world.adoptObject(nullptr),
              -5);
    EXPECT_TRUE(world.isCollision(nullptr, Position(1, 1)).isEmpty());
    for (const char* operation :
         {"insertObject", "removeObject", "moveObject", "markForDelete", "adoptObject"})
        EXPECT_TRUE(logHas("WorldManager::" + std::string(operation) + "(): Error: null object"))
            << operation;
}

// An object inserted twice used to be listed twice: its destructor took one entry out and left
// the other dangling. A marked object inserted again (a room left and entered in one cycle)
// stays in the world.
TEST_F(WorldManagerTest, AnObjectIsListedOnceAndAMarkedOneInsertedAgainStays) {
    Block* p_twice = new Block(Position(1, 1), "Twice");
    EXPECT_EQ(world.insertObject(p_twice), -1);
    EXPECT_TRUE(logHas("WorldManager::insertObject(): Error: object with id " +
                       std::to_string(p_twice->getId()) + " is already in the world"));
    delete p_twice;
    EXPECT_TRUE(world.getAllObjects().isEmpty());
    Block kept(Position(1, 1), "Kept");
    world.markForDelete(&kept);
    EXPECT_EQ(world.insertObject(&kept), 0);
    world.update();
    EXPECT_EQ(world.getAllObjects().getCount(), 1);
}
