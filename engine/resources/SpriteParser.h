#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "Sprite.h"

namespace ks {

/// Reads one sprite in the sprite file format from a stream: four header lines (frame count,
/// width, height, colour), each frame's rows followed by "end", and a closing "eof". It neither
/// logs nor registers anything. Memory stays within what the header states: a line is read only
/// up to LINE_SLACK characters past a frame row's width, so a stream without line ends is
/// refused after a few hundred bytes.
///
/// A fault is told the way a compiler tells one: "FILE:LINE: expected WHAT, found WHAT", with the
/// line's text quoted (shortened, and with unprintable bytes as \\xNN), and a hint where the
/// likely cause is known (a frame short of rows, a file short of frames).
class SpriteParser {
public:
    /// Headers larger than these only come from a corrupt file and could exhaust memory.
    static constexpr int MAX_FRAMES = 100000;
    /// The most cells (width x height) a frame may have.
    static constexpr long long MAX_FRAME_CELLS = 1000000;
    /// How far a line may run past a frame row's width (header lines: past 0): room for text
    /// after a header number, a carriage return, and a row reported too long with its length.
    static constexpr int LINE_SLACK = 256;

    /// The sprite read from `in`, labelled `label`; or null with `fault` set to the text of the
    /// first fault found, which names the file and the line. What is read but doubtful (a colour
    /// name the format does not know, read as white) is added to warnings, if given, in the same
    /// form.
    static std::unique_ptr<Sprite> parse(std::istream& in, const std::string& filename,
                                         const std::string& label, std::string& fault,
                                         std::vector<std::string>* p_warnings = nullptr);

private:
    enum LineResult { LINE_READ, LINE_MISSING, LINE_TOO_LONG };

    SpriteParser(std::istream& in, const std::string& filename);

    std::unique_ptr<Sprite> readSprite(const std::string& label);

    /// One line without its line end ("\n" or "\r\n"), of at most max_length characters (the
    /// line end not counted). Past the end of the stream the line comes back empty.
    LineResult readLine(std::string& line, long long max_length);
    /// Reads a header line, "keyword N", and its number at index, a value 0 .. limit; false with
    /// the fault set.
    bool readHeaderNumber(const char* what, const char* keyword, size_t index, int limit,
                          int& result);
    /// Reads the colour line; false with the fault set.
    bool readColor(int& color);
    /// Reads one row of a frame into frame_str; false with the fault set.
    bool readRow(int frame, int frames, int row, int width, int height, std::string& frame_str);
    /// Sets the fault: the file and the current line, what was expected and what was found.
    void fail(const std::string& expected, const std::string& found);

    std::istream& in;
    const std::string& filename;
    int line_number;
    std::string fault;
    std::vector<std::string> warnings;
};

} // namespace ks
