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

const char* const COLOR_NAMES[] = {"black", "red",     "green",  "blue",
                                   "cyan",  "magenta", "yellow", "white"};

// The colour of a name of the format; -1 for a name it does not know.
int colorFromName(const std::string& name) {
    for (int c = BLACK; c <= WHITE; c++)
        if (name == COLOR_NAMES[c])
            return c;
    return -1;
}

// A line as a fault quotes it: in double quotes, at most QUOTED characters of it, and bytes that
// are not printable as \xNN.
const size_t QUOTED = 40;

std::string quote(const std::string& text) {
    std::string quoted = "\"";
    for (size_t i = 0; i < text.size() && i < QUOTED; i++) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 32 && c < 127 && c != '\\' && c != '"') {
            quoted.push_back(static_cast<char>(c));
        } else {
            static const char HEX[] = "0123456789abcdef";
            quoted += c == '\\'  ? "\\\\"
                      : c == '"' ? "\\\""
                                 : std::string("\\x") + HEX[c >> 4] + HEX[c & 15];
        }
    }
    return quoted + (text.size() > QUOTED ? "...\"" : "\"");
}

std::string plural(long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

const char* const END_OF_FILE = "the end of the file";

} // namespace

SpriteParser::SpriteParser(std::istream& new_in, const std::string& new_filename)
    : in(new_in), filename(new_filename), line_number(0), fault(), warnings() {}

std::unique_ptr<Sprite> SpriteParser::parse(std::istream& in, const std::string& filename,
                                            const std::string& label, std::string& fault,
                                            std::vector<std::string>* p_warnings) {
    SpriteParser parser(in, filename);
    std::unique_ptr<Sprite> p_sprite = parser.readSprite(label);
    fault = p_sprite ? std::string() : parser.fault;
    if (p_warnings)
        p_warnings->insert(p_warnings->end(), parser.warnings.begin(), parser.warnings.end());
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

void SpriteParser::fail(const std::string& expected, const std::string& found) {
    fault = filename + ":" + std::to_string(line_number) + ": expected " + expected + ", found " +
            found;
}

bool SpriteParser::readHeaderNumber(const char* what, const char* keyword, size_t index, int limit,
                                    int& result) {
    std::string line;
    const LineResult read = readLine(line, LINE_SLACK);
    const std::string form = std::string("the ") + what + " (\"" + keyword + " N\")";
    if (read == LINE_TOO_LONG) {
        fail(form + " in at most " + std::to_string(LINE_SLACK) + " characters", "a longer line");
        return false;
    }
    if (read == LINE_MISSING) {
        fail(form, END_OF_FILE);
        return false;
    }
    switch (headerNumber(line, index, limit, result)) {
    case NUMBER_OK:
        return true;
    case NUMBER_LINE_TOO_SHORT:
    case NUMBER_NO_DIGITS:
        fail(form, quote(line));
        return false;
    default:
        fail(std::string("a ") + what + " from 0 to " + std::to_string(limit), quote(line));
        return false;
    }
}

bool SpriteParser::readColor(int& color) {
    std::string line;
    const LineResult read = readLine(line, LINE_SLACK);
    const std::string form = "the colour (\"color NAME\")";
    if (read == LINE_TOO_LONG) {
        fail(form + " in at most " + std::to_string(LINE_SLACK) + " characters", "a longer line");
        return false;
    }
    if (read == LINE_MISSING || line.size() < 6) {
        fail(form, read == LINE_MISSING ? END_OF_FILE : quote(line));
        return false;
    }
    color = colorFromName(line.substr(6));
    if (color < 0) {
        std::string names;
        for (int c = BLACK; c <= WHITE; c++)
            names += std::string(c == BLACK ? "" : c == WHITE ? " or " : ", ") + COLOR_NAMES[c];
        warnings.push_back(filename + ":" + std::to_string(line_number) + ": unknown colour " +
                           quote(line.substr(6)) + " (expected " + names +
                           "): the sprite is white");
        color = WHITE;
    }
    return true;
}

bool SpriteParser::readRow(int frame, int frames, int row, int width, int height,
                           std::string& frame_str) {
    std::string line;
    const LineResult read = readLine(line, static_cast<long long>(width) + LINE_SLACK);
    const std::string expected = "row " + std::to_string(row + 1) + " of frame " +
                                 std::to_string(frame + 1) + " to be " +
                                 plural(width, "character", "characters");
    if (read == LINE_TOO_LONG) {
        fail(expected, "a line of more than " + std::to_string(width + LINE_SLACK) + " characters");
        return false;
    }
    if (read == LINE_MISSING) {
        fail(expected, END_OF_FILE);
        return false;
    }
    if (static_cast<long long>(line.size()) == width) {
        frame_str += line;
        return true;
    }
    std::string found =
        plural(static_cast<long long>(line.size()), "character", "characters") + ", " + quote(line);
    // The two words of the format where a row is due: the likely causes, said plainly.
    if (line == "end")
        found += ": frame " + std::to_string(frame + 1) + " has " + plural(row, "row", "rows") +
                 ", not the " + std::to_string(height) + " the height line declares";
    else if (line == "eof" && row == 0)
        found += ": the file has " + plural(frame, "frame", "frames") + ", not the " +
                 std::to_string(frames) + " its first line declares";
    fail(expected, found);
    return false;
}

std::unique_ptr<Sprite> SpriteParser::readSprite(const std::string& label) {
    int frames = 0;
    int width = 0;
    int height = 0;
    int color = WHITE;
    if (!readHeaderNumber("frame count", "frames", 6, MAX_FRAMES, frames) ||
        !readHeaderNumber("width", "width", 5, INT_MAX, width) ||
        !readHeaderNumber("height", "height", 6, INT_MAX, height))
        return nullptr;
    if (static_cast<long long>(width) * height > MAX_FRAME_CELLS) {
        fail("frames of at most " + std::to_string(MAX_FRAME_CELLS) + " cells",
             std::to_string(width) + " x " + std::to_string(height));
        return nullptr;
    }
    if (!readColor(color))
        return nullptr;

    std::unique_ptr<Sprite> p_sprite(new Sprite(frames, width, height, color));
    p_sprite->setLabel(label);
    const long long max_length = static_cast<long long>(width) + LINE_SLACK;
    std::string line;
    for (int f = 0; f < frames; f++) {
        std::string frame_str;
        for (int row = 0; row < height; row++)
            if (!readRow(f, frames, row, width, height, frame_str))
                return nullptr;
        // A line too long to be "end" is simply not "end"; the same for "eof" below.
        const LineResult read = readLine(line, max_length);
        if (line != "end") {
            std::string found = read == LINE_MISSING ? END_OF_FILE : quote(line);
            if (read != LINE_MISSING)
                found += ": frame " + std::to_string(f + 1) + " has more rows than the " +
                         std::to_string(height) + " the height line declares";
            fail("\"end\" after the " + plural(height, "row", "rows") + " of frame " +
                     std::to_string(f + 1),
                 found);
            return nullptr;
        }
        p_sprite->addFrame(Frame(width, height, std::move(frame_str)));
    }
    const LineResult read = readLine(line, max_length);
    if (line != "eof") {
        std::string found = read == LINE_MISSING ? END_OF_FILE : quote(line);
        if (read != LINE_MISSING)
            found += ": the file has more frames than the " + std::to_string(frames) +
                     " its first line declares";
        fail(frames == 0 ? std::string("\"eof\" after the header, which declares no frames")
                         : "\"eof\" after frame " + std::to_string(frames) + ", the last",
             found);
        return nullptr;
    }
    return p_sprite;
}

} // namespace ks
