// Reading sprites from streams: hostile input is refused within what the header states.
#include <sstream>
#include <streambuf>

#include "Color.h"
#include "SpriteParser.h"
#include "TestSupport.h"

using SpriteParserTest = EngineTest;

namespace {

// An endless stream: the text given, then the filler byte for ever. Counts what was taken.
class EndlessBuffer : public std::streambuf {
public:
    EndlessBuffer(std::string new_head, char new_filler) : head(new_head), filler(new_filler) {}

    long long taken = 0;

protected:
    int_type underflow() override {
        block.assign(64, filler);
        if (taken < static_cast<long long>(head.size()))
            block = head.substr(taken, 64);
        taken += block.size();
        setg(&block[0], &block[0], &block[0] + block.size());
        return traits_type::to_int_type(block[0]);
    }

private:
    std::string head;
    char filler;
    std::string block;
};

// The fault of parsing the text, or "" when a sprite came back.
std::string faultOf(const std::string& text) {
    std::istringstream in(text);
    std::string fault;
    std::unique_ptr<ks::Sprite> p_sprite = ks::SpriteParser::parse(in, "f.txt", "l", fault);
    EXPECT_EQ(p_sprite == nullptr, !fault.empty());
    return fault;
}

} // namespace

// A sparse file or /dev/zero reads as zeros without a line end: no line may grow without bound.
TEST_F(SpriteParserTest, EndlessInputIsRefusedAfterAFewHundredBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "endless:1: expected the frame count (\"frames N\") in at most 256 characters, "
             "found a longer line"},
        {"frames 4\nwidth 3\n", "endless:3: expected the height (\"height N\") in at most 256 "
                                "characters, found a longer line"},
        {"frames 4\nwidth 3\nheight 3\ncolor cyan\n",
         "endless:5: expected row 1 of frame 1 to be 3 characters, found a line of more than 259 "
         "characters"},
        {"frames 1\nwidth 900\nheight 1\ncolor red\n",
         "endless:5: expected row 1 of frame 1 to be 900 characters, found a line of more than "
         "1156 characters"},
    };
    for (const auto& c : cases) {
        for (char filler : {'\0', 'x'}) {
            EndlessBuffer buffer(c.first, filler);
            std::istream in(&buffer);
            std::string fault;
            EXPECT_EQ(nullptr, ks::SpriteParser::parse(in, "endless", "l", fault));
            EXPECT_EQ(c.second, fault);
            // The header, then one line: up to 256 characters past the width, one block read.
            EXPECT_LE(buffer.taken, static_cast<long long>(c.first.size()) + 900 + 256 + 64);
        }
    }
    EXPECT_TRUE(logLines().empty());
}

