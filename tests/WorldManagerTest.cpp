#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EventCollision.h"
#include "EventOut.h"
#include "EventView.h"
#include "ObjectListIterator.h"
#include "TestSupport.h"
#include "ViewObject.h"
#include "WorldManager.h"

using ks::Box;
using ks::Position;
using ks::WorldManager;

namespace {

const std::string COLLIDED = "WorldManager::isCollision(): objects with types %s and %s collided";

std::string collisionLine(const std::string& a, const std::string& b) {
    return "WorldManager::isCollision(): objects with types " + a + " and " + b + " collided";
}

// A recorder with a one-cell box.
class Block : public Recorder {
public:
    Block(Position p, std::string type, int solidness = ks::HARD) : Recorder(p, type) {
        setBox(Box(Position(0, 0), 1, 1));
        setSolidness(solidness);
    }
};

std::vector<std::string> drawn;

// Records its type when drawn.
class Drawn : public ks::Object {
public:
    Drawn(std::string type, int altitude, Position p = Position(1, 1)) : ks::Object(p) {
        setType(type);
        setAltitude(altitude);
        setBox(Box(Position(0, 0), 1, 1));
    }
    void draw() override { drawn.push_back(getType()); }
};

class DrawnView : public ks::ViewObject {
public:
    void draw() override { drawn.push_back("view"); }
};

// Counts its destruction.
class Counted : public ks::Object {
public:
    explicit Counted(int* p_count) : p_destroyed(p_count) {}
    ~Counted() override { ++*p_destroyed; }
    int* p_destroyed;
};

bool inWorld(const ks::Object* p_object) {
    return WorldManager::getInstance().getAllObjects().contains(p_object);
}

} // namespace

class WorldManagerTest : public EngineTest {
protected:
    WorldManager& world = WorldManager::getInstance();
};

TEST_F(WorldManagerTest, HardOnHardIsBlockedAndBothAreTold) {
    Block mover(Position(5, 5), "Mover");
    Block wall(Position(6, 5), "Wall");
    EXPECT_EQ(world.moveObject(&mover, Position(6, 5)), -1);
    EXPECT_EQ(mover.getPosition(), Position(5, 5));
    EXPECT_EQ(mover.events, std::vector<std::string>{ks::COLLISION_EVENT});
    EXPECT_EQ(wall.events, std::vector<std::string>{ks::COLLISION_EVENT});
    EXPECT_EQ(mover.collided_with, std::vector<ks::Object*>{&wall});
    EXPECT_EQ(wall.collided_with, std::vector<ks::Object*>{&mover});
    EXPECT_EQ(logCount(collisionLine("Mover", "Wall")), 1);
}

TEST_F(WorldManagerTest, MoverIsToldBeforeTheObstacle) {
    std::vector<std::string> order;
    class Ordered : public Block {
    public:
        Ordered(Position p, std::string t, std::vector<std::string>* o) : Block(p, t), p_o(o) {}
        int eventHandler(const ks::Event*) override {
            p_o->push_back(getType());
            return 1;
        }
        std::vector<std::string>* p_o;
    };
    Ordered mover(Position(0, 0), "first", &order);
    Ordered other(Position(1, 0), "second", &order);
    world.moveObject(&mover, Position(1, 0));
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second"}));
}

TEST_F(WorldManagerTest, SoftObjectsCollideWithoutBlocking) {
    Block mover(Position(5, 5), "Mover");
    Block item(Position(6, 5), "Item", ks::SOFT);
    EXPECT_EQ(world.moveObject(&mover, Position(6, 5)), 0);
    EXPECT_EQ(mover.getPosition(), Position(6, 5));
    EXPECT_EQ(item.events.size(), 1u);

    EXPECT_EQ(world.moveObject(&item, Position(7, 5)), 0);
    EXPECT_EQ(mover.events.size(), 1u); // moved off: no new collision
    EXPECT_EQ(world.moveObject(&item, Position(6, 5)), 0);
    EXPECT_EQ(mover.events.size(), 2u);
}

TEST_F(WorldManagerTest, SpectralObjectsNeverCollide) {
    Block ghost(Position(5, 5), "Ghost", ks::SPECTRAL);
    Block wall(Position(6, 5), "Wall");
    EXPECT_EQ(world.moveObject(&ghost, Position(6, 5)), 0);
    EXPECT_EQ(world.moveObject(&wall, Position(6, 5)), 0);
    Block mover(Position(7, 5), "Mover");
    world.moveObject(&mover, Position(6, 4));
    EXPECT_TRUE(ghost.events.empty());
    EXPECT_TRUE(wall.events.empty());
}

