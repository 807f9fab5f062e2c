#pragma once

#include <cstdio>
#include <string>

#include "Replay.h"

namespace ks {

/// Writes a replay file as a game is played: the header with the seed, then each delivered input
/// as a line of its own, flushed at once so that a game that dies still leaves its inputs, and
/// finally the end line with the last cycle.
class ReplayRecorder {
public:
    /// A recorder with no file open.
    ReplayRecorder() = default;
    /// Closes the file (without an end line) if one is open.
    ~ReplayRecorder();

    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    /// Opens the file, emptied, and writes the header and the seed line; a file open before is
    /// closed first. 0, or -1 when the file cannot be opened.
    int open(const std::string& filename, unsigned long seed);
    /// Writes the line of one input (nothing when no file is open).
    void write(const Replay::Input& input);
    /// Writes the end line with the cycle given and closes the file.
    void close(int last_cycle);
    /// Whether a file is open.
    bool isOpen() const { return p_file != nullptr; }

private:
    FILE* p_file = nullptr;
};

} // namespace ks
