// Sound and music registries.
#include "Sound.h"
#include "Music.h"
#include "ResourceManager.h"
#include "TestSupport.h"

namespace {

ks::ResourceManager& rm() {
    return ks::ResourceManager::getInstance();
}

class SoundTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rm().unloadAll();
    }
};

TEST_F(SoundTest, MissingFileStillRegistersASilentSound) {
    EXPECT_EQ(0, rm().loadSound("sounds/missing.wav", "quiet"));
    EXPECT_TRUE(
        logHas("Sound::loadSound(): Error: could not load sound from file sounds/missing.wav"));
    ks::Sound* sound = rm().getSound("quiet");
    ASSERT_NE(nullptr, sound);
    EXPECT_FALSE(sound->isLoaded());
    sound->play(false);
}

TEST_F(SoundTest, RealFileLoadsAndPlays) {
    ASSERT_EQ(0, rm().loadSound("sounds/arrow.wav", "arrow"));
    ks::Sound* sound = rm().getSound("arrow");
    ASSERT_NE(nullptr, sound);
    EXPECT_TRUE(sound->isLoaded());
    sound->play(false);
    sound->play(false);
    sound->stop();
    EXPECT_TRUE(logLines().empty());
}

TEST_F(SoundTest, UnknownLabelsAreReported) {
    EXPECT_EQ(nullptr, rm().getSound("nothing"));
    EXPECT_TRUE(logHas("ResourceManager::getSound(): Sound with label nothing not found"));
    EXPECT_EQ(-1, rm().unloadSound("nothing"));
    EXPECT_TRUE(logHas(
        "ResourceManager::unloadSound(): Error: sound with label nothing could not be located"));
    resetEngine();
    EXPECT_EQ(nullptr, rm().getMusic("nothing"));
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(-1, rm().unloadMusic("nothing"));
    EXPECT_TRUE(logHas(
        "ResourceManager::unloadMusic(): Error: music with label nothing could not be located"));
}

TEST_F(SoundTest, UnloadingFirstKeepsTheOthersInOrder) {
    rm().loadSound("", "a");
    rm().loadSound("", "b");
    rm().loadSound("", "c");
    EXPECT_TRUE(logLines().empty()); // an empty file name loads nothing and says nothing
    ks::Sound* b = rm().getSound("b");
    ks::Sound* c = rm().getSound("c");
    EXPECT_EQ(0, rm().unloadSound("a"));
    EXPECT_EQ(b, rm().getSound("b"));
    EXPECT_EQ(c, rm().getSound("c"));
    EXPECT_EQ(2, rm().getSoundCount());
    EXPECT_EQ(-1, rm().unloadSound("a"));
}

TEST_F(SoundTest, MusicRegistersEvenWhenTheFileIsMissing) {
    EXPECT_EQ(0, rm().loadMusic("sounds/missing.ogg", "tune"));
    EXPECT_TRUE(logHas("Music::loadMusic(): Error: could not load music from filename "
                       "sounds/missing.ogg"));
    ASSERT_NE(nullptr, rm().getMusic("tune"));
    EXPECT_EQ(0, rm().unloadMusic("tune"));
    EXPECT_EQ(nullptr, rm().getMusic("tune"));
}

TEST_F(SoundTest, FullRegistriesRefuseLoads) {
    for (int i = 0; i < ks::MAX_SOUNDS; i++)
        ASSERT_EQ(0, rm().loadSound("", "s"));
    EXPECT_EQ(-1, rm().loadSound("sounds/arrow.wav", "over"));
    EXPECT_TRUE(logHas("ResourceManager::loadSound(): Error: sound registry is full, "
                       "sounds/arrow.wav not loaded"));
    for (int i = 0; i < ks::MAX_MUSIC; i++)
        ASSERT_EQ(0, rm().loadMusic("", "m"));
    EXPECT_EQ(-1, rm().loadMusic("x.ogg", "over"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadMusic(): Error: music registry is full, x.ogg not loaded"));
}

} // namespace
