// Collisions, movement, removal, ownership, drawing and the view of the world manager.
#include "WorldManager.h"
#include "EventOut.h"
#include "TestSupport.h"
#include "ViewObject.h"

using ks::Box;
using ks::Position;
using Strings = std::vector<std::string>;

// The types of the blocks told of events, drawn or destroyed ("~Type"), in order.
static Strings trace;

// A recorder with a one-cell box that also writes its type into the trace.
class Block : public Recorder {
public:
    Block(Position p, std::string type, int solidness = ks::HARD, int altitude = 0)
        : Recorder(p, type) {
        setBox(Box(Position(0, 0), 1, 1));
        setSolidness(solidness);
        setAltitude(altitude);
    }
    ~Block() override { trace.push_back("~" + getType()); }
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
    EXPECT_EQ(wall.collided_with, std::vector<ks::Object*>{&mover});
    EXPECT_TRUE(logHas("WorldManager::isCollision(): objects with types Mover and Wall collided"));
    EXPECT_EQ(world.moveObject(&mover, Position(4, 5)), 0); // onto the item
    EXPECT_EQ(world.moveObject(&mover, Position(5, 4)), 0); // off the item, onto the ghost
    EXPECT_EQ(world.moveObject(&ghost, Position(6, 5)), 0); // the ghost onto the wall
    Block second(Position(41, 22), "Second");
    mover.setBox(Box(Position(0, 0), 3, 1));
    EXPECT_EQ(world.moveObject(&mover, Position(40, 22)), -1);
    EXPECT_EQ(trace, (Strings{"Mover", "Wall", "Mover", "Item", "Mover", "Bottom"}));
}

// x = 80 and y = 0 still count as inside; only the move that leaves the window is announced.
TEST_F(WorldManagerTest, UpdateMovesByVelocityRetellsOverlapsAndAnnouncesLeavingTheWindow) {
    Block right(Position(79, 5), "Right", ks::SPECTRAL), up(Position(3, 1), "Up", ks::SPECTRAL);
    right.setXVelocity(1);
    up.setYVelocity(-1.5f);
    Block a(Position(5, 5), "A"), b(Position(5, 5), "B");
    world.update();
    EXPECT_EQ(logCount("WorldManager::isCollision(): objects with types B and A collided"), 1);
    EXPECT_TRUE(right.events.empty() && up.events.empty());
    world.update();
    world.update();
    EXPECT_EQ(right.getPosition(), Position(82, 5));
    EXPECT_EQ(up.getPosition(), Position(3, -3));
    EXPECT_EQ(right.events, Strings{ks::OUT_EVENT});
    EXPECT_EQ(up.events, Strings{ks::OUT_EVENT});
    EXPECT_EQ(logCount("GraphicsManager::moveObject(): Object with id " +
                       std::to_string(right.getId()) + " went out of bounds"),
              1);
    EXPECT_EQ(a.events.size(), 6u);
}

// Marked objects leave at the next update; only adopted ones are then destroyed, never twice.
TEST_F(WorldManagerTest, MarkedObjectsLeaveAtTheNextUpdateAdoptedOnesAreDestroyedOnce) {
    auto listLine = [](const ks::Object& object, const std::string& what) {
        return "WorldManager::insertObject(Object * object): Object with id " +
               std::to_string(object.getId()) + " " + what;
    };
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
    EXPECT_TRUE(logHas(listLine(gone, "successfully removed")));
    EXPECT_TRUE(logHas(listLine(gone, "not successfully removed")));
    // A full world refuses new objects.
    std::vector<ks::Object> filler(ks::MAX_OBJECTS - world.getAllObjects().getCount());
    ks::Object extra;
    EXPECT_FALSE(inWorld(&extra));
    EXPECT_TRUE(logHas(listLine(extra, "not successfully added")));
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
    // Centre and corner; the last boundary is no larger than the view.
    const std::pair<Position, Position> cases[] = {
        {{50, 25}, {40, 20}}, {{2, 2}, {0, 0}}, {{99, 49}, {80, 40}}, {{15, 7}, {0, 0}}};
    for (const auto& c : cases) {
        if (c.first == Position(15, 7))
            world.setBoundary(Box(Position(0, 0), 20, 10));
        world.setViewPosition(c.first);
        EXPECT_EQ(world.getView().getCorner(), c.second);
    }
}
