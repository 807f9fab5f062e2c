// Sprite files and the sprite registry.
#include <fstream>
#include <string>

#include "Color.h"
#include "Frame.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

namespace {

ks::ResourceManager& rm() {
    return ks::ResourceManager::getInstance();
}

// Writes a sprite file into the working directory and returns its name.
std::string spriteFile(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
    return name;
}

const std::string GREEN_2x3x2 = "frames 2\nwidth 3\nheight 2\ncolor green\n"
                                "abc\ndef\nend\nghi\njkl\nend\neof\n";

class ResourceManagerTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        rm().unloadAll();
    }
};

TEST_F(ResourceManagerTest, WellFormedFileRegistersSprite) {
    std::string text =
        "frames 2\nwidth 3\nheight 2\ncolor green\nabc\ndef\nend\n g \n h \nend\neof\n";
    ASSERT_EQ(0, rm().loadSprite(spriteFile("ok.txt", text), "ok"));
    ks::Sprite* s = rm().getSprite("ok");
    ASSERT_NE(nullptr, s);
    EXPECT_EQ(ks::GREEN, s->getColor());
    EXPECT_EQ(2, s->getFrameCount());
    EXPECT_EQ(3, s->getWidth());
    EXPECT_EQ(2, s->getHeight());
    EXPECT_EQ("abcdef", s->getFrame(0).getString());
    EXPECT_EQ(" g  h ", s->getFrame(1).getString());
    EXPECT_TRUE(logLines().empty());
}

TEST_F(ResourceManagerTest, CarriageReturnsAndLooseNumbersAreAccepted) {
    std::string text = "frames 1abc\r\nwidth 2 \r\nheight  +1\r\ncolor red\r\nxy\r\nend\r\neof";
    ASSERT_EQ(0, rm().loadSprite(spriteFile("crlf.txt", text), "crlf"));
    ks::Sprite* s = rm().getSprite("crlf");
    EXPECT_EQ(ks::RED, s->getColor());
    EXPECT_EQ("xy", s->getFrame(0).getString());
}

TEST_F(ResourceManagerTest, ColourNamesMapExactlyElseWhite) {
    const char* names[] = {"black", "red", "green", "blue", "cyan", "magenta", "yellow", "white"};
    for (int c = 0; c < 8; c++) {
        std::string text =
            std::string("frames 0\nwidth 1\nheight 1\ncolor ") + names[c] + "\neof\n";
        ASSERT_EQ(0, rm().loadSprite(spriteFile("c.txt", text), names[c]));
        EXPECT_EQ(c, rm().getSprite(names[c])->getColor()) << names[c];
    }
    for (std::string line : {"color Green", "color green ", "color  green", "color "}) {
        std::string text = "frames 0\nwidth 1\nheight 1\n" + line + "\neof\n";
        ASSERT_EQ(0, rm().loadSprite(spriteFile("c.txt", text), line));
        EXPECT_EQ(ks::WHITE, rm().getSprite(line)->getColor()) << line;
    }
}

TEST_F(ResourceManagerTest, ZeroFramesGiveAnEmptySprite) {
    ASSERT_EQ(0, rm().loadSprite(
                     spriteFile("z.txt", "frames 0\nwidth 3\nheight 2\ncolor red\neof\n"), "z"));
    EXPECT_EQ(0, rm().getSprite("z")->getFrameCount());
    EXPECT_EQ(0, rm().getSprite("z")->getFrame(0).getWidth());
}

