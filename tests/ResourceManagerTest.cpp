// Sprite files and the sprite and sound registries.
#include <chrono>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "Color.h"
#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "Sprite.h"
#include "TestSupport.h"

using Ints = std::vector<int>;

static ks::ResourceManager& rm() {
    return ks::ResourceManager::getInstance();
}

// Writes the text into a file named after the label and loads it under that label.
static int load(const std::string& text, const std::string& label) {
    std::ofstream(label, std::ios::binary) << text;
    return rm().loadSprite(label, label);
}

// A sprite file of the four header lines and the end line only.
static std::string head(std::string frames, std::string width = "width 3",
                        std::string height = "height 2", std::string color = "color red") {
    return frames + "\n" + width + "\n" + height + "\n" + color + "\neof\n";
}

static const std::string GREEN_2x3x2 = "frames 2\nwidth 3\nheight 2\ncolor green\n"
                                       "abc\ndef\nend\n g \n h \nend\neof\n";

// Names of files that are no regular file or lie about their size, made by the fixture.
static const char* const FIFO = "fifo";
static const char* const FOLDER = "folder";
static const char* const ZEROS = "zeros";    // a link to /dev/zero
static const char* const HUGE_FILE = "huge"; // 20 GB, sparse: zeros without a line end
static const long long HUGE_SIZE = 20000000000LL;

static std::string fileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ResourceManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rm().unloadAll();
        removeFiles();
        mkfifo(FIFO, 0600);
        mkdir(FOLDER, 0700);
        symlink("/dev/zero", ZEROS);
        std::ofstream(HUGE_FILE).close();
        truncate(HUGE_FILE, HUGE_SIZE);
    }
    void TearDown() override { removeFiles(); }

    static void removeFiles() {
        for (const char* name : {FIFO, ZEROS, HUGE_FILE})
            unlink(name);
        rmdir(FOLDER);
    }
};

TEST_F(ResourceManagerTest, WellFormedFilesAreRegisteredSilently) {
    ASSERT_EQ(0, load(GREEN_2x3x2, "ok"));
    ks::Sprite* s = rm().getSprite("ok");
    EXPECT_EQ((Ints{ks::GREEN, 2, 3, 2}),
              (Ints{s->getColor(), s->getFrameCount(), s->getWidth(), s->getHeight()}));
    EXPECT_EQ("abcdef", s->getFrame(0).getString());
    EXPECT_EQ(" g  h ", s->getFrame(1).getString());
    // Carriage returns and numbers followed by other text or spaces are accepted.
    ASSERT_EQ(0,
              load("frames 1abc\r\nwidth 2 \r\nheight  +1\r\ncolor red\r\nxy\r\nend\r\neof", "cr"));
    EXPECT_EQ(ks::RED, rm().getSprite("cr")->getColor());
    EXPECT_EQ("xy", rm().getSprite("cr")->getFrame(0).getString());
    ASSERT_EQ(0, load(head("frames 0"), "none"));
    EXPECT_EQ(0, rm().getSprite("none")->getFrameCount());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ResourceManagerTest, ColourNamesMapExactlyElseWhite) {
    const std::string names[] = {"black",  "red",   "green", "blue",   "cyan",   "magenta",
                                 "yellow", "white", "Green", "green ", " green", ""};
    for (int i = 0; i < 12; i++) {
        std::string label = "c" + std::to_string(i);
        ASSERT_EQ(0, load(head("frames 0", "width 1", "height 1", "color " + names[i]), label));
        EXPECT_EQ(i < 8 ? i : ks::WHITE, rm().getSprite(label)->getColor()) << names[i];
    }
}

