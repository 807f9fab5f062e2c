// Sprite files and the sprite and sound registries.
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "AudioManager.h"
#include "Color.h"
#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "Sprite.h"
#include "TestSupport.h"

static ks::ResourceManager& rm() {
    return ks::ResourceManager::getInstance();
}

// Writes the text into a file named after the label and loads it under that label.
static int load(const std::string& text, const std::string& label) {
    std::ofstream(label, std::ios::binary) << text;
    return rm().loadSprite(label, label);
}

// A sprite file of no frames.
static const std::string EMPTY = "frames 0\nwidth 3\nheight 2\ncolor red\neof\n";
static const std::string GREEN_2x3x2 = "frames 2\nwidth 3\nheight 2\ncolor green\n"
                                       "abc\ndef\nend\n g \n h \nend\neof\n";

// Things at a file's path that are no regular file, made by the fixture.
static const char* const HOSTILE[] = {"fifo", "folder", "zeros"};

class ResourceManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rm().unloadAll();
        removeFiles();
        mkfifo("fifo", 0600);
        mkdir("folder", 0700);
        symlink("/dev/zero", "zeros");
    }
    void TearDown() override {
        removeFiles();
        EngineTest::TearDown();
    }
    static void removeFiles() {
        unlink("fifo");
        unlink("zeros");
        unlink("here.txt");
        unlink("folder/sprites/dot.txt");
        rmdir("folder/sprites");
        rmdir("folder");
    }
};

// A broken file is refused with exactly its log line, naming the file and the line, and the
// registry stays as it was (SpriteParserTest goes through every fault).
TEST_F(ResourceManagerTest, FormatFaultsAndMissingFilesAreRefusedAndLogged) {
    ASSERT_EQ(0, load(GREEN_2x3x2, "keep"));
    resetEngine();
    EXPECT_EQ(-1, load("frames 1\nwidth 3\nheight 2\ncolor red\nabc\nde\nend\neof\n", "bad"));
    EXPECT_EQ(
        std::vector<std::string>{"ResourceManager::loadSprite(): Error: bad:6: expected row 2 "
                                 "of frame 1 to be 3 characters, found 2 characters, \"de\""},
        logLines());
    EXPECT_EQ(-1, rm().loadSprite("no-such-file.txt", "x"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: could not open file no-such-file.txt"));
    EXPECT_EQ(1, rm().getSpriteCount());
}

TEST_F(ResourceManagerTest, AnUnknownColourIsLoggedAsAWarningAndTheSpriteLoadsWhite) {
    ASSERT_EQ(0, load("frames 1\nwidth 1\nheight 1\ncolor Green\n*\nend\neof\n", "green"));
    EXPECT_EQ(ks::WHITE, rm().getSprite("green")->getColor());
    EXPECT_EQ(std::vector<std::string>{"ResourceManager::loadSprite(): Warning! green:4: unknown "
                                       "colour \"Green\" (expected black, red, green, blue, cyan, "
                                       "magenta, yellow or white): the sprite is white"},
              logLines());
}

// An installed game reads its data from where it was installed, wherever it is started.
TEST_F(ResourceManagerTest, RelativeNamesAreReadFromTheDataFolder) {
    mkdir("folder/sprites", 0700);
    std::ofstream("folder/sprites/dot.txt") << GREEN_2x3x2;
    std::ofstream("here.txt") << GREEN_2x3x2;
    char cwd[4096];
    ASSERT_NE(nullptr, getcwd(cwd, sizeof(cwd)));
    rm().setDataFolder("folder");
    EXPECT_EQ(0, rm().loadSprite("sprites/dot.txt", "dot"));
    EXPECT_EQ(-1, rm().loadSprite("sprites/none.txt", "none"));
    EXPECT_EQ(0, rm().loadSound("sounds/none.wav", "none"));
    EXPECT_EQ(0, rm().loadSprite(std::string(cwd) + "/here.txt", "here")); // absolute: as it is
    EXPECT_TRUE(logHas("ResourceManager::loadSprite(): Error: could not open file "
                       "folder/sprites/none.txt"));
    EXPECT_TRUE(logHas("Sound::loadSound(): Error: could not load sound from file "
                       "folder/sounds/none.wav"));
}

// A FIFO blocked an ordinary open for ever; a directory was reported as a bad frame count.
TEST_F(ResourceManagerTest, OnlyRegularFilesAreRead) {
    for (const char* name : HOSTILE) {
        EXPECT_EQ(-1, rm().loadSprite(name, "x"));
        EXPECT_TRUE(logHas(
            std::string("ResourceManager::loadSprite(): Error: could not open file ") + name));
    }
    EXPECT_EQ(0, rm().getSpriteCount());
}

// Objects hold plain pointers to their sprites: an unloaded sprite must outlive them.
TEST_F(ResourceManagerTest, ASpriteUnloadedWhileShownStaysUsableButIsFoundNoMore) {
    ASSERT_EQ(0, load(GREEN_2x3x2, "shown"));
    ks::Object* p_shows = new ks::Object();
    p_shows->setSprite(rm().getSprite("shown"));
    EXPECT_EQ(0, rm().unloadSprite("shown"));
    EXPECT_EQ(nullptr, rm().getSprite("shown"));
    EXPECT_EQ(0, rm().getSpriteCount());
    EXPECT_EQ("abcdef", p_shows->getSprite()->getFrame(0).getString());
    p_shows->draw();
    delete p_shows;
}

TEST_F(ResourceManagerTest, AFullSpriteRegistryRefusesLoads) {
    for (int i = 0; i < ks::MAX_SPRITES; i++)
        ASSERT_EQ(0, load(EMPTY, "s"));
    EXPECT_EQ(-1, load(EMPTY, "over"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: sprite registry is full, over not loaded"));
}

using SoundTest = ResourceManagerTest;

// A sound decodes whole onto the device; without a device it loads all the same, silent.
TEST_F(SoundTest, AGameSoundDecodesWholeWithOrWithoutADevice) {
    auto device = std::make_unique<RecordingAudio>();
    std::shared_ptr<RecordingAudio::Record> record = device->record;
    ks::AudioManager::getInstance().startUp(std::move(device));
    {
        ks::Sound arrow("sounds/arrow.wav", "arrow");
        ASSERT_TRUE(arrow.isLoaded());
        ASSERT_EQ(record->sounds.size(), 1u);
        EXPECT_EQ(record->sounds[0].samples.size(), 13230u);
        EXPECT_EQ(record->sounds[0].channel_count, 1u);
        EXPECT_EQ(record->sounds[0].sample_rate, 44100u);
        arrow.play();
        EXPECT_EQ(record->plays, 1);
    }
    ks::AudioManager::getInstance().startUp(nullptr);
    ks::Sound silent("sounds/arrow.wav", "arrow");
    EXPECT_TRUE(silent.isLoaded());
    silent.play();
    EXPECT_TRUE(logLines().empty());
}

using MusicTest = ResourceManagerTest;

TEST_F(MusicTest, StreamsFromRegularFilesOnly) {
    ks::Music music;
    for (const char* name : HOSTILE) {
        EXPECT_EQ(-1, music.loadMusic(name));
        EXPECT_TRUE(logHas(
            std::string("Music::loadMusic(): Error: could not load music from filename ") + name));
    }
    ASSERT_EQ(0, music.loadMusic("sounds/zombie1.wav"));
    music.play(false);
    ASSERT_EQ(0, music.loadMusic("sounds/zombie2.wav")); // while the first one plays
}
