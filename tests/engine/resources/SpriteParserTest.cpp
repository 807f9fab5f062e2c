// Reading sprites from streams: hostile input is refused within what the header states.
#include <sstream>
#include <streambuf>

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
        {"", "line 1 too long in file endless"},
        {"frames 4\nwidth 3\n", "line 3 too long in file endless"},
        {"frames 4\nwidth 3\nheight 3\ncolor cyan\n", "line 5 too long in file endless"},
        {"frames 1\nwidth 900\nheight 1\ncolor red\n", "line 5 too long in file endless"},
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

// Past the width plus 256 a row is only "too long"; up to there it keeps the width message
// with its real length. Where "end" or "eof" is due, a long line is simply not that word.
TEST_F(SpriteParserTest, LongLinesKeepTheirMessagesUpToTheSlack) {
    const std::string h = "frames 1\nwidth 3\nheight 1\ncolor red\n";
    EXPECT_EQ("sprite width 259 does not match specified width: " + std::string(259, 'a'),
              faultOf(h + std::string(259, 'a') + "\nend\neof\n"));
    EXPECT_EQ("line 5 too long in file f.txt", faultOf(h + std::string(260, 'a') + "\nend\n"));
    EXPECT_EQ("sprite height does not match specified height",
              faultOf(h + "abc\n" + std::string(5000, 'e') + "\neof\n"));
    EXPECT_EQ("sprite l frame count does not match specified count",
              faultOf(h + "abc\nend\n" + std::string(5000, 'e') + "\n"));
    EXPECT_EQ("line 1 too long in file f.txt", faultOf("frames 1" + std::string(249, ' ') + "\n"));
    EXPECT_EQ("", faultOf("frames 0" + std::string(248, ' ') +
                          "\r\nwidth 1\nheight 1\n"
                          "color red\neof\n"));
}
