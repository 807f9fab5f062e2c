#include "PopUp.h"
#include "EventView.h"
#include "GameplayHelpers.h"

namespace {

class PopUpTest : public EngineTest {};

} // namespace

TEST_F(PopUpTest, LabelledByItsFirstEventAndGoneAfterItsHundredAndTwentySecondStep) {
    ks::WorldManager& world = ks::WorldManager::getInstance();
    PopUp* popup = new PopUp("stealth kill");
    EXPECT_EQ(popup->getType(), "");
    ks::EventView view("Score:", 1, true);
    EXPECT_EQ(popup->eventHandler(&view), 0);
    EXPECT_EQ(popup->getType(), "PopUp");

    sendSteps(popup, 121);
    world.update();
    ASSERT_TRUE(inWorld(popup));
    sendSteps(popup, 1);
    ASSERT_TRUE(inWorld(popup)); // marked, drawn once more in this cycle
    world.update();              // taken out and destroyed
    EXPECT_TRUE(objectsInWorld<PopUp>().empty());
}

TEST_F(PopUpTest, DrawnCentredOnTheSecondToLastRow) {
    if (!openWindow())
        GTEST_SKIP() << "no display";
    new PopUp("stealth kill");
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(22).substr(34, 14), " stealth kill ");
}
