#include "Replay.h"

#include <cctype>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <new>

#include "Decimal.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "FileBuffer.h"
#include "KeyTable.h"
#include "LoopControl.h"
#include "RegularFile.h"

namespace ks {

namespace {

// Indexed by button code.
const char* const BUTTON_NAMES[] = {"UNDEFINED", "LEFT", "RIGHT", "MIDDLE"};
const int BUTTON_COUNT = sizeof(BUTTON_NAMES) / sizeof(BUTTON_NAMES[0]);

// Indexed by action code; 0 is no action.
const char* const KEY_ACTIONS[] = {"", "pressed", "released", "down"};
const char* const MOUSE_ACTIONS[] = {"", "pressed", "released", "moved"};
const int ACTION_COUNT = 4;

// Longer files are not a recorded game (an hour of play holding keys is a few megabytes).
const int64_t MAX_FILE_BYTES = 256L * 1024 * 1024;

int indexOf(const char* const names[], int count, const std::string& name) {
    for (int i = 0; i < count; i++)
        if (name == names[i])
            return i;
    return -1;
}

// A signed whole number that fits an int.
bool parseInt(const std::string& text, int& value) {
    bool negative = !text.empty() && text[0] == '-';
    unsigned long long magnitude;
    if (!parseDecimal(negative ? text.substr(1) : text, 2147483647ULL, magnitude))
        return false;
    value = negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
    return true;
}

// The text as it may be shown in a one-line message: printable, and not too long.
std::string quoted(const std::string& text) {
    std::string shown;
    for (char c : text.substr(0, 40))
        shown += c >= 32 && c < 127 ? c : '?';
    if (text.size() > 40)
        shown += "...";
    return "'" + shown + "'";
}

// Exactly 16 lowercase hexadecimal digits, as checksumText writes them.
bool parseChecksum(const std::string& text, uint64_t& value) {
    if (text.size() != 16)
        return false;
    value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return true;
}

// A signal's name as the died line gives it: "SIG" and capitals or digits.
bool isSignalName(const std::string& text) {
    if (text.size() < 4 || text.size() > 12 || text.compare(0, 3, "SIG") != 0)
        return false;
    for (char c : text)
        if (!(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

// The words of a line, split at white space (a stream per line would cost ten times as much in
// a file of millions of lines).
std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> result;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isspace(static_cast<unsigned char>(line[at])))
            at++;
        const size_t start = at;
        while (at < line.size() && !isspace(static_cast<unsigned char>(line[at])))
            at++;
        if (at > start)
            result.emplace_back(line, start, at - start);
    }
    return result;
}

} // namespace

const char* const Replay::FORMAT = "ks-replay";

bool Replay::Input::operator==(const Input& other) const {
    return cycle == other.cycle && kind == other.kind && action == other.action &&
           code == other.code && position == other.position;
}

std::string Replay::keyName(int key) {
    return KeyTable::nameOf(key);
}

int Replay::keyFromName(const std::string& name) {
    return KeyTable::codeOf(name);
}

std::string Replay::headerLine() {
    return std::string(FORMAT) + " " + std::to_string(VERSION);
}

std::string Replay::seedLine(unsigned long seed) {
    return "seed " + std::to_string(seed);
}

std::string Replay::inputLine(const Input& input) {
    std::string line = std::to_string(input.cycle) + " ";
    int action = input.action >= 0 && input.action < ACTION_COUNT ? input.action : 0;
    switch (input.kind) {
    case Input::KEYBOARD:
        return line + "key " + KEY_ACTIONS[action] + " " + keyName(input.code);
    case Input::MOUSE:
        return line + "mouse " + MOUSE_ACTIONS[action] + " " +
               BUTTON_NAMES[input.code >= 0 && input.code < BUTTON_COUNT ? input.code : 0] + " " +
               std::to_string(input.position.getX()) + " " + std::to_string(input.position.getY());
    case Input::QUIT:
        break;
    }
    return line + "quit";
}

std::string Replay::checksumText(uint64_t checksum) {
    char text[17];
    snprintf(text, sizeof(text), "%016" PRIx64, checksum);
    return text;
}

std::string Replay::timeLine(int cycle, uint64_t checksum) {
    return std::to_string(cycle) + " time " + checksumText(checksum);
}

std::string Replay::endLine(int cycle, uint64_t checksum) {
    return std::to_string(cycle) + " end " + checksumText(checksum);
}

bool Replay::fail(const std::string& where, const std::string& what) {
    error = where + ": " + what;
    return false;
}

int Replay::failed(const std::string& where, const std::string& what) {
    fail(where, what);
    return -1;
}

int Replay::load(const std::string& filename) {
    // A FIFO or a device would block or never end: only regular files.
    RegularFile file;
    if (file.open(filename) != 0)
        return failed(filename, "cannot open: " + file.getOpenError());
    if (file.getSize() > MAX_FILE_BYTES)
        return failed(filename, "too large for a recorded game");
    FileBuffer buffer(file);
    std::istream in(&buffer);
    try {
        return parse(in, filename);
    } catch (const std::bad_alloc&) {
        // Under an address-space limit even a file of the size allowed may not fit.
        inputs = std::vector<Input>();
        marks = std::vector<Mark>();
        return failed(filename, "not enough memory to load it");
    }
}

int Replay::parse(std::istream& in, const std::string& name) {
    error.clear();
    version = VERSION;
    inputs.clear();
    marks.clear();
    seed = 0;
    last_cycle = -1;
    ended = false;
    cut_note.clear();
    death_signal.clear();

    // Read a bounded line at a time: a line too long to be a replay's is refused after its first
    // MAX_LINE_LENGTH characters, never read whole.
    char buffer[MAX_LINE_LENGTH + 1];
    int number = 0;
    for (;;) {
        in.getline(buffer, sizeof(buffer));
        const std::streamsize extracted = in.gcount();
        // getline stops at the end of the file too: a last line without its line end was cut off.
        const bool cut_off = in.eof();
        const bool too_long = in.fail() && !cut_off;
        if (in.fail() && extracted == 0 && !too_long)
            break; // the end of the file
        number++;
        const std::string where = name + ":" + std::to_string(number);
        std::string line(buffer, static_cast<size_t>(extracted) - (cut_off || too_long ? 0 : 1));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();

        if (number == 1) {
            // Another format first: a file of another kind may well have no line end at all.
            std::vector<std::string> header = words(line);
            if (too_long || header.size() != 2 || header[0] != FORMAT)
                return failed(where, "not a replay file: expected '" + headerLine() + "', found " +
                                         quoted(line));
            unsigned long long read_version;
            if (!parseDecimal(header[1], 1000000, read_version) || read_version < 1 ||
                read_version > VERSION)
                return failed(where, "replay format version " + quoted(header[1]) +
                                         " is not supported (this game reads versions 1 to " +
                                         std::to_string(VERSION) + ")");
            version = static_cast<int>(read_version);
        }
        if (too_long)
            return failed(where, "line longer than " + std::to_string(MAX_LINE_LENGTH) +
                                     " characters: " + quoted(line));
        if (cut_off && number <= 2)
            return failed(where, "line cut off (no line end): " + quoted(line));
        if (cut_off) {
            // What was written before the cut is played; the cut line itself may be any part of
            // a line, so it is not read at all.
            cut_note = where + ": recording cut off (line without its line end)";
            break;
        }
        if (number == 1)
            continue;
        if (number == 2) {
            std::vector<std::string> seed_words = words(line);
            unsigned long long value;
            if (seed_words.size() != 2 || seed_words[0] != "seed" ||
                !parseDecimal(seed_words[1], 4294967295ULL, value))
                return failed(where,
                              "expected 'seed N' (N from 0 to 4294967295), found " + quoted(line));
            seed = static_cast<unsigned long>(value);
            continue;
        }
        if (!parseBody(line, where, number))
            return -1;
    }
    if (in.bad())
        return failed(name + ":" + std::to_string(number + 1), "cannot read the file");
    if (number == 0)
        return failed(name + ":1", "empty file: expected '" + headerLine() + "'");
    if (number == 1)
        return failed(name + ":2", "no seed line: the file ends after its header");
    if (!ended && cut_note.empty())
        cut_note = name + ":" + std::to_string(number + 1) + ": recording cut off (no end line)";
    if (!cut_note.empty())
        cut_note += last_cycle < 0 ? ": it holds no cycle"
                                   : ": it ends at cycle " + std::to_string(last_cycle) +
                                         ", its last complete line";
    return 0;
}

bool Replay::parseBody(const std::string& line, const std::string& where, int number) {
    std::vector<std::string> w = words(line);
    if (w.empty())
        return fail(where, "empty line");
    if (ended)
        return fail(where, "input after the end line");

    unsigned long long value;
    if (!parseDecimal(w[0], 999999999999999999ULL, value))
        return fail(where, "bad cycle number " + quoted(w[0]));
    if (value > LoopControl::MAX_CYCLE)
        return fail(where, "cycle " + w[0] + " is more than the game loop can count (at most " +
                               std::to_string(LoopControl::MAX_CYCLE) + ")");
    const int cycle = static_cast<int>(value);
    if (cycle < last_cycle)
        return fail(where, "cycle " + std::to_string(cycle) + " comes after cycle " +
                               std::to_string(last_cycle) + ": cycles must not go backwards");

    Input input{cycle, Input::QUIT, 0, 0, Position()};
    const std::string kind = w.size() > 1 ? w[1] : "";
    // Version 2 ends with the log's checksum, or with the signal the game died of.
    const bool marked = version >= 2;
    uint64_t checksum = 0;
    if (kind == "end" && !marked && w.size() == 2) {
        ended = true;
    } else if ((kind == "end" || kind == "time") && marked) {
        if (w.size() != 3 || !parseChecksum(w[2], checksum))
            return fail(where, "expected 'CYCLE " + kind +
                                   " CHECKSUM' (16 hexadecimal digits), found " + quoted(line));
        marks.push_back({cycle, checksum, number});
        ended = kind == "end";
    } else if (kind == "died" && marked) {
        if (w.size() != 3 || !isSignalName(w[2]))
            return fail(where, "expected 'CYCLE died SIGNAL', found " + quoted(line));
        death_signal = w[2];
        ended = true;
    } else if (kind == "quit" && w.size() == 2) {
        inputs.push_back(input);
    } else if (kind == "key" && w.size() == 4) {
        input.kind = Input::KEYBOARD;
        input.action = indexOf(KEY_ACTIONS, ACTION_COUNT, w[2]);
        if (input.action <= 0)
            return fail(where,
                        "unknown key action " + quoted(w[2]) + " (pressed, released or down)");
        input.code = keyFromName(w[3]);
        if (input.code < 0)
            return fail(where, "unknown key " + quoted(w[3]));
        inputs.push_back(input);
    } else if (kind == "mouse" && w.size() == 6) {
        input.kind = Input::MOUSE;
        input.action = indexOf(MOUSE_ACTIONS, ACTION_COUNT, w[2]);
        if (input.action <= 0)
            return fail(where,
                        "unknown mouse action " + quoted(w[2]) + " (pressed, released or moved)");
        input.code = indexOf(BUTTON_NAMES, BUTTON_COUNT, w[3]);
        if (input.code < 0)
            return fail(where, "unknown mouse button " + quoted(w[3]));
        int x, y;
        if (!parseInt(w[4], x) || !parseInt(w[5], y))
            return fail(where, "bad mouse position " + quoted(w[4] + " " + w[5]));
        input.position = Position(x, y);
        inputs.push_back(input);
    } else {
        return fail(where, std::string("expected 'CYCLE ") +
                               (marked ? "key|mouse|quit|time|end|died" : "key|mouse|quit|end") +
                               " ...', found " + quoted(line));
    }
    last_cycle = cycle;
    return true;
}

} // namespace ks
