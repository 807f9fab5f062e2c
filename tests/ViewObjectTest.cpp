// On-screen value displays and the camera.
#include "ViewObject.h"
#include "CameraObject.h"
#include "EventKeyboard.h"
#include "EventView.h"
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

// Only view events with the exact tag count; the world counts the displays that took one.
TEST_F(ViewObjectTest, ViewEventsWithTheTagAddToOrReplaceTheValue) {
    ks::ViewObject health, score1, score2;
    health.setViewString("Health:");
    health.setValue(3);
    score1.setViewString("Score:");
    score2.setViewString("Score:");
    auto send = [&](const char* tag, int value, bool delta) {
        ks::EventView event(tag, value, delta);
        return health.eventHandler(&event);
    };
    EXPECT_EQ(1, send("Health:", -1, true));
    EXPECT_EQ(2, health.getValue());
    EXPECT_EQ(1, send("Health:", 5, false));
    EXPECT_EQ(0, send("Score:", 9, false) + send("Health", 9, false));
    EXPECT_EQ(5, health.getValue());
    ks::EventView ten("Score:", 10, true);
    EXPECT_EQ(2, ks::WorldManager::getInstance().onEvent(&ten));
    EXPECT_EQ(10, score1.getValue());
    EXPECT_EQ(10, score2.getValue());
}
