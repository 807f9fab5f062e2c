#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <vector>

#include "Position.h"

namespace ks {

/// A recorded game: the seed it was played with and every input the input manager delivered, by
/// game-loop cycle. It is a text file, one line each:
///
///     ks-replay 1                  format and version
///     seed 1733505600              the seed
///     120 key pressed W            cycle, then the input (keys by their engine name)
///     120 key down W
///     133 mouse pressed LEFT 100 50   buttons by name, then the pixel position
///     900 quit                     the window was closed or Escape pressed
///     900 end                      the last cycle of the recording
///
/// Cycles never go backwards. A file cut off before its end line ends at its last input.
class Replay {
public:
    /// The first word of a replay file, "ks-replay".
    static const char* const FORMAT;
    /// The format version written after it; load() reads no other.
    static const int VERSION = 1;

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

    /// Reads the file. 0 on success; -1 with getError() naming the file, the line and the fault
    /// ("game.rpl:7: unknown key 'FOO'"). Only regular files are read.
    int load(const std::string& filename);
    /// The same from a stream; name is what the error messages call it.
    int parse(std::istream& in, const std::string& name);

    /// Why the last load() or parse() failed, naming the file and line; empty after success.
    const std::string& getError() const { return error; }
    /// The seed the game was played with.
    unsigned long getSeed() const { return seed; }
    /// The inputs, in the order they were delivered.
    const std::vector<Input>& getInputs() const { return inputs; }
    /// The cycle the recording ended in: its end line, else its last input; -1 for none.
    int getLastCycle() const { return last_cycle; }

    /// The first line of a file, "ks-replay 1" (lines are given without their line ends).
    static std::string headerLine();
    /// The seed line, "seed N".
    static std::string seedLine(unsigned long seed);
    /// The line of one input, "120 key pressed W".
    static std::string inputLine(const Input& input);
    /// The last line, "900 end".
    static std::string endLine(int cycle);

    /// The engine name of a key code ("W", "LEFTSHIFT").
    static std::string keyName(int key);
    /// The key code of an engine key name; -1 when unknown.
    static int keyFromName(const std::string& name);

private:
    /// Reads one input or end line; false with error set.
    bool parseBody(const std::string& line, const std::string& where);
    /// Sets the error; false (for parseBody) or -1 (for parse and load).
    bool fail(const std::string& where, const std::string& what);
    int failed(const std::string& where, const std::string& what);

    std::string error;
    unsigned long seed = 0;
    std::vector<Input> inputs;
    int last_cycle = -1;
    bool ended = false;
};

} // namespace ks
