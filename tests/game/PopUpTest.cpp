#include "GameHelpers.h"

class PopUpTest : public GameTest {};

// A heart picked up, then a stealth kill within the four seconds: the bottom line reads as the
// newer message alone, centred, and the older one leaves the world.
TEST_F(PopUpTest, ANewMessageReplacesTheOneShowing) {
    PopUp* p_first = PopUp::spawn("health acquired");
    runCycles(10);
    PopUp* p_second = PopUp::spawn("stealth kill");
    ks::WorldManager::getInstance().draw();
    EXPECT_EQ(row(22), std::string(35, ' ') + "stealth kill" + std::string(33, ' '));
    updateWorld();
    EXPECT_FALSE(inWorld(p_first));
    EXPECT_TRUE(inWorld(p_second));
}
