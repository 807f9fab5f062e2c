#pragma once

#include <ostream>
#include <string>

// What the command line asks of the game. With no arguments the game is played in its window
// with a seed from the clock; the options add a fixed seed, recording every input to a file,
// and playing such a file back, in the window or, as fast as it goes, without one.
class CommandLine {
public:
    // What parse tells the caller to do.
    static constexpr int RUN = -1;

    // Reads the arguments. RUN when the game should start; otherwise the exit code, after the
    // help or the version on out (0) or a usage message on err (2).
    int parse(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

    bool hasSeed() const { return has_seed; }
    unsigned long getSeed() const { return seed; }
    // Empty when not asked for.
    const std::string& getRecordFile() const { return record_file; }
    const std::string& getReplayFile() const { return replay_file; }
    bool isHeadless() const { return headless; }
    // How many times larger the window opens (1 to 4; 1 without the option).
    int getScale() const { return scale; }

private:
    bool has_seed = false;
    unsigned long seed = 0;
    std::string record_file;
    std::string replay_file;
    bool headless = false;
    int scale = 1;
};
