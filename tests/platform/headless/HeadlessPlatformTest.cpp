// A game on the headless platform: it starts, draws, loads and plays its sounds with neither a
// display nor sound hardware. (That a replay's log is the window's log but for the lines about
// the screen, the end-to-end tests see.)
#include "HeadlessPlatform.h"
#include "AudioManager.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "TestSupport.h"

namespace {

class HeadlessPlatformTest : public EngineTest {
protected:
    void TearDown() override {
        ks::GraphicsManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().setPlatform(nullptr);
        ks::AudioManager::getInstance().startUp(nullptr);
        EngineTest::TearDown();
    }
    ks::HeadlessPlatform platform;
};

TEST_F(HeadlessPlatformTest, AGameStartsDrawsAndPlaysWithoutDisplayOrSoundHardware) {
    ks::GraphicsManager& graphics = ks::GraphicsManager::getInstance();
    graphics.shutDown();
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPlatform(platform);
    ASSERT_EQ(game.startUp(), 0);
    ASSERT_NE(graphics.getScreen(), nullptr);
    EXPECT_FALSE(graphics.getScreen()->hasWindow());
    EXPECT_NE(ks::AudioManager::getInstance().getDevice(), nullptr);
    EXPECT_TRUE(logHas("GraphicsManager::startUp(): GraphicsManager started without a window"));

    ks::Sound sound("sounds/arrow.wav", "arrow");
    EXPECT_TRUE(sound.isLoaded());
    sound.play(true);
    sound.stop();
    graphics.drawString(ks::Position(0, 0), "hello", ks::LEFT_JUSTIFIED, ks::WHITE);
    EXPECT_EQ(graphics.swapBuffers(), 0);
    EXPECT_EQ(shownRow(0).substr(0, 7), " hello ");
}

} // namespace
