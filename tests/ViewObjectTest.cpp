// Where on-screen value displays stand. (What they show is in every golden game's summary.)
#include "ViewObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ks::Position;
using ViewObjectTest = EngineTest;

// The border is set after the location: changing it must lay the display out again.
TEST_F(ViewObjectTest, LocationsFollowTheViewExtentsAndOnlyTopLeftFollowsTheBorder) {
    ks::ViewObject view;
    auto at = [&](int location, bool border) {
        view.setLocation(location);
        view.setBorder(border);
        return view.getPosition();
    };
    EXPECT_EQ(Position(1, 1), at(ks::TOP_LEFT, true));
    EXPECT_EQ(Position(1, 0), at(ks::TOP_LEFT, false));
    EXPECT_EQ(Position(40, 1), at(ks::TOP_CENTER, true));
    EXPECT_EQ(Position(77, 0), at(ks::TOP_RIGHT, true));
    EXPECT_EQ(Position(77, 0), at(ks::TOP_RIGHT, false));
    EXPECT_EQ(Position(1, 22), at(ks::BOTTOM_LEFT, true));
    EXPECT_EQ(Position(40, 22), at(ks::BOTTOM_CENTER, true));
    EXPECT_EQ(Position(79, 22), at(ks::BOTTOM_RIGHT, true));
    EXPECT_EQ(Position(0, 0), at(7, true));
    EXPECT_EQ(Position(0, 0), at(-1, true));
    ks::WorldManager::getInstance().setView(ks::Box(Position(), 20, 10));
    EXPECT_EQ(Position(19, 8), at(ks::BOTTOM_RIGHT, true));
}
