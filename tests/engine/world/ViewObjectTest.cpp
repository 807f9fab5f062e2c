// Where value displays stand on the screen.
#include "ViewObject.h"
#include "TestSupport.h"
#include "WorldManager.h"

using ViewObjectTest = EngineTest;

// Left places start the text in column 2, right places end it in column 77 (80 - 3), top and
// bottom alike, leaving two columns clear at either edge.
TEST_F(ViewObjectTest, RightPlacesEndTheTextWhereLeftPlacesStartItFromTheOtherEdge) {
    const std::pair<int, int> places[] = {
        {ks::BOTTOM_LEFT, 22}, {ks::BOTTOM_RIGHT, 22}, {ks::TOP_RIGHT, 0}};
    for (const auto& place : places) {
        ks::ViewObject* p_view = new ks::ViewObject;
        p_view->setBorder(false);
        p_view->setViewString("Lives:");
        p_view->setValue(3);
        p_view->setLocation(place.first);
        ks::WorldManager::getInstance().draw();
        const std::string text = row(place.second);
        const bool left = place.first == ks::BOTTOM_LEFT;
        EXPECT_EQ(text.find("Lives: 3"), left ? 2u : 77u - 7u) << place.first;
        resetEngine();
    }
}
