#include "SpriteParser.h"

#include <cctype>
#include <climits>
#include <utility>

#include "Color.h"
#include "Frame.h"

namespace ks {

namespace {

// Why a header number could not be used.
enum NumberFault {
    NUMBER_OK = 0,
    NUMBER_LINE_TOO_SHORT,
    NUMBER_NO_DIGITS,
    NUMBER_OUT_OF_RANGE,
    NUMBER_NEGATIVE,
    NUMBER_TOO_LARGE,
};

const char* faultText(NumberFault fault) {
    switch (fault) {
    case NUMBER_LINE_TOO_SHORT:
        return "line too short";
    case NUMBER_NO_DIGITS:
        return "no number";
    case NUMBER_OUT_OF_RANGE:
        return "number out of range";
    case NUMBER_NEGATIVE:
        return "negative number";
    case NUMBER_TOO_LARGE:
        return "number too large";
    default:
        return "";
    }
}

// Reads a decimal int the way strtol does (leading white space, optional sign, digits, the rest
// ignored), but reports a missing number or an overflow instead of guessing.
NumberFault parseInt(const std::string& text, int& result) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        i++;
    }
    long long value = 0;
    bool any_digit = false;
    bool overflow = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); i++) {
        any_digit = true;
        if (!overflow) {
            value = value * 10 + (text[i] - '0');
            if (value > static_cast<long long>(INT_MAX) + 1)
                overflow = true;
        }
    }
    if (!any_digit)
        return NUMBER_NO_DIGITS;
    if (negative)
        value = -value;
    if (overflow || value > INT_MAX || value < INT_MIN)
        return NUMBER_OUT_OF_RANGE;
    result = static_cast<int>(value);
    return NUMBER_OK;
}

// The header value that starts at index: a non-negative int no larger than limit.
NumberFault headerNumber(const std::string& line, size_t index, int limit, int& result) {
    if (line.size() < index)
        return NUMBER_LINE_TOO_SHORT;
    NumberFault fault = parseInt(line.substr(index), result);
    if (fault != NUMBER_OK)
        return fault;
    if (result < 0)
        return NUMBER_NEGATIVE;
    if (result > limit)
        return NUMBER_TOO_LARGE;
    return NUMBER_OK;
}

int colorFromName(const std::string& name) {
    static const char* const NAMES[] = {"black", "red",     "green",  "blue",
                                        "cyan",  "magenta", "yellow", "white"};
    for (int c = BLACK; c <= WHITE; c++)
        if (name == NAMES[c])
            return c;
    return WHITE;
}

} // namespace

SpriteParser::SpriteParser(std::istream& new_in, const std::string& new_filename)
    : in(new_in), filename(new_filename), line_number(0), fault() {}

std::unique_ptr<Sprite> SpriteParser::parse(std::istream& in, const std::string& filename,
                                            const std::string& label, std::string& fault) {
    SpriteParser parser(in, filename);
    std::unique_ptr<Sprite> p_sprite = parser.readSprite(label);
    fault = p_sprite ? std::string() : parser.fault;
    return p_sprite;
}

SpriteParser::LineResult SpriteParser::readLine(std::string& line, long long max_length) {
    line.clear();
    line_number++;
    std::streambuf* p_buffer = in.rdbuf();
    if (!p_buffer)
        return LINE_MISSING;
    bool any = false;
    for (;;) {
        const int c = p_buffer->sbumpc();
        if (c == std::char_traits<char>::eof())
            break;
        any = true;
        if (c == '\n')
            break;
        // One more than max_length: room for a '\r' before the '\n'.
        if (static_cast<long long>(line.size()) > max_length)
            return LINE_TOO_LONG;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (static_cast<long long>(line.size()) > max_length)
        return LINE_TOO_LONG;
    return any ? LINE_READ : LINE_MISSING;
}

void SpriteParser::failTooLong() {
    fault = "line " + std::to_string(line_number) + " too long in file " + filename;
}

bool SpriteParser::readHeaderNumber(const char* what, size_t index, int limit, int& result) {
    std::string line;
    if (readLine(line, LINE_SLACK) == LINE_TOO_LONG) {
        failTooLong();
        return false;
    }
    NumberFault number_fault = headerNumber(line, index, limit, result);
    if (number_fault == NUMBER_OK)
        return true;
    fault =
        std::string("bad ") + what + " in file " + filename + " (" + faultText(number_fault) + ")";
    return false;
}

std::unique_ptr<Sprite> SpriteParser::readSprite(const std::string& label) {
    int frames = 0;
    int width = 0;
    int height = 0;
    if (!readHeaderNumber("frame count", 6, MAX_FRAMES, frames) ||
        !readHeaderNumber("width", 5, INT_MAX, width) ||
        !readHeaderNumber("height", 6, INT_MAX, height))
        return nullptr;
    if (static_cast<long long>(width) * height > MAX_FRAME_CELLS) {
        fault = "frame size " + std::to_string(width) + " x " + std::to_string(height) +
                " too large in file " + filename;
        return nullptr;
    }
    std::string line;
    if (readLine(line, LINE_SLACK) == LINE_TOO_LONG) {
        failTooLong();
        return nullptr;
    }
    if (line.size() < 6) {
        fault = "bad color in file " + filename + " (line too short)";
        return nullptr;
    }

    std::unique_ptr<Sprite> p_sprite(
        new Sprite(frames, width, height, colorFromName(line.substr(6))));
    p_sprite->setLabel(label);
    const long long max_length = static_cast<long long>(width) + LINE_SLACK;
    for (int f = 0; f < frames; f++) {
        std::string frame_str;
        for (int row = 0; row < height; row++) {
            LineResult result = readLine(line, max_length);
            if (result == LINE_TOO_LONG) {
                failTooLong();
                return nullptr;
            }
            // Zero-width rows would match the empty line read past the end for ever.
            if (result == LINE_MISSING && width == 0) {
                fault = "file " + filename + " ends inside a frame";
                return nullptr;
            }
            if (static_cast<long long>(line.size()) != width) {
                fault = "sprite width " + std::to_string(static_cast<int>(line.size())) +
                        " does not match specified width: " + line;
                return nullptr;
            }
            frame_str += line;
        }
        // A line too long to be "end" is simply not "end"; the same for "eof" below.
        readLine(line, max_length);
        if (line != "end") {
            fault = "sprite height does not match specified height";
            return nullptr;
        }
        p_sprite->addFrame(Frame(width, height, std::move(frame_str)));
    }
    readLine(line, max_length);
    if (line != "eof") {
        fault = "sprite " + label + " frame count does not match specified count";
        return nullptr;
    }
    return p_sprite;
}

} // namespace ks
