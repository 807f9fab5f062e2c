#include "GameHelpers.h"

class PopUpTest : public GameTest {};

TEST_F(PopUpTest, DrawnCentredOnRow22) {
    PopUp::spawn("stealth kill");
    ks::WorldManager::getInstance().draw(); // centred on column 40
    EXPECT_EQ(row(22).substr(34, 14), " stealth kill ");
}