// Each broken file is refused with exactly its log line, and the registry stays as it was.
TEST_F(ResourceManagerTest, FormatFaultsAndMissingFilesAreRefusedAndLogged) {
    const std::string h = "frames 1\nwidth 3\nheight 2\ncolor red\n";
    const std::pair<std::string, std::string> cases[] = {
        {h + "abc\nde\nend\neof\n", "sprite width 2 does not match specified width: de"},
        {h + "abc\ndef\nghi\nend\neof\n", "sprite height does not match specified height"},
        {h + "abc\ndef\nend\nabc\ndef\nend\neof\n",
         "sprite bad frame count does not match specified count"},
        {h + "abc\n", "sprite width 0 does not match specified width: "},
        {head("frame"), "bad frame count in file bad (line too short)"},
        {head("frames x"), "bad frame count in file bad (no number)"},
        {head("frames 1", "width 99999999999"), "bad width in file bad (number out of range)"},
        {head("frames 1", "width 3", "height -2"), "bad height in file bad (negative number)"},
        {head("frames -1"), "bad frame count in file bad (negative number)"},
        {head("frames 100001"), "bad frame count in file bad (number too large)"},
        {head("frames 1", "width 2000", "height 2000"),
         "frame size 2000 x 2000 too large in file bad"},
        {head("frames 1", "width 3", "height 2", "colo"), "bad color in file bad (line too short)"},
        // Zero-width rows must not be read past the end of the file for ever.
        {"frames 100000\nwidth 0\nheight 2000000000\ncolor red\n", "file bad ends inside a frame"},
    };
    ASSERT_EQ(0, load(GREEN_2x3x2, "keep"));
    for (const auto& c : cases) {
        resetEngine();
        EXPECT_EQ(-1, load(c.first, "bad")) << c.second;
        EXPECT_EQ(std::vector<std::string>{"ResourceManager::loadSprite(): Error: " + c.second},
                  logLines());
        EXPECT_EQ(1, rm().getSpriteCount());
    }
    EXPECT_EQ(-1, rm().loadSprite("no-such-file.txt", "x"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: could not open file no-such-file.txt"));
}

// A FIFO blocked an ordinary open for ever; a directory was reported as a bad frame count.
TEST_F(ResourceManagerTest, OnlyRegularFilesAreRead) {
    for (const char* name : {FIFO, FOLDER, ZEROS}) {
        resetEngine();
        EXPECT_EQ(-1, rm().loadSprite(name, "x"));
        EXPECT_EQ(std::vector<std::string>{std::string("ResourceManager::loadSprite(): Error: "
                                                       "could not open file ") +
                                           name},
                  logLines());
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

TEST_F(ResourceManagerTest, LookupAndUnloadTakeTheFirstMatchAndKeepTheOrder) {
    for (const char* label : {"mid", "dup", "dup"})
        ASSERT_EQ(0, load(GREEN_2x3x2, label));
    ks::Sprite* first = rm().getSprite("dup");
    EXPECT_EQ(0, rm().unloadSprite("mid"));
    EXPECT_EQ(first, rm().getSprite("dup")); // still ahead of the second one
    EXPECT_EQ(0, rm().unloadSprite("dup"));
    EXPECT_NE(first, rm().getSprite("dup"));
    EXPECT_EQ(1, rm().getSpriteCount());
    EXPECT_EQ(-1, rm().unloadSprite("mid"));
    EXPECT_TRUE(logHas(
        "ResourceManager::unloadSpirte(): Error: sprite with label mid could not be located"));
}

TEST_F(ResourceManagerTest, AFullSpriteRegistryRefusesLoads) {
    for (int i = 0; i < ks::MAX_SPRITES; i++)
        ASSERT_EQ(0, load(head("frames 0"), "s"));
    EXPECT_EQ(-1, load(head("frames 0"), "over"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: sprite registry is full, over not loaded"));
}

using SoundTest = ResourceManagerTest;

// The process's peak resident memory so far, in MB.
static long peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) / 1024;
    return 0;
}

static bool loadsAsSound(const std::string& name) {
    resetEngine();
    ks::Sound sound(name, "s");
    const bool refused =
        logLines() == std::vector<std::string>{"Sound::loadSound(): Error: could not load sound "
                                               "from file " +
                                               name};
    EXPECT_NE(sound.isLoaded(), refused) << name;
    return sound.isLoaded();
}

TEST_F(SoundTest, AGameSoundDecodesWhole) {
    ks::Sound arrow("sounds/arrow.wav", "arrow");
    ASSERT_TRUE(arrow.isLoaded());
    const sf::SoundBuffer* p_buffer = arrow.getSound().getBuffer();
    EXPECT_EQ(13230u, p_buffer->getSampleCount());
    EXPECT_EQ(1u, p_buffer->getChannelCount());
    EXPECT_EQ(44100u, p_buffer->getSampleRate());
    EXPECT_TRUE(logLines().empty());
}

// A header stating 4 GB of samples once took as much memory; a 20 GB file, minutes to probe.
TEST_F(SoundTest, FilesThatLieOrAreNoSoundEffectAreRefusedBeforeDecoding) {
    const std::string wav = fileText("sounds/arrow.wav");
    const size_t size_at = wav.find("data") + 4;
    std::string lying = wav;
    lying.replace(size_at, 4, "\xf0\xff\xff\xff");
    std::ofstream("lying.wav", std::ios::binary) << lying;
    std::ofstream("short.wav", std::ios::binary) << wav.substr(0, wav.size() - 100);
    const long peak_before = peakMegabytes();
    const auto start = std::chrono::steady_clock::now();
    for (const char* name : {"lying.wav", "short.wav", HUGE_FILE, FIFO, FOLDER, ZEROS})
        EXPECT_FALSE(loadsAsSound(name));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_LT(peakMegabytes() - peak_before, 64);
    unlink("lying.wav");
    unlink("short.wav");
}

using MusicTest = ResourceManagerTest;

TEST_F(MusicTest, StreamsFromRegularFilesOnly) {
    ks::Music music;
    for (const char* name : {FIFO, FOLDER, ZEROS}) {
        resetEngine();
        EXPECT_EQ(-1, music.loadMusic(name));
        EXPECT_EQ(std::vector<std::string>{std::string("Music::loadMusic(): Error: could not load "
                                                       "music from filename ") +
                                           name},
                  logLines());
    }
    ASSERT_EQ(0, music.loadMusic("sounds/zombie1.wav"));
    music.play(false);
    ASSERT_EQ(0, music.loadMusic("sounds/zombie2.wav")); // while the first one plays
}

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
