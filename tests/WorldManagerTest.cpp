// Collisions, movement, removal, ownership, drawing and the view of the world manager.
#include "WorldManager.h"
#include "EventOut.h"
#include "TestSupport.h"
#include "ViewObject.h"

using ks::Box;
using ks::Position;
using Strings = std::vector<std::string>;

// The types of the blocks told of events or drawn, in order, and how many blocks were destroyed.
static Strings trace;
static int destroyed = 0;

static std::string listLine(int id, const std::string& what) {
    return "WorldManager::insertObject(Object * object): Object with id " + std::to_string(id) +
           " " + what;
}

// A recorder with a one-cell box that also writes its type into the trace and counts its end.
class Block : public Recorder {
public:
    Block(Position p, std::string type, int solidness = ks::HARD, int altitude = 0)
        : Recorder(p, type) {
        setBox(Box(Position(0, 0), 1, 1));
        setSolidness(solidness);
        setAltitude(altitude);
    }
    ~Block() override { destroyed++; }
    int eventHandler(const ks::Event* p_event) override {
        trace.push_back(getType());
        return Recorder::eventHandler(p_event);
    }
    void draw() override { trace.push_back(getType()); }
};

class WorldManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        trace.clear();
        destroyed = 0;
    }
    bool inWorld(const ks::Object* p_object) { return world.getAllObjects().contains(p_object); }
    ks::WorldManager& world = ks::WorldManager::getInstance();
};

TEST_F(WorldManagerTest, HardBlocksHardTellingMoverFirstSoftDoesNotBlockSpectralNeverCollides) {
    Block mover(Position(5, 5), "Mover"), wall(Position(6, 5), "Wall");
    Block item(Position(4, 5), "Item", ks::SOFT), ghost(Position(5, 4), "Ghost", ks::SPECTRAL);
    EXPECT_EQ(world.moveObject(&mover, Position(6, 5)), -1);
    EXPECT_EQ(mover.getPosition(), Position(5, 5));
    EXPECT_EQ(wall.collided_with, std::vector<ks::Object*>{&mover});
    EXPECT_TRUE(logHas("WorldManager::isCollision(): objects with types Mover and Wall collided"));
    EXPECT_EQ(world.moveObject(&mover, Position(4, 5)), 0); // onto the item
    EXPECT_EQ(world.moveObject(&mover, Position(5, 4)), 0); // off the item, onto the ghost
    EXPECT_EQ(world.moveObject(&ghost, Position(6, 5)), 0); // the ghost onto the wall
    EXPECT_EQ(trace, (Strings{"Mover", "Wall", "Mover", "Item"}));
}

// Walls at (0,0) whose boxes lie on the top and bottom rows never touch; a move onto two hard
// objects is stopped by the first in the world and only that one is told.
TEST_F(WorldManagerTest, BoxOffsetsAreKeptAndABlockStopsAtTheFirstHardObstacle) {
    Block top(Position(0, 0), "Top"), bottom(Position(0, 0), "Bottom");
    top.setBox(Box(Position(0, 0), 80, 2));
    bottom.setBox(Box(Position(0, 22), 80, 2));
    world.update();
    EXPECT_TRUE(trace.empty());
    Block mover(Position(40, 20), "Mover"), second(Position(41, 22), "Second");
    mover.setBox(Box(Position(0, 0), 3, 1));
    EXPECT_EQ(world.moveObject(&mover, Position(40, 22)), -1);
    EXPECT_EQ(trace, (Strings{"Mover", "Bottom"}));
}

TEST_F(WorldManagerTest, UpdateMovesByVelocityAndRetellsOverlappingObjects) {
    Block arrow(Position(10, 10), "Arrow", ks::SPECTRAL);
    arrow.setXVelocity(1.5f);
    arrow.setYVelocity(-1.0f);
    Block a(Position(5, 5), "A"), b(Position(5, 5), "B");
    world.update();
    EXPECT_EQ(arrow.getPosition(), Position(11, 9));
    EXPECT_EQ(logCount("WorldManager::isCollision(): objects with types B and A collided"), 1);
    world.update();
    EXPECT_EQ(trace.size(), 8u);
}