// Each broken file is refused with exactly the given log line, and earlier sprites survive.
TEST_F(ResourceManagerTest, FormatFaultsAreRefusedAndLogged) {
    const std::string header = "frames 1\nwidth 3\nheight 2\ncolor red\n";
    struct Case {
        std::string text;
        std::string line;
    } cases[] = {
        {header + "abc\nde\nend\neof\n", "sprite width 2 does not match specified width: de"},
        {header + "abc\ndef\nghi\nend\neof\n", "sprite height does not match specified height"},
        {header + "abc\ndef\nend\nabc\ndef\nend\neof\n",
         "sprite bad frame count does not match specified count"},
        {header + "abc\n", "sprite width 0 does not match specified width: "},
        {"frame\nwidth 3\nheight 2\ncolor red\neof\n",
         "bad frame count in file bad (line too short)"},
        {"frames x\nwidth 3\nheight 2\ncolor red\neof\n",
         "bad frame count in file bad (no number)"},
        {"frames 1\nwidth 99999999999\nheight 2\ncolor red\neof\n",
         "bad width in file bad (number out of range)"},
        {"frames 1\nwidth 3\nheight -2\ncolor red\neof\n",
         "bad height in file bad (negative number)"},
        {"frames -1\nwidth 3\nheight 2\ncolor red\neof\n",
         "bad frame count in file bad (negative number)"},
        {"frames 100001\nwidth 3\nheight 2\ncolor red\neof\n",
         "bad frame count in file bad (number too large)"},
        {"frames 1\nwidth 2000\nheight 2000\ncolor red\neof\n",
         "frame size 2000 x 2000 too large in file bad"},
        {"frames 1\nwidth 3\nheight 2\ncolo\neof\n", "bad color in file bad (line too short)"},
        // Zero-width rows must not be read past the end of the file for ever.
        {"frames 100000\nwidth 0\nheight 2000000000\ncolor red\n", "file bad ends inside a frame"},
    };
    ASSERT_EQ(0, rm().loadSprite(spriteFile("ok.txt", GREEN_2x3x2), "keep"));
    for (const Case& c : cases) {
        resetEngine();
        EXPECT_EQ(-1, rm().loadSprite(spriteFile("bad", c.text), "bad")) << c.line;
        EXPECT_EQ(std::vector<std::string>{"ResourceManager::loadSprite(): Error: " + c.line},
                  logLines());
        EXPECT_EQ(nullptr, rm().getSprite("bad"));
        EXPECT_EQ(1, rm().getSpriteCount());
    }
    EXPECT_EQ("abcdef", rm().getSprite("keep")->getFrame(0).getString());
}

TEST_F(ResourceManagerTest, MissingFileIsLogged) {
    EXPECT_EQ(-1, rm().loadSprite("no-such-file.txt", "x"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: could not open file no-such-file.txt"));
}

TEST_F(ResourceManagerTest, LookupAndUnloadTakeFirstMatchAndKeepOrder) {
    std::string file = spriteFile("s.txt", GREEN_2x3x2);
    ASSERT_EQ(0, rm().loadSprite(file, "dup"));
    ASSERT_EQ(0, rm().loadSprite(file, "mid"));
    ASSERT_EQ(0, rm().loadSprite(file, "dup"));
    ks::Sprite* first = rm().getSprite("dup");
    ASSERT_NE(nullptr, rm().getSprite("mid"));
    EXPECT_EQ(0, rm().unloadSprite("mid"));
    EXPECT_EQ(first, rm().getSprite("dup"));
    EXPECT_EQ(0, rm().unloadSprite("dup"));
    EXPECT_NE(nullptr, rm().getSprite("dup"));
    EXPECT_EQ(1, rm().getSpriteCount());
    EXPECT_EQ(nullptr, rm().getSprite("never"));
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(-1, rm().unloadSprite("mid"));
    EXPECT_TRUE(logHas(
        "ResourceManager::unloadSpirte(): Error: sprite with label mid could not be located"));
}

TEST_F(ResourceManagerTest, FullSpriteRegistryRefusesLoad) {
    std::string file = spriteFile("s.txt", "frames 0\nwidth 1\nheight 1\ncolor red\neof\n");
    for (int i = 0; i < ks::MAX_SPRITES; i++)
        ASSERT_EQ(0, rm().loadSprite(file, "s"));
    EXPECT_EQ(-1, rm().loadSprite(file, "over"));
    EXPECT_TRUE(
        logHas("ResourceManager::loadSprite(): Error: sprite registry is full, s.txt not loaded"));
    EXPECT_EQ(nullptr, rm().getSprite("over"));
}

TEST(SpriteTest, FrameAndSpriteGuards) {
    ks::LogManager::getInstance().startUp();
    ks::Frame wrong(2, 2, "abc");
    EXPECT_EQ("abc", wrong.getString());
    EXPECT_TRUE(logHas("Frame::Frame(): Error: created frame with string of incorrect length"));

    ks::Sprite sprite(1, 2, 1, ks::BLUE);
    EXPECT_EQ(0, sprite.addFrame(ks::Frame(2, 1, "ab")));
    EXPECT_EQ(-1, sprite.addFrame(ks::Frame(2, 1, "cd")));
    EXPECT_TRUE(logHas("Sprite::addFrame(): Error: attempted to add frame past max frame count"));
    EXPECT_EQ(1, sprite.getFrameCount());
    EXPECT_EQ("ab", sprite.getFrame(0).getString());
    EXPECT_EQ("", sprite.getFrame(1).getString());
    EXPECT_EQ("", sprite.getFrame(-1).getString());
}

} // namespace