TEST_F(WorldManagerTest, BlockStopsAtTheFirstHardObstacle) {
    Block mover(Position(5, 5), "Mover");
    mover.setBox(Box(Position(0, 0), 3, 1));
    Block first(Position(6, 6), "First");
    Block second(Position(7, 6), "Second");
    EXPECT_EQ(world.moveObject(&mover, Position(5, 6)), -1);
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_TRUE(second.events.empty()); // the walk ended at the block
}

TEST_F(WorldManagerTest, UpdateRepeatsCollisionsOfOverlappingObjectsEveryCycle) {
    Block a(Position(5, 5), "A");
    Block b(Position(5, 5), "B");
    world.update();
    EXPECT_EQ(a.events.size(), 2u);
    EXPECT_EQ(b.events.size(), 2u);
    EXPECT_EQ(logCount(collisionLine("A", "B")), 1);
    EXPECT_EQ(logCount(collisionLine("B", "A")), 1);
    world.update();
    EXPECT_EQ(a.events.size(), 4u);
}

TEST_F(WorldManagerTest, BoxOffsetsAreKeptInTheCollisionTest) {
    // Two walls at (0,0) whose boxes lie on the top and bottom rows never touch.
    Block top(Position(0, 0), "Wall");
    top.setBox(Box(Position(0, 0), 80, 2));
    Block bottom(Position(0, 0), "Wall");
    bottom.setBox(Box(Position(0, 22), 80, 2));
    world.update();
    EXPECT_TRUE(top.events.empty());
    EXPECT_TRUE(bottom.events.empty());
    EXPECT_EQ(logCount(collisionLine("Wall", "Wall")), 0);

    Block mover(Position(40, 20), "Mover");
    EXPECT_EQ(world.moveObject(&mover, Position(40, 22)), -1); // runs into the bottom wall
    EXPECT_EQ(mover.collided_with, std::vector<ks::Object*>{&bottom});
}

TEST_F(WorldManagerTest, UpdateMovesObjectsByTheirVelocity) {
    Block arrow(Position(10, 10), "Arrow");
    arrow.setXVelocity(1.5f);
    arrow.setYVelocity(-1.0f);
    world.update();
    EXPECT_EQ(arrow.getPosition(), Position(11, 9));
    world.update();
    EXPECT_EQ(arrow.getPosition(), Position(13, 8));
}

TEST_F(WorldManagerTest, OutEventOnlyWhenLeavingTheWindow) {
    Block mover(Position(79, 5), "Mover", ks::SPECTRAL);
    world.moveObject(&mover, Position(80, 5)); // x = 80 still counts as inside
    EXPECT_TRUE(mover.events.empty());
    world.moveObject(&mover, Position(81, 5));
    EXPECT_EQ(mover.events, std::vector<std::string>{ks::OUT_EVENT});
    EXPECT_EQ(mover.getPosition(), Position(81, 5)); // the move still happens
    world.moveObject(&mover, Position(82, 5));
    EXPECT_EQ(mover.events.size(), 1u); // already outside: no second event
    std::string line = "GraphicsManager::moveObject(): Object with id " +
                       std::to_string(mover.getId()) + " went out of bounds";
    EXPECT_EQ(logCount(line), 1);

    Block top(Position(3, 0), "Top", ks::SPECTRAL);
    world.moveObject(&top, Position(3, -1));
    EXPECT_EQ(top.events, std::vector<std::string>{ks::OUT_EVENT});
}

TEST_F(WorldManagerTest, MarkedObjectsLeaveAtTheNextUpdateWithoutBeingDestroyed) {
    Block keep(Position(1, 1), "Keep");
    Block gone(Position(2, 2), "Gone");
    EXPECT_EQ(world.markForDelete(&gone), 0);
    EXPECT_EQ(world.markForDelete(&gone), 0);
    EXPECT_TRUE(inWorld(&gone)); // still in the world until the update
    world.update();
    EXPECT_FALSE(inWorld(&gone));
    EXPECT_TRUE(inWorld(&keep));
    EXPECT_FALSE(logHas("WorldManager::insertObject(Object * object): Object with id " +
                        std::to_string(gone.getId()) + " successfully removed"));
    // It can come back.
    EXPECT_EQ(world.insertObject(&gone), 0);
    world.update();
    EXPECT_TRUE(inWorld(&gone));
}

TEST_F(WorldManagerTest, DestroyingAnObjectLogsItsRemoval) {
    int id;
    {
        Block object(Position(1, 1), "Temp");
        id = object.getId();
    }
    EXPECT_TRUE(logHas("WorldManager::insertObject(Object * object): Object with id " +
                       std::to_string(id) + " successfully removed"));
    Block outside(Position(1, 1), "Outside");
    world.removeObject(&outside);
    EXPECT_EQ(world.removeObject(&outside), -1);
    EXPECT_TRUE(logHas("WorldManager::insertObject(Object * object): Object with id " +
                       std::to_string(outside.getId()) + " not successfully removed"));
}