TEST_F(WorldManagerTest, OutEventOnlyWhenLeavingTheWindow) {
    Block mover(Position(79, 5), "Mover", ks::SPECTRAL);
    world.moveObject(&mover, Position(80, 5)); // x = 80 still counts as inside
    EXPECT_TRUE(mover.events.empty());
    world.moveObject(&mover, Position(81, 5));
    world.moveObject(&mover, Position(82, 5)); // already outside: no second event
    EXPECT_EQ(mover.events, Strings{ks::OUT_EVENT});
    EXPECT_EQ(logCount("GraphicsManager::moveObject(): Object with id " +
                       std::to_string(mover.getId()) + " went out of bounds"),
              1);
    Block top(Position(3, 0), "Top", ks::SPECTRAL);
    world.moveObject(&top, Position(3, -1));
    EXPECT_EQ(top.events, Strings{ks::OUT_EVENT});
}

TEST_F(WorldManagerTest, MarkedObjectsLeaveAtTheNextUpdateUndestroyedAndListChangesAreLogged) {
    Block gone(Position(2, 2), "Gone");
    EXPECT_EQ(world.markForDelete(&gone), 0);
    EXPECT_TRUE(inWorld(&gone));
    world.update();
    EXPECT_FALSE(inWorld(&gone));
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(world.insertObject(&gone), 0);
    world.update();
    EXPECT_TRUE(inWorld(&gone));
    EXPECT_EQ(world.removeObject(&gone), 0);
    EXPECT_TRUE(logHas(listLine(gone.getId(), "successfully removed")));
    EXPECT_EQ(world.removeObject(&gone), -1);
    EXPECT_TRUE(logHas(listLine(gone.getId(), "not successfully removed")));
    // A full world refuses new objects.
    std::vector<ks::Object*> filler;
    while (world.getAllObjects().getCount() < ks::MAX_OBJECTS)
        filler.push_back(new ks::Object());
    ks::Object extra;
    EXPECT_FALSE(inWorld(&extra));
    EXPECT_TRUE(logHas(listLine(extra.getId(), "not successfully added")));
    for (ks::Object* p_object : filler)
        delete p_object;
}

TEST_F(WorldManagerTest, AdoptedObjectsAreDestroyedOnceOutOfTheWorldAndNeverTwice) {
    Block* p_kept = new Block(Position(1, 1), "Kept", ks::SPECTRAL);
    Block* p_spent = new Block(Position(2, 1), "Spent", ks::SPECTRAL);
    Block* p_gone = new Block(Position(3, 1), "Gone", ks::SPECTRAL);
    for (Block* p_block : {p_kept, p_spent, p_gone})
        world.adoptObject(p_block);
    world.markForDelete(p_spent);
    world.update();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(inWorld(p_kept));
    world.removeObject(p_kept); // adopted while already out: destroyed at the next update
    world.adoptObject(p_kept);
    world.markForDelete(p_gone);
    delete p_gone; // marked and adopted, then destroyed: the world must forget it
    world.update();
    EXPECT_EQ(destroyed, 3);
}

TEST_F(WorldManagerTest, DrawsByAltitudeThenCreationAndSkipsWhatIsOutOfView) {
    Block top(Position(1, 1), "top", ks::HARD, 5), floor(Position(1, 1), "floor");
    Block middle(Position(1, 1), "middle", ks::HARD, 3), floor2(Position(1, 1), "floor2");
    Block away(Position(200, 200), "away");
    class TracedView : public ks::ViewObject {
        void draw() override { trace.push_back("view"); }
    } view;
    view.setPosition(Position(500, 500)); // displays are drawn wherever they are
    world.draw();
    EXPECT_EQ(trace, (Strings{"floor", "floor2", "middle", "top", "view"}));
}

TEST_F(WorldManagerTest, ViewIsClampedToTheBoundary) {
    world.setBoundary(Box(Position(0, 0), 100, 50));
    world.setView(Box(Position(0, 0), 20, 10));
    auto corner = [&](Position centre) {
        world.setViewPosition(centre);
        return world.getView().getCorner();
    };
    EXPECT_EQ(corner(Position(50, 25)), Position(40, 20));
    EXPECT_EQ(corner(Position(2, 2)), Position(0, 0));
    EXPECT_EQ(corner(Position(99, 49)), Position(80, 40));
    world.setBoundary(Box(Position(0, 0), 20, 10)); // no larger than the view
    EXPECT_EQ(corner(Position(15, 7)), Position(0, 0));
}
