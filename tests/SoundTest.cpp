// The sound registry.
#include "Sound.h"
#include "ResourceManager.h"
#include "TestSupport.h"

static ks::ResourceManager& rm() {
    return ks::ResourceManager::getInstance();
}

class SoundTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rm().unloadAll();
    }
};

TEST_F(SoundTest, MissingFileStillRegistersASilentSoundAndUnknownLabelsAreLogged) {
    EXPECT_EQ(0, rm().loadSound("sounds/missing.wav", "quiet"));
    EXPECT_TRUE(
        logHas("Sound::loadSound(): Error: could not load sound from file sounds/missing.wav"));
    ASSERT_NE(nullptr, rm().getSound("quiet"));
    EXPECT_FALSE(rm().getSound("quiet")->isLoaded());
    rm().getSound("quiet")->play(false);
    EXPECT_EQ(nullptr, rm().getSound("nothing"));
    EXPECT_TRUE(logHas("ResourceManager::getSound(): Sound with label nothing not found"));
}

TEST_F(SoundTest, UnloadingKeepsTheOthersInOrderAndAFullRegistryRefusesLoads) {
    for (const char* label : {"a", "s", "s"})
        rm().loadSound("", label);
    ks::Sound* first = rm().getSound("s");
    EXPECT_EQ(0, rm().unloadSound("a"));
    EXPECT_EQ(first, rm().getSound("s")); // still ahead of the second one
    EXPECT_EQ(-1, rm().unloadSound("a"));
    EXPECT_TRUE(
        logHas("ResourceManager::unloadSound(): Error: sound with label a could not be located"));
    while (rm().getSoundCount() < ks::MAX_SOUNDS)
        ASSERT_EQ(0, rm().loadSound("", "s"));
    EXPECT_EQ(-1, rm().loadSound("sounds/arrow.wav", "over"));
    EXPECT_TRUE(logHas("ResourceManager::loadSound(): Error: sound registry is full, "
                       "sounds/arrow.wav not loaded"));
}