TEST_F(WorldManagerTest, AFullWorldRefusesNewObjects) {
    std::vector<ks::Object*> filler;
    while (world.getAllObjects().getCount() < ks::MAX_OBJECTS)
        filler.push_back(new ks::Object());
    ks::Object extra;
    EXPECT_FALSE(inWorld(&extra));
    EXPECT_TRUE(logHas("WorldManager::insertObject(Object * object): Object with id " +
                       std::to_string(extra.getId()) + " not successfully added"));
    for (ks::Object* p_object : filler)
        delete p_object;
}

TEST_F(WorldManagerTest, AdoptedObjectsAreDestroyedOnceOutOfTheWorld) {
    int destroyed = 0;
    Counted* p_kept = new Counted(&destroyed);
    Counted* p_spent = new Counted(&destroyed);
    world.adoptObject(p_kept);
    world.adoptObject(p_spent);
    world.update();
    EXPECT_EQ(destroyed, 0); // both still in the world
    world.markForDelete(p_spent);
    world.update();
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(inWorld(p_kept));

    // Adopted while already out of the world: destroyed at the next update.
    world.removeObject(p_kept);
    world.adoptObject(p_kept);
    world.update();
    EXPECT_EQ(destroyed, 2);
}

TEST_F(WorldManagerTest, DestroyedObjectLeavesNoDanglingMark) {
    Block* p_object = new Block(Position(1, 1), "Temp");
    world.markForDelete(p_object);
    world.adoptObject(p_object);
    delete p_object;
    world.update(); // must not touch the destroyed object
    EXPECT_TRUE(world.getAllObjects().isEmpty());
}

TEST_F(WorldManagerTest, DrawsByAltitudeThenCreationOrderAndSkipsWhatIsOutOfView) {
    drawn.clear();
    Drawn top("top", 5);
    Drawn floor("floor", 0);
    Drawn middle("middle", 3);
    Drawn floor2("floor2", 0);
    Drawn away("away", 0, Position(200, 200));
    DrawnView view;
    view.setPosition(Position(500, 500)); // displays are drawn wherever they are
    world.draw();
    EXPECT_EQ(drawn, (std::vector<std::string>{"floor", "floor2", "middle", "top", "view"}));
}

TEST_F(WorldManagerTest, ViewClampsToTheBoundary) {
    world.setBoundary(Box(Position(0, 0), 100, 50));
    world.setView(Box(Position(0, 0), 20, 10));
    world.setViewPosition(Position(50, 25));
    EXPECT_EQ(world.getView().getCorner(), Position(40, 20));
    world.setViewPosition(Position(2, 2));
    EXPECT_EQ(world.getView().getCorner(), Position(0, 0));
    world.setViewPosition(Position(99, 49));
    EXPECT_EQ(world.getView().getCorner(), Position(80, 40));

    world.setBoundary(Box(Position(0, 0), 20, 10));
    world.setViewPosition(Position(15, 7));
    EXPECT_EQ(world.getView().getCorner(), Position(0, 0));
}

TEST_F(WorldManagerTest, ViewFollowsOnlyObjectsInTheWorld) {
    world.setBoundary(Box(Position(0, 0), 100, 50));
    world.setView(Box(Position(0, 0), 20, 10));
    Block hero(Position(50, 25), "Hero", ks::SPECTRAL);
    EXPECT_EQ(world.setViewFollowing(&hero), 0);
    EXPECT_EQ(world.getView().getCorner(), Position(40, 20));
    world.moveObject(&hero, Position(60, 25));
    EXPECT_EQ(world.getView().getCorner(), Position(50, 20));

    world.removeObject(&hero);
    EXPECT_EQ(world.setViewFollowing(&hero), -1);
    EXPECT_EQ(world.setViewFollowing(nullptr), 0);
}

TEST_F(WorldManagerTest, StartUpLogsAndSizesTheViewToTheWindow) {
    world.startUp();
    EXPECT_TRUE(logHas("WorldManager::startUp(): WorldManager started"));
    EXPECT_EQ(world.getView().getHorizontal(), 80);
    EXPECT_EQ(world.getView().getVertical(), 24);
    EXPECT_EQ(world.getBoundary().getHorizontal(), 80);
}

TEST_F(WorldManagerTest, OnEventCountsTheHandlersThatUsedIt) {
    Recorder a;
    Recorder b;
    Recorder c;
    c.result = 0;
    ks::EventView event("Score:", 1, true);
    EXPECT_EQ(world.onEvent(&event), 2);
    EXPECT_EQ(c.events, std::vector<std::string>{ks::VIEW_EVENT});
}
