// On-screen value displays and the camera.
#include "ViewObject.h"
#include "Box.h"
#include "CameraObject.h"
#include "EventKeyboard.h"
#include "EventView.h"
#include "GraphicsManager.h"
#include "TestSupport.h"
#include "WorldManager.h"

namespace {

using ViewObjectTest = EngineTest;

TEST_F(ViewObjectTest, LocationsFollowTheViewExtents) {
    ks::ViewObject view;
    EXPECT_EQ(ks::Position(40, 1), view.getPosition()); // TOP_CENTER by default
    const std::pair<int, ks::Position> cases[] = {
        {ks::TOP_LEFT, {1, 1}},
        {ks::TOP_CENTER, {40, 1}},
        {ks::TOP_RIGHT, {77, 0}},
        {ks::BOTTOM_LEFT, {1, 22}},
        {ks::BOTTOM_CENTER, {40, 22}},
        {ks::BOTTOM_RIGHT, {79, 22}},
        {7, {0, 0}},
        {-1, {0, 0}},
    };
    for (const auto& c : cases) {
        view.setLocation(c.first);
        EXPECT_EQ(c.second, view.getPosition()) << c.first;
    }
    ks::WorldManager::getInstance().setView(ks::Box(ks::Position(), 20, 10));
    view.setLocation(ks::BOTTOM_RIGHT);
    EXPECT_EQ(ks::Position(19, 8), view.getPosition());
}

TEST_F(ViewObjectTest, OnlyTopLeftFollowsTheBorder) {
    ks::ViewObject view;
    view.setLocation(ks::TOP_LEFT);
    view.setBorder(false);
    EXPECT_EQ(ks::Position(1, 0), view.getPosition());
    view.setBorder(true);
    EXPECT_EQ(ks::Position(1, 1), view.getPosition());
    view.setLocation(ks::TOP_RIGHT);
    view.setBorder(false);
    EXPECT_EQ(ks::Position(77, 0), view.getPosition());
}

TEST_F(ViewObjectTest, ViewEventsAddOrReplaceByTag) {
    ks::ViewObject health;
    health.setViewString("Health:");
    health.setValue(3);
    ks::EventView minus_one("Health:", -1, true);
    EXPECT_EQ(1, health.eventHandler(&minus_one));
    EXPECT_EQ(2, health.getValue());
    ks::EventView five("Health:", 5, false);
    EXPECT_EQ(1, health.eventHandler(&five));
    EXPECT_EQ(5, health.getValue());
    ks::EventView other("Score:", 9, false);
    EXPECT_EQ(0, health.eventHandler(&other));
    ks::EventView prefix("Health", 9, false);
    EXPECT_EQ(0, health.eventHandler(&prefix));
    ks::EventKeyboard key;
    EXPECT_EQ(0, health.eventHandler(&key));
    EXPECT_EQ(5, health.getValue());

    ks::ViewObject score1, score2;
    score1.setViewString("Score:");
    score2.setViewString("Score:");
    ks::EventView ten("Score:", 10, true);
    EXPECT_EQ(2, ks::WorldManager::getInstance().onEvent(&ten));
    EXPECT_EQ(10, score1.getValue());
    EXPECT_EQ(10, score2.getValue());
}

TEST_F(ViewObjectTest, DisplaysDrawOnFixedScreenCells) {
    if (!openWindow())
        GTEST_SKIP() << "no display";
    ks::ViewObject health;
    health.setViewString("Health:");
    health.setValue(5);
    health.setLocation(ks::TOP_LEFT);
    health.setColor(ks::YELLOW);
    ks::ViewObject score;
    score.setViewString("Score:");
    score.setBorder(false);
    score.setLocation(ks::TOP_RIGHT);
    // The world scrolled: the displays stay where they are on the screen.
    ks::WorldManager::getInstance().setView(ks::Box(ks::Position(7, 3), 80, 24));
    health.draw();
    score.draw();
    EXPECT_EQ(" ===========", row(0).substr(0, 12));
    EXPECT_EQ(" :Health: 5:", row(1).substr(0, 12));
    EXPECT_EQ(" ===========" + std::string(68, ' '), row(2));
    EXPECT_EQ(ks::YELLOW, ks::GraphicsManager::getInstance().getCellColor(1, 0));
    EXPECT_EQ("Score: 0", row(0).substr(70, 8)); // ends in column 77
    EXPECT_EQ("  ", row(0).substr(78));
}

TEST_F(ViewObjectTest, CameraMovesOnArrowPressesAndAnnouncesIt) {
    ks::ViewObject counter;
    counter.setViewString("Test Value");
    ks::CameraObject camera(ks::Position(10, 10));
    ks::EventKeyboard up(ks::KEY_PRESSED, ks::Keyboard::UPARROW);
    EXPECT_EQ(1, camera.eventHandler(&up));
    EXPECT_EQ(ks::Position(10, 9), camera.getPosition());
    EXPECT_EQ(1, counter.getValue());
    ks::EventKeyboard left(ks::KEY_PRESSED, ks::Keyboard::LEFTARROW);
    ks::EventKeyboard right(ks::KEY_PRESSED, ks::Keyboard::RIGHTARROW);
    ks::EventKeyboard down(ks::KEY_PRESSED, ks::Keyboard::DOWNARROW);
    camera.eventHandler(&left);
    camera.eventHandler(&down);
    camera.eventHandler(&down);
    camera.eventHandler(&right);
    camera.eventHandler(&right);
    EXPECT_EQ(ks::Position(11, 11), camera.getPosition());
    EXPECT_EQ(6, counter.getValue());

    ks::EventKeyboard held(ks::KEY_DOWN, ks::Keyboard::UPARROW);
    ks::EventKeyboard w(ks::KEY_PRESSED, ks::Keyboard::W);
    ks::EventView view("Test Value", 1, true);
    EXPECT_EQ(0, camera.eventHandler(&held));
    EXPECT_EQ(0, camera.eventHandler(&w));
    EXPECT_EQ(0, camera.eventHandler(&view));
    EXPECT_EQ(ks::Position(11, 11), camera.getPosition());
    EXPECT_EQ(6, counter.getValue());
}

} // namespace
