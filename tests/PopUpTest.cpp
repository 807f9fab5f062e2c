#include "GameHelpers.h"

class PopUpTest : public GameTest {};

TEST_F(PopUpTest, LabelledByItsFirstEventAndDrawnCentredOnRow22) {
    PopUp* popup = PopUp::spawn("stealth kill");
    EXPECT_EQ(popup->getType(), "");
    ks::EventView view("Score:", 1, true);
    popup->eventHandler(&view);
    EXPECT_EQ(popup->getType(), "PopUp");
    ks::WorldManager::getInstance().draw(); // centred on column 40
    EXPECT_EQ(row(22).substr(34, 14), " stealth kill ");
}
