#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "Position.h"

namespace ks {

/// A recorded game: the seed it was played with and every input the input manager delivered, by
/// game-loop cycle, with marks of what the log held as the game went. It is a text file, one line
/// each; version 2, which recordings are written in:
///
///     ks-replay 2                  format and version
///     seed 1733505600              the seed
///     0 time 8c2a5e01f3b47d96      after cycle 0, 30, 60, ...: the log's checksum so far
///     120 key pressed W            cycle, then the input (keys by their engine name)
///     120 key down W
///     133 mouse pressed LEFT 100 50   buttons by name, then the pixel position
///     900 quit                     the window was closed or Escape pressed
///     900 end 5a0c41d2e9b6f317     the last cycle, and the log's checksum when the game ended
///
/// A checksum is LogManager::getChecksum(), 16 hexadecimal digits; the end line's is the one the
/// game's summary shows. A replay compares them as it plays (InputManager), so that a replay
/// that goes another way than its game says where. A game killed by a crash signal ends its file
/// with "412 died SIGSEGV" instead of the end line: the cycle it died in, and the signal.
///
/// Version 1, still read, has no time marks, and its end line no checksum ("900 end").
///
/// Cycles never go backwards. A file may be cut off anywhere after its seed line (the game was
/// killed, the disk filled up): it is read up to its last complete line, and getCutNote() says
/// where it was cut. The time marks, a second of play apart, keep what a cut loses short.
class Replay {
public:
    /// The first word of a replay file, "ks-replay".
    static const char* const FORMAT;
    /// The format version recordings are written in; load() reads it and version 1.
    static const int VERSION = 2;
    /// Lines are at most this long (without their line end); a longer one is refused at once.
    static const int MAX_LINE_LENGTH = 256;
    /// A time mark follows every cycle whose number this divides: a second of play at 30 cycles a
    /// second.
    static const int MARK_INTERVAL = 30;

    /// One delivered input.
    struct Input {
        /// What was delivered: a keyboard event, a mouse event, or the end of the game (the
        /// window closed or Escape pressed).
        enum Kind { KEYBOARD, MOUSE, QUIT };
        int cycle;         ///< the game-loop cycle it was delivered in
        Kind kind;         ///< keyboard, mouse or quit
        int action;        ///< keyboard action (KEY_PRESSED, ...) or mouse action
        int code;          ///< key code or mouse button
        Position position; ///< the mouse's, in window pixels

        /// Whether both are the same input in the same cycle.
        bool operator==(const Input& other) const;
    };

    /// What the recording's log held after a cycle: a time mark, or the end line's checksum.
    struct Mark {
        int cycle;         ///< the cycle it follows
        uint64_t checksum; ///< the log's checksum then
        int line;          ///< its line in the file
    };

    /// Reads the file. 0 on success; -1 with getError() naming the file, the line and the fault
    /// ("game.rpl:7: unknown key 'FOO'"). Only regular files are read.
    int load(const std::string& filename);
    /// The same from a stream; name is what the error messages call it.
    int parse(std::istream& in, const std::string& name);

    /// Why the last load() or parse() failed, naming the file and line; empty after success.
    const std::string& getError() const { return error; }
    /// The format version of the file read (1 or 2).
    int getVersion() const { return version; }
    /// The seed the game was played with.
    unsigned long getSeed() const { return seed; }
    /// The inputs, in the order they were delivered.
    const std::vector<Input>& getInputs() const { return inputs; }
    /// The time marks and the end line's checksum, in the order of the file.
    const std::vector<Mark>& getMarks() const { return marks; }
    /// The cycle the recording ended in: its end line, else its last complete line; -1 for none.
    int getLastCycle() const { return last_cycle; }
    /// Where and how the file was cut off, when it has no end line ("game.rpl:182: recording cut
    /// off (no end line): it ends at cycle 1180, its last complete line"); empty for a whole file.
    const std::string& getCutNote() const { return cut_note; }
    /// The signal the recorded game died of ("SIGSEGV"), in its last cycle; empty if it did not.
    const std::string& getDeathSignal() const { return death_signal; }

    /// The first line of a file, "ks-replay 2" (lines are given without their line ends).
    static std::string headerLine();
    /// The seed line, "seed N".
    static std::string seedLine(unsigned long seed);
    /// The line of one input, "120 key pressed W".
    static std::string inputLine(const Input& input);
    /// A time mark, "30 time 5a0c41d2e9b6f317".
    static std::string timeLine(int cycle, uint64_t checksum);
    /// The last line, "900 end 5a0c41d2e9b6f317".
    static std::string endLine(int cycle, uint64_t checksum);
    /// A checksum as the file writes it: 16 lowercase hexadecimal digits.
    static std::string checksumText(uint64_t checksum);

    /// The engine name of a key code ("W", "LEFTSHIFT").
    static std::string keyName(int key);
    /// The key code of an engine key name; -1 when unknown.
    static int keyFromName(const std::string& name);

private:
    /// Reads one line after the seed line; false with error set.
    bool parseBody(const std::string& line, const std::string& where, int number);
    /// Sets the error; false (for parseBody) or -1 (for parse and load).
    bool fail(const std::string& where, const std::string& what);
    int failed(const std::string& where, const std::string& what);

    std::string error;
    int version = VERSION;
    unsigned long seed = 0;
    std::vector<Input> inputs;
    std::vector<Mark> marks;
    int last_cycle = -1;
    bool ended = false;
    std::string cut_note;
    std::string death_signal;
};

} // namespace ks