// Every fault of the format names the file and the line, what the line should have held and what
// it held; where the cause is plain (a frame or a file short of what its header declares), it is
// said.
TEST_F(SpriteParserTest, EveryFaultNamesTheFileAndLineWithWhatWasExpectedAndFound) {
    const std::string h = "frames 1\nwidth 3\nheight 2\ncolor red\n";
    const std::pair<std::string, std::string> cases[] = {
        // The header.
        {"", "f.txt:1: expected the frame count (\"frames N\"), found the end of the file"},
        {"frames\n", "f.txt:1: expected the frame count (\"frames N\"), found \"frames\""},
        {"frames two\n", "f.txt:1: expected the frame count (\"frames N\"), found \"frames two\""},
        {"frames 100001\n",
         "f.txt:1: expected a frame count from 0 to 100000, found \"frames 100001\""},
        {"frames 1\nwidth -3\n", "f.txt:2: expected a width from 0 to 2147483647, found "
                                 "\"width -3\""},
        {"frames 1\nwidth 99999999999\n",
         "f.txt:2: expected a width from 0 to 2147483647, found \"width 99999999999\""},
        {"frames 1\nwidth 3\n", "f.txt:3: expected the height (\"height N\"), found the end of "
                                "the file"},
        {"frames 1\nwidth 2000\nheight 2000\n",
         "f.txt:3: expected frames of at most 1000000 cells, found 2000 x 2000"},
        {"frames 1\nwidth 3\nheight 2\n",
         "f.txt:4: expected the colour (\"color NAME\"), found the end of the file"},
        {"frames 1\nwidth 3\nheight 2\ncolo\n",
         "f.txt:4: expected the colour (\"color NAME\"), found \"colo\""},
        {"frames 1" + std::string(249, ' ') + "\n",
         "f.txt:1: expected the frame count (\"frames N\") in at most 256 characters, found a "
         "longer line"},
        // The rows.
        {h + "abc\nde\nend\neof\n",
         "f.txt:6: expected row 2 of frame 1 to be 3 characters, found 2 characters, \"de\""},
        {h + std::string(259, 'a') + "\nend\neof\n",
         "f.txt:5: expected row 1 of frame 1 to be 3 characters, found 259 characters, \"" +
             std::string(40, 'a') + "...\""},
        {h + std::string(260, 'a') + "\nend\n",
         "f.txt:5: expected row 1 of frame 1 to be 3 characters, found a line of more than 259 "
         "characters"},
        {"frames 1\nwidth 3\nheight 1\ncolor red\n" + std::string("\0\xff\"", 3) + "x\nend\neof\n",
         "f.txt:5: expected row 1 of frame 1 to be 3 characters, found 4 characters, "
         "\"\\x00\\xff\\\"x\""},
        {h + "abc\n", "f.txt:6: expected row 2 of frame 1 to be 3 characters, found the end of "
                      "the file"},
        // Zero-width rows must not be read past the end of the file for ever.
        {"frames 100000\nwidth 0\nheight 2000000000\ncolor red\n",
         "f.txt:5: expected row 1 of frame 1 to be 0 characters, found the end of the file"},
        {"frames 1\nwidth 4\nheight 2\ncolor red\nabcd\nend\neof\n",
         "f.txt:6: expected row 2 of frame 1 to be 4 characters, found 3 characters, \"end\": "
         "frame 1 has 1 row, not the 2 the height line declares"},
        {"frames 2\nwidth 5\nheight 1\ncolor red\n[###]\nend\neof\n",
         "f.txt:7: expected row 1 of frame 2 to be 5 characters, found 3 characters, \"eof\": the "
         "file has 1 frame, not the 2 its first line declares"},
        // "end" and "eof".
        {h + "abc\ndef\nghi\nend\neof\n",
         "f.txt:7: expected \"end\" after the 2 rows of frame 1, found \"ghi\": frame 1 has more "
         "rows than the 2 the height line declares"},
        {h + "abc\ndef\n" + std::string(5000, 'e') + "\neof\n",
         "f.txt:7: expected \"end\" after the 2 rows of frame 1, found \"" + std::string(40, 'e') +
             "...\": frame 1 has more rows than the 2 the height line declares"},
        {h + "abc\ndef\nend\nabc\ndef\nend\neof\n",
         "f.txt:8: expected \"eof\" after frame 1, the last, found \"abc\": the file has more "
         "frames than the 1 its first line declares"},
        {h + "abc\ndef\nend\n",
         "f.txt:8: expected \"eof\" after frame 1, the last, found the end of the file"},
        {"frames 0\nwidth 1\nheight 1\ncolor red\n",
         "f.txt:5: expected \"eof\" after the header, which declares no frames, found the end of "
         "the file"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, faultOf(c.first)) << c.first.substr(0, 60);
    // Good files, for contrast: a header number with text after it, and Windows line ends.
    EXPECT_EQ("", faultOf("frames 0" + std::string(248, ' ') +
                          "\r\nwidth 1\nheight 1\n"
                          "color red\neof\n"));
    EXPECT_EQ("", faultOf("frames 2abc\nwidth 3 \nheight 1\ncolor red\nabc\nend\nd f\nend\neof\n"));
}

// A colour name the format does not know (a capital, a trailing space) gives a white sprite,
// and says so; a known one says nothing.
TEST_F(SpriteParserTest, AnUnknownColourNameGivesAWhiteSpriteAndAWarning) {
    const std::pair<std::string, std::string> cases[] = {{"color Green", "\"Green\""},
                                                         {"color green ", "\"green \""},
                                                         {"color  green", "\" green\""},
                                                         {"color white", ""}};
    for (const auto& [line, name] : cases) {
        std::istringstream in("frames 1\nwidth 1\nheight 1\n" + line + "\n*\nend\neof\n");
        std::string fault;
        std::vector<std::string> warnings;
        std::unique_ptr<ks::Sprite> p_sprite =
            ks::SpriteParser::parse(in, "f.txt", "l", fault, &warnings);
        ASSERT_NE(nullptr, p_sprite);
        EXPECT_EQ(ks::WHITE, p_sprite->getColor());
        const std::string warning =
            "f.txt:4: unknown colour " + name +
            " (expected black, red, "
            "green, blue, cyan, magenta, yellow or white): the sprite is white";
        EXPECT_EQ(name.empty() ? std::vector<std::string>() : std::vector<std::string>{warning},
                  warnings);
    }
}
